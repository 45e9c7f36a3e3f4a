#include <gtest/gtest.h>
#include <zlib.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/PngSamples.h"

namespace mirto {
namespace {

using testing::ChannelCount;
using testing::EncodeRawPng;
using testing::RawPng;

struct Format {
  int colorType;
  int bitDepth;
  bool interlaced;
};

void PrintTo(const Format& f, std::ostream* os) {
  *os << "colour type " << f.colorType << ", depth " << f.bitDepth
      << (f.interlaced ? ", interlaced" : "");
}

std::string FormatName(const ::testing::TestParamInfo<Format>& info) {
  return "Type" + std::to_string(info.param.colorType) + "Depth" +
         std::to_string(info.param.bitDepth) + (info.param.interlaced ? "Interlaced" : "");
}

// Sample value for channel c of pixel (x, y); 16-bit samples are k * 257 plus
// a remainder below one half step, so that their 8-bit value is exactly k.
std::uint16_t SampleAt(const Format& f, int x, int y, int c, int paletteSize) {
  if (f.bitDepth == 16) {
    const int k = (x * 37 + y * 11 + c * 71) % 256;
    return static_cast<std::uint16_t>(k * 257 + (x + y) % 128);
  }
  const int range = f.colorType == COLOR_PALETTE ? paletteSize : (1 << f.bitDepth);
  return static_cast<std::uint16_t>((x * 7 + y * 13 + c * 5) % range);
}

std::uint8_t Expected8Bit(const Format& f, std::uint16_t v) {
  if (f.bitDepth == 16) return static_cast<std::uint8_t>(v / 257);
  if (f.colorType == COLOR_PALETTE) return static_cast<std::uint8_t>(v);
  return static_cast<std::uint8_t>(v * 255 / ((1 << f.bitDepth) - 1));
}

class PngDecodeFormats : public ::testing::TestWithParam<Format> {};

TEST_P(PngDecodeFormats, DecodesEverySampleToEightBitRows) {
  const Format f = GetParam();
  RawPng raw;
  raw.width = 13;  // odd sizes: partial bytes at low depths, uneven interlace passes
  raw.height = 7;
  raw.colorType = f.colorType;
  raw.bitDepth = f.bitDepth;
  raw.interlaced = f.interlaced;
  const int channels = ChannelCount(f.colorType);
  const int paletteSize = f.colorType == COLOR_PALETTE ? std::min(1 << f.bitDepth, 20) : 0;
  for (int i = 0; i < paletteSize; ++i) {
    raw.palette.push_back({std::uint8_t(i * 10), std::uint8_t(200 - i), std::uint8_t(i * 3)});
  }
  for (int y = 0; y < raw.height; ++y) {
    for (int x = 0; x < raw.width; ++x) {
      for (int c = 0; c < channels; ++c) raw.samples.push_back(SampleAt(f, x, y, c, paletteSize));
    }
  }

  TPngImage png;
  png.LoadFromBytes(EncodeRawPng(raw));

  ASSERT_EQ(png.Width(), 13);
  ASSERT_EQ(png.Height(), 7);
  EXPECT_EQ(png.Header().ColorType, f.colorType);
  EXPECT_EQ(png.Header().BitDepth, f.bitDepth);
  EXPECT_EQ(png.Header().Interlaced, f.interlaced);
  const bool hasAlpha = f.colorType == COLOR_GRAYSCALEALPHA || f.colorType == COLOR_RGBALPHA;
  EXPECT_EQ(png.HasAlphaChannel(), hasAlpha);
  ASSERT_EQ(png.Palette().size(), std::size_t(paletteSize));
  for (int y = 0; y < raw.height; ++y) {
    const std::uint8_t* row = png.ScanLine(y);
    const std::uint8_t* alpha = png.AlphaScanline(y);
    ASSERT_EQ(alpha != nullptr, hasAlpha);
    for (int x = 0; x < raw.width; ++x) {
      auto sample = [&](int c) { return Expected8Bit(f, SampleAt(f, x, y, c, paletteSize)); };
      SCOPED_TRACE("pixel " + std::to_string(x) + "," + std::to_string(y));
      if (f.colorType == COLOR_RGB || f.colorType == COLOR_RGBALPHA) {
        EXPECT_EQ(row[x * 3 + 0], sample(2));  // blue first
        EXPECT_EQ(row[x * 3 + 1], sample(1));
        EXPECT_EQ(row[x * 3 + 2], sample(0));
        if (hasAlpha) {
          EXPECT_EQ(alpha[x], sample(3));
        }
      } else {
        EXPECT_EQ(row[x], sample(0));
        if (hasAlpha) {
          EXPECT_EQ(alpha[x], sample(1));
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllColorTypesAndDepths, PngDecodeFormats,
    ::testing::Values(Format{0, 1, false}, Format{0, 2, false}, Format{0, 4, false},
                      Format{0, 8, false}, Format{0, 16, false}, Format{0, 1, true},
                      Format{0, 16, true}, Format{2, 8, false}, Format{2, 16, false},
                      Format{2, 8, true}, Format{3, 1, false}, Format{3, 2, false},
                      Format{3, 4, false}, Format{3, 8, false}, Format{3, 2, true},
                      Format{4, 8, false}, Format{4, 16, false}, Format{4, 8, true},
                      Format{6, 8, false}, Format{6, 16, false}, Format{6, 8, true},
                      Format{6, 16, true}),
    FormatName);

TEST(PngImage, SingleTransparentColourIsScaledToEightBits) {
  struct Case {
    int colorType, bitDepth;
    std::array<std::uint16_t, 3> value;
    TColor expected;
  };
  for (const Case& c :
       {Case{0, 2, {2, 0, 0}, RGB(170, 170, 170)}, Case{0, 16, {0x8080, 0, 0}, RGB(128, 128, 128)},
        Case{2, 8, {255, 0, 255}, clFuchsia}, Case{2, 16, {0xFFFF, 0, 0x0101}, RGB(255, 0, 1)}}) {
    RawPng raw;
    raw.colorType = c.colorType;
    raw.bitDepth = c.bitDepth;
    raw.samples.assign(ChannelCount(c.colorType), 0);
    raw.transparent = c.value;
    TPngImage png;
    png.LoadFromBytes(EncodeRawPng(raw));
    EXPECT_EQ(png.TransparencyMode(), ptmBit);
    EXPECT_EQ(png.TransparentColor(), c.expected) << c.colorType << "/" << c.bitDepth;
  }
}

TEST(PngImage, PaletteAlphaDecidesTransparencyMode) {
  struct Case {
    std::vector<std::uint8_t> alpha;
    TPngTransparencyMode mode;
    TColor transparent;
  };
  for (const Case& c : {Case{{}, ptmNone, clNone}, Case{{255, 0}, ptmBit, RGB(1, 2, 3)},
                        Case{{0, 0}, ptmPartial, clNone}, Case{{255, 128}, ptmPartial, clNone}}) {
    RawPng raw;
    raw.colorType = COLOR_PALETTE;
    raw.width = 3;
    raw.samples = {0, 1, 2};
    raw.palette = {{9, 9, 9}, {1, 2, 3}, {4, 5, 6}};
    raw.paletteAlpha = c.alpha;
    TPngImage png;
    png.LoadFromBytes(EncodeRawPng(raw));
    EXPECT_EQ(png.TransparencyMode(), c.mode);
    EXPECT_EQ(png.TransparentColor(), c.transparent);
    // Entries the tRNS chunk does not cover are opaque.
    EXPECT_EQ(png.PixelAlpha(2, 0), 255);
  }
}

// --- bad input --------------------------------------------------------------

// Loading is refused with an error that names reason, and the image is left
// empty (whatever it held before).
void ExpectRefused(TPngImage& png, const std::function<void()>& load, const std::string& reason) {
  try {
    load();
    ADD_FAILURE() << "accepted";
  } catch (const EPngError& e) {
    EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
  }
  EXPECT_TRUE(png.Empty());
}

std::vector<std::uint8_t> SmallRgbPng() {
  RawPng raw;
  raw.width = 16;
  raw.height = 16;
  for (int i = 0; i < 16 * 16 * 3; ++i) raw.samples.push_back(std::uint16_t((i * 31) % 256));
  return EncodeRawPng(raw);
}

std::vector<std::uint8_t> WithHeaderSize(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> file = SmallRgbPng();
  const long ihdr = testing::FindChunk(file, "IHDR");
  for (int i = 0; i < 4; ++i) {
    file[ihdr + 8 + i] = std::uint8_t(width >> (24 - 8 * i));
    file[ihdr + 12 + i] = std::uint8_t(height >> (24 - 8 * i));
  }
  testing::FixChunkCrc(file, ihdr);
  return file;
}

// A grey 8-bit image whose image data inflates to `plain` (filter bytes and
// samples, then whatever follows the last row).
std::vector<std::uint8_t> GreyWithImageData(std::uint32_t width, std::uint32_t height,
                                            bool interlaced,
                                            const std::vector<std::uint8_t>& plain) {
  uLongf size = compressBound(static_cast<uLong>(plain.size()));
  std::vector<std::uint8_t> packed(size);
  compress2(packed.data(), &size, plain.data(), static_cast<uLong>(plain.size()), 1);
  packed.resize(size);
  std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<std::uint8_t> header;
  for (std::uint32_t v : {width, height})
    for (int shift : {24, 16, 8, 0}) header.push_back(std::uint8_t(v >> shift));
  header.insert(header.end(), {8, 0, 0, 0, std::uint8_t(interlaced ? 1 : 0)});
  for (const auto& chunk : {testing::MakeChunk("IHDR", header), testing::MakeChunk("IDAT", packed),
                            testing::MakeChunk("IEND", {})})
    file.insert(file.end(), chunk.begin(), chunk.end());
  return file;
}

TEST(PngImage, ImageDataInflatingFarPastTheLastRowIsRefusedAndAFewBytesMoreAreNot) {
  // 1 x 1: a filter byte and a sample; 3 x 3 interlaced: 14 bytes in 6 passes.
  constexpr std::size_t kOneByOne = 2, kInterlaced = 14;
  struct Case {
    std::uint32_t side;
    bool interlaced;
    std::size_t rows, trailing;
    bool refused;
  };
  for (const Case& c :
       {Case{1, false, kOneByOne, 16u << 20, true}, Case{3, true, kInterlaced, 16u << 20, true},
        Case{1, false, kOneByOne, 100, false}, Case{3, true, kInterlaced, 100, false}}) {
    SCOPED_TRACE(::testing::Message() << c.side << " " << c.trailing);
    TPngImage png;
    const auto file = GreyWithImageData(c.side, c.side, c.interlaced,
                                        std::vector<std::uint8_t>(c.rows + c.trailing, 0));
    if (!c.refused) {
      png.LoadFromBytes(file);
      EXPECT_EQ(png.Width(), int(c.side));
      continue;
    }
    ExpectRefused(
        png, [&] { png.LoadFromBytes(file); }, "past the last row");
  }
}

TEST(PngImage, FileLargerThanALoadAcceptsIsRefusedBeforeItIsRead) {
  QTemporaryDir folder;
  const QString name = folder.filePath(QStringLiteral("huge.png"));
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::vector<std::uint8_t> good = SmallRgbPng();
  file.write(reinterpret_cast<const char*>(good.data()), qint64(good.size()));
  ASSERT_TRUE(file.resize(qint64(TPngImage::kMaxFileBytes) + 1));  // sparse: costs no disk
  file.close();
  TPngImage png;
  ExpectRefused(
      png, [&] { png.LoadFromFile(name); }, "too large");
}

TEST(PngImage, RefusesBadDataWithAMessageAndStaysEmpty) {
  const std::vector<std::uint8_t> good = SmallRgbPng();
  const long idat = testing::FindChunk(good, "IDAT");
  ASSERT_GT(idat, 0);

  std::vector<std::uint8_t> badCrc = good;
  badCrc[idat + 10] ^= 0x40;
  std::vector<std::uint8_t> badDeflate = good;
  badDeflate[idat + 8] ^= 0xFF;  // zlib header of the image data, CRC made to match
  testing::FixChunkCrc(badDeflate, idat);
  std::vector<std::uint8_t> noIend(good.begin(), good.end() - 12);

  struct Case {
    const char* name;
    std::vector<std::uint8_t> data;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"empty", {}, "signature"},
      {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'}, "signature"},
      {"signature only", std::vector<std::uint8_t>(good.begin(), good.begin() + 8), "Truncated"},
      {"cut in the data", std::vector<std::uint8_t>(good.begin(), good.begin() + idat + 20),
       "Truncated"},
      {"no end chunk", noIend, "Truncated"},
      {"wrong crc", badCrc, "CRC error in chunk IDAT"},
      {"bad compressed data", badDeflate, "Invalid PNG data"},
      {"huge", WithHeaderSize(100000, 100000), "too large"},
      {"huge area", WithHeaderSize(8192, 8192), "too large"},
      {"no pixels", WithHeaderSize(0, 16), "no pixels"},
      {"larger than its data", WithHeaderSize(16, 4000), "Invalid PNG data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPngImage png;
    png.LoadFromBytes(good);
    ASSERT_FALSE(png.Empty());
    ExpectRefused(
        png, [&] { png.LoadFromBytes(c.data); }, c.message);
    EXPECT_EQ(png.Width(), 0);
    EXPECT_TRUE(png.Chunks().empty());
  }
}

TEST(PngImage, MissingFileIsRefusedWithItsName) {
  TPngImage png;
  ExpectRefused(
      png, [&] { png.LoadFromFile("/nonexistent/glyph.png"); }, "glyph.png");
}

// --- encoding ----------------------------------------------------------------

TEST(PngImage, SavedImagesDecodeToTheSameContent) {
  RawPng palette;
  palette.colorType = COLOR_PALETTE;
  palette.width = 3;
  palette.height = 2;
  palette.samples = {0, 1, 2, 2, 1, 0};
  palette.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  palette.paletteAlpha = {0, 128};
  RawPng greyAlpha;
  greyAlpha.colorType = COLOR_GRAYSCALEALPHA;
  greyAlpha.width = 2;
  greyAlpha.samples = {10, 0, 200, 99};
  RawPng rgbKey;
  rgbKey.width = 2;
  rgbKey.samples = {255, 0, 255, 1, 2, 3};
  rgbKey.transparent = std::array<std::uint16_t, 3>{255, 0, 255};
  RawPng rgba;
  rgba.colorType = COLOR_RGBALPHA;
  rgba.width = 2;
  rgba.samples = {1, 2, 3, 4, 250, 251, 252, 253};

  for (const RawPng& raw : {palette, greyAlpha, rgbKey, rgba}) {
    TPngImage original;
    original.LoadFromBytes(EncodeRawPng(raw));
    std::stringstream stream;
    original.SaveToStream(stream);
    TPngImage copy;
    copy.LoadFromStream(stream);
    SCOPED_TRACE(raw.colorType);
    ASSERT_EQ(copy.Width(), original.Width());
    ASSERT_EQ(copy.Height(), original.Height());
    EXPECT_EQ(copy.Header().ColorType, original.Header().ColorType);
    EXPECT_EQ(copy.Palette(), original.Palette());
    EXPECT_EQ(copy.TransparentColor(), original.TransparentColor());
    for (int y = 0; y < copy.Height(); ++y) {
      for (int x = 0; x < copy.Width(); ++x) {
        EXPECT_EQ(copy.Pixel(x, y), original.Pixel(x, y));
        EXPECT_EQ(copy.PixelAlpha(x, y), original.PixelAlpha(x, y));
      }
    }
  }
}

TEST(PngImage, SavingPaletteIndexesBeyondThePaletteWritesBlackEntries) {
  // Decoders accept such files; the encoder refuses them unless every index
  // has an entry.
  TPngImage png;
  png.CreateBlank(COLOR_PALETTE, 2, 1);
  png.ScanLine(0)[1] = 3;
  png.SetPalette({{1, 2, 3, 0}});
  EXPECT_EQ(png.Pixel(1, 0), clBlack);
  TPngImage reloaded;
  reloaded.LoadFromBytes(png.SaveToBytes());
  ASSERT_EQ(reloaded.Palette().size(), 4u);
  EXPECT_EQ(reloaded.PixelAlpha(0, 0), 0);
  EXPECT_EQ(reloaded.Pixel(1, 0), clBlack);
  EXPECT_EQ(reloaded.PixelAlpha(1, 0), 255);
}

TEST(PngImage, AncillaryChunksAreKeptInPlaceAndRemovableByKind) {
  RawPng raw;
  raw.colorType = COLOR_PALETTE;
  raw.samples = {0};
  raw.palette = {{1, 2, 3}};
  raw.extraChunks = {{"gAMA", {0, 0, 0xB1, 0x8F}}, {"tEXt", {'a', 0, 'b'}}};
  TPngImage png;
  png.LoadFromBytes(EncodeRawPng(raw));
  ASSERT_TRUE(png.HasChunk("gAMA"));
  ASSERT_TRUE(png.HasChunk("tEXt"));
  EXPECT_EQ(png.Chunks().front().Data, (std::vector<std::uint8_t>{0, 0, 0xB1, 0x8F}));

  // gAMA must stay ahead of the palette when saved, or readers drop it.
  const std::vector<std::uint8_t> saved = png.SaveToBytes();
  const long gama = testing::FindChunk(saved, "gAMA");
  ASSERT_GT(gama, 0);
  EXPECT_LT(gama, testing::FindChunk(saved, "PLTE"));

  EXPECT_EQ(png.RemoveChunks("gAMA"), 1);
  EXPECT_FALSE(png.HasChunk("gAMA"));
  EXPECT_TRUE(png.HasChunk("tEXt"));
  EXPECT_EQ(png.RemoveChunks("gAMA"), 0);
  TPngImage reloaded;
  reloaded.LoadFromBytes(png.SaveToBytes());
  EXPECT_FALSE(reloaded.HasChunk("gAMA"));
  EXPECT_TRUE(reloaded.HasChunk("tEXt"));
}

// A palette image with chunks of one byte spliced in, in order, before the
// chunk `before`.
std::vector<std::uint8_t> WithChunks(const char* before, std::initializer_list<const char*> names) {
  RawPng raw;
  raw.colorType = COLOR_PALETTE;
  raw.samples = {0};
  raw.palette = {{1, 2, 3}};
  std::vector<std::uint8_t> file = EncodeRawPng(raw);
  std::vector<std::uint8_t> chunks;
  for (const char* name : names) {
    const std::vector<std::uint8_t> chunk = testing::MakeChunk(name, {0});
    chunks.insert(chunks.end(), chunk.begin(), chunk.end());
  }
  file.insert(file.begin() + testing::FindChunk(file, before), chunks.begin(), chunks.end());
  return file;
}

// The reader keeps the chunks libpng passes over in the place they stood,
// also those after the image data, and refuses what libpng would let by.
TEST(PngImage, ChunksKeepTheirPlaceAndMisplacedOrUnknownCriticalChunksAreRefused) {
  struct Kept {
    const char* before;
    const char* name;
    TPngChunkPlace place;
  };
  for (const Kept& c : {Kept{"PLTE", "abCd", pcpBeforePalette}, Kept{"IDAT", "sRGB", pcpBeforeData},
                        Kept{"IEND", "tEXt", pcpAfterData}}) {
    TPngImage png;
    png.LoadFromBytes(WithChunks(c.before, {c.name}));
    ASSERT_EQ(png.Chunks().size(), 1u) << c.name;
    EXPECT_EQ(png.Chunks()[0].Name, c.name);
    EXPECT_EQ(png.Chunks()[0].Place, c.place) << c.name;
  }
  struct Refused {
    std::vector<std::uint8_t> file;
    const char* message;
  };
  for (const Refused& c :
       {Refused{WithChunks("IDAT", {"ABCD"}), "unknown critical chunk ABCD"},
        Refused{WithChunks("IEND", {"PLTE"}), "PLTE after the image data"},
        Refused{WithChunks("IEND", {"tEXt", "IDAT"}), "IDAT chunks are not consecutive"}}) {
    TPngImage png;
    ExpectRefused(
        png, [&] { png.LoadFromBytes(c.file); }, c.message);
  }
}

TEST(PngImage, CreateAlphaKeepsTransparency) {
  // Palette entries carry their alpha into the new channel.
  RawPng palette;
  palette.colorType = COLOR_PALETTE;
  palette.width = 3;
  palette.samples = {0, 1, 2};
  palette.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  palette.paletteAlpha = {0, 77};
  TPngImage png;
  png.LoadFromBytes(EncodeRawPng(palette));
  png.CreateAlpha();
  EXPECT_EQ(png.Header().ColorType, COLOR_RGBALPHA);
  EXPECT_TRUE(png.Palette().empty());
  EXPECT_EQ(png.Pixel(1, 0), RGB(40, 50, 60));
  EXPECT_EQ(png.AlphaScanline(0)[0], 0);
  EXPECT_EQ(png.AlphaScanline(0)[1], 77);
  EXPECT_EQ(png.AlphaScanline(0)[2], 255);

  // The single transparent colour becomes alpha 0, everything else opaque.
  TPngImage grey;
  grey.CreateBlank(COLOR_GRAYSCALE, 2, 1);
  grey.ScanLine(0)[1] = 40;
  grey.SetTransparentColor(RGB(40, 40, 40));
  grey.CreateAlpha();
  EXPECT_EQ(grey.Header().ColorType, COLOR_GRAYSCALEALPHA);
  EXPECT_EQ(grey.TransparentColor(), clNone);
  EXPECT_EQ(grey.AlphaScanline(0)[0], 255);
  EXPECT_EQ(grey.AlphaScanline(0)[1], 0);
}

TEST(PngImage, AssignCopiesEverythingIndependently) {
  TPngImage a;
  a.CreateBlank(COLOR_RGBALPHA, 2, 2);
  a.ScanLine(1)[3] = 9;
  a.AlphaScanline(1)[1] = 200;
  a.AddChunk({"gAMA", {0, 1, 2, 3}, pcpBeforePalette});
  TPngImage b;
  b.Assign(&a);
  a.ScanLine(1)[3] = 0;
  EXPECT_EQ(b.ScanLine(1)[3], 9);
  EXPECT_EQ(b.AlphaScanline(1)[1], 200);
  EXPECT_TRUE(b.HasChunk("gAMA"));
  EXPECT_THROW(b.AddChunk({"IDAT", {}, pcpBeforeData}), EPngError);
  b.Clear();
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.AlphaScanline(0), nullptr);
}

// --- drawing ------------------------------------------------------------------

using testing_support::Blank;

int Channel(TColor c, int shift) { return (c >> shift) & 0xFF; }

TEST(PngImageDraw, BlendsEveryKindOfTransparencyOverTheBackground) {
  const TColor background = RGB(0, 100, 200);
  // Expected: source * a + background * (255 - a), per channel, within one step.
  auto blend = [&](TColor src, int a) {
    auto mix = [&](int shift) {
      return (Channel(src, shift) * a + Channel(background, shift) * (255 - a) + 127) / 255;
    };
    return RGB(std::uint8_t(mix(0)), std::uint8_t(mix(8)), std::uint8_t(mix(16)));
  };

  TPngImage rgba;
  rgba.CreateBlank(COLOR_RGBALPHA, 3, 1);
  const std::uint8_t alphas[] = {255, 128, 0};
  for (int x = 0; x < 3; ++x) {
    rgba.ScanLine(0)[x * 3 + 2] = 250;  // red
    rgba.AlphaScanline(0)[x] = alphas[x];
  }
  TPngImage palette;
  palette.CreateBlank(COLOR_PALETTE, 3, 1);
  palette.ScanLine(0)[1] = 1;
  palette.ScanLine(0)[2] = 2;
  palette.SetPalette({{250, 0, 0, 255}, {250, 0, 0, 128}, {250, 0, 0, 0}});
  TPngImage keyed;
  keyed.CreateBlank(COLOR_RGB, 3, 1);
  keyed.ScanLine(0)[2] = 250;
  keyed.SetTransparentColor(clBlack);

  struct Case {
    const char* name;
    const TPngImage* png;
    std::vector<TColor> expected;
  };
  const TColor red = RGB(250, 0, 0);
  for (const Case& c : {Case{"alpha channel", &rgba, {red, blend(red, 128), background}},
                        Case{"palette alpha", &palette, {red, blend(red, 128), background}},
                        Case{"transparent colour", &keyed, {red, background, background}}}) {
    SCOPED_TRACE(c.name);
    TBitmap bitmap;
    Blank(bitmap, 5, 3, background);
    bitmap.Canvas().Draw(1, 1, *c.png);
    for (int x = 0; x < 3; ++x) {
      const TColor got = bitmap.Canvas().Pixels(1 + x, 1);
      for (int shift : {0, 8, 16}) {
        EXPECT_NEAR(Channel(got, shift), Channel(c.expected[x], shift), 1) << "x " << x;
      }
    }
    // Nothing outside the image's rectangle is touched.
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 1), background);
    EXPECT_EQ(bitmap.Canvas().Pixels(4, 1), background);
    EXPECT_EQ(bitmap.Canvas().Pixels(1, 0), background);
    EXPECT_EQ(bitmap.Canvas().Pixels(1, 2), background);
  }
}

TEST(PngImageDraw, EveryChangeOfTheImageShowsOnTheNextDraw) {
  // Drawing keeps the converted picture; each way of changing the image must
  // drop it.
  const std::vector<std::uint8_t> whitePixel = [] {
    TPngImage white;
    white.CreateBlank(COLOR_RGB, 1, 1);
    std::fill_n(white.ScanLine(0), 3, 255);
    return white.SaveToBytes();
  }();
  struct Case {
    const char* name;
    int type;
    std::function<void(TPngImage&)> change;
    TColor shown;
  };
  const std::vector<Case> cases = {
      {"colour row", COLOR_RGB, [](TPngImage& p) { p.ScanLine(0)[2] = 255; }, clRed},
      {"alpha row", COLOR_RGBALPHA, [](TPngImage& p) { p.AlphaScanline(0)[0] = 0; }, clLime},
      {"transparent colour", COLOR_RGB, [](TPngImage& p) { p.SetTransparentColor(clBlack); },
       clLime},
      {"palette", COLOR_PALETTE,
       [](TPngImage& p) {
         p.SetPalette({{0, 0, 255}});
       },
       clBlue},
      {"load", COLOR_RGB, [&](TPngImage& p) { p.LoadFromBytes(whitePixel); }, clWhite},
      {"assign", COLOR_RGB,
       [](TPngImage& p) {
         TPngImage blue;
         blue.CreateBlank(COLOR_RGB, 1, 1);
         blue.ScanLine(0)[0] = 255;
         p.Assign(&blue);
       },
       clBlue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPngImage png;
    png.CreateBlank(c.type, 1, 1);
    if (png.HasAlphaChannel()) png.AlphaScanline(0)[0] = 255;
    TBitmap bitmap;
    Blank(bitmap, 1, 1, clLime);
    bitmap.Canvas().Draw(0, 0, png);
    ASSERT_EQ(bitmap.Canvas().Pixels(0, 0), clBlack);
    c.change(png);
    Blank(bitmap, 1, 1, clLime);
    bitmap.Canvas().Draw(0, 0, png);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), c.shown);
  }
}

TEST(PngImageDraw, StretchesWithNearestPixels) {
  TPngImage png;
  png.CreateBlank(COLOR_GRAYSCALE, 2, 1);
  png.ScanLine(0)[1] = 255;
  TBitmap bitmap;
  Blank(bitmap, 4, 2, clRed);
  bitmap.Canvas().StretchDraw({0, 0, 4, 2}, png);
  EXPECT_EQ(bitmap.Canvas().Pixels(1, 1), clBlack);
  EXPECT_EQ(bitmap.Canvas().Pixels(2, 0), clWhite);
  EXPECT_EQ(bitmap.Canvas().Pixels(3, 1), clWhite);
}

TEST(PngImage, TakesABitmapsPixelsAsRgb) {
  TBitmap bitmap;
  Blank(bitmap, 2, 2, RGB(1, 2, 3));
  bitmap.Canvas().SetPixels(1, 0, RGB(200, 100, 50));
  TPngImage png;
  int changes = 0;
  png.OnChange = [&](TObject*) { ++changes; };
  png.Assign(&bitmap);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(png.Header().ColorType, COLOR_RGB);
  EXPECT_EQ(png.Pixel(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(png.Pixel(1, 0), RGB(200, 100, 50));
  EXPECT_FALSE(png.HasAlphaChannel());
}

TEST(PngImage, FailedLoadTellsListenersTheImageIsGone) {
  TPngImage png;
  png.CreateBlank(COLOR_RGB, 1, 1);
  int changes = 0;
  png.OnChange = [&](TObject*) { ++changes; };
  EXPECT_THROW(png.LoadFromBytes(QByteArray("not a png")), EPngError);
  EXPECT_TRUE(png.Empty());
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace mirto
