#include "platform/drawing/PngImage.h"

#include <png.h>
#include <zlib.h>

#include <QFile>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>

#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/EmbeddedArtwork.h"

namespace mirto {

namespace {

// ---------------------------------------------------------------------------
// Chunk walk: checks the file's structure (signature, lengths, CRCs, chunk
// order, header values) before libpng sees it, so that every refusal carries
// a plain message, and collects the ancillary chunks the image keeps.

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

bool IsChunkLetter(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool ValidDepthForType(int colorType, int bitDepth) {
  switch (colorType) {
    case COLOR_GRAYSCALE:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case COLOR_PALETTE:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case COLOR_RGB:
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA:
      return bitDepth == 8 || bitDepth == 16;
    default:
      return false;
  }
}

// Chunks whose content the image models itself (or that libpng needs).
bool IsModelledChunk(std::string_view name) {
  return name == "IHDR" || name == "PLTE" || name == "IDAT" || name == "IEND" || name == "tRNS";
}

std::vector<TPngChunk> WalkChunks(std::span<const std::uint8_t> data) {
  if (data.size() < kSignature.size() ||
      !std::equal(kSignature.begin(), kSignature.end(), data.begin())) {
    throw EPngError("Not a PNG image: the PNG signature is missing");
  }
  std::vector<TPngChunk> kept;
  std::size_t pos = kSignature.size();
  bool seenHeader = false, seenPalette = false, seenData = false, dataEnded = false;
  int colorType = -1;
  while (true) {
    if (data.size() - pos < 8) throw EPngError("Truncated PNG data: a chunk header is cut off");
    const std::uint32_t length = ReadBigEndian32(data.data() + pos);
    const std::uint8_t* type = data.data() + pos + 4;
    const std::string name(reinterpret_cast<const char*>(type), 4);
    if (!std::all_of(type, type + 4, IsChunkLetter)) {
      throw EPngError("Invalid PNG data: a chunk has an invalid type");
    }
    if (length > 0x7FFFFFFFu) throw EPngError("Invalid PNG data: chunk " + name + " is too long");
    if (data.size() - pos - 8 < std::size_t{length} + 4) {
      throw EPngError("Truncated PNG data in chunk " + name);
    }
    const std::uint8_t* body = type + 4;
    const std::uint32_t storedCrc = ReadBigEndian32(body + length);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, type, 4 + length);
    if (static_cast<std::uint32_t>(crc) != storedCrc) {
      throw EPngError("Corrupt PNG data: CRC error in chunk " + name);
    }
    pos += 12 + std::size_t{length};

    if (!seenHeader) {
      if (name != "IHDR" || length != 13) throw EPngError("Invalid PNG data: IHDR is not first");
      seenHeader = true;
      const std::uint32_t width = ReadBigEndian32(body);
      const std::uint32_t height = ReadBigEndian32(body + 4);
      const int bitDepth = body[8];
      colorType = body[9];
      if (width == 0 || height == 0) throw EPngError("Invalid PNG data: the image has no pixels");
      if (width > std::uint32_t{TPngImage::kMaxSide} ||
          height > std::uint32_t{TPngImage::kMaxSide} ||
          std::uint64_t{width} * height > std::uint64_t(TPngImage::kMaxPixels)) {
        throw EPngError("PNG image too large: " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels");
      }
      if (!ValidDepthForType(colorType, bitDepth)) {
        throw EPngError("Invalid PNG data: bit depth " + std::to_string(bitDepth) +
                        " with colour type " + std::to_string(colorType));
      }
      if (body[10] != 0 || body[11] != 0 || body[12] > 1) {
        throw EPngError("Invalid PNG data: unknown compression, filter or interlace method");
      }
      continue;
    }
    if (name == "IHDR") throw EPngError("Invalid PNG data: more than one IHDR");
    if (name == "IEND") break;
    if (name == "IDAT") {
      if (dataEnded) throw EPngError("Invalid PNG data: IDAT chunks are not consecutive");
      seenData = true;
      continue;
    }
    if (seenData) dataEnded = true;
    if (name == "PLTE") {
      if (seenData) throw EPngError("Invalid PNG data: PLTE after the image data");
      seenPalette = true;
      continue;
    }
    if (IsModelledChunk(name)) continue;
    if ((type[0] & 0x20) == 0)
      throw EPngError("Unsupported PNG data: unknown critical chunk " + name);
    const TPngChunkPlace place = seenData      ? pcpAfterData
                                 : seenPalette ? pcpBeforeData
                                               : pcpBeforePalette;
    kept.push_back({name, std::vector<std::uint8_t>(body, body + length), place});
  }
  if (!seenData) throw EPngError("Invalid PNG data: the image data (IDAT) is missing");
  if (colorType == COLOR_PALETTE && !seenPalette) {
    throw EPngError("Invalid PNG data: the palette (PLTE) is missing");
  }
  return kept;
}

// ---------------------------------------------------------------------------
// libpng glue. libpng reports errors by longjmp back to the setjmp of the
// function that called it. The functions holding a setjmp below keep only
// plain C data in their frames, and the callbacks libpng calls hold no C++
// objects either, so the jump never skips a destructor. C++ containers live
// in the callers' frames and are sized between the libpng phases.

constexpr std::size_t kMessageSize = 200;

struct ErrorSink {
  char message[kMessageSize] = {};
};

void StoreMessage(ErrorSink* sink, const char* text) {
  std::snprintf(sink->message, kMessageSize, "%s", text != nullptr ? text : "unknown error");
}

extern "C" void OnPngError(png_structp png, png_const_charp message) {
  StoreMessage(static_cast<ErrorSink*>(png_get_error_ptr(png)), message);
  png_longjmp(png, 1);
}

extern "C" void OnPngWarning(png_structp, png_const_charp) {}

// Once every row is in, libpng inflates whatever compressed image data is
// left, however much it inflates to. So before the last row is read, what is
// left may be at most that row (stored, in the worst case) and this many
// bytes for an encoder's closing blocks and checksum; more is data no row
// needs, which could cost seconds to inflate, and the file is refused. A
// load thus inflates at most its image's rows plus about 12 MB.
constexpr std::size_t kImageDataSlack = 4096;

// Where the last IDAT chunk of a file the chunk walker accepted ends.
std::size_t ImageDataEnd(std::span<const std::uint8_t> data) {
  std::size_t end = 0;
  for (std::size_t pos = kSignature.size(); data.size() - pos >= 12;) {
    const std::size_t next = pos + 12 + ReadBigEndian32(data.data() + pos);
    if (std::memcmp(data.data() + pos + 4, "IDAT", 4) == 0) end = next;
    if (std::memcmp(data.data() + pos + 4, "IEND", 4) == 0 || next > data.size()) break;
    pos = next;
  }
  return end;
}

struct ReadContext {
  ErrorSink errors;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  std::size_t imageDataEnd = 0;
  png_structp png = nullptr;
  png_infop info = nullptr;
  // Filled by ReadHeaderPhase.
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colorType = 0, interlace = 0, passes = 1;
  std::size_t rowBytes = 0;
  png_color palette[256] = {};
  int paletteCount = 0;
  png_byte paletteAlpha[256] = {};
  int paletteAlphaCount = 0;
  bool hasTransparentValue = false;
  png_color_16 transparentValue = {};
};

extern "C" void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* ctx = static_cast<ReadContext*>(png_get_io_ptr(png));
  if (count > ctx->size - ctx->pos) png_error(png, "Truncated PNG data");
  std::memcpy(out, ctx->data + ctx->pos, count);
  ctx->pos += count;
}

// Chunks libpng would otherwise parse and check although the image only keeps
// their bytes.
constexpr png_byte kIgnoredChunks[] =
    "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0"
    "sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0zTXt";

bool ReadHeaderPhase(ReadContext* ctx) {
  if (setjmp(png_jmpbuf(ctx->png))) return false;
  png_set_read_fn(ctx->png, ctx, ReadFromMemory);
  png_set_user_limits(ctx->png, TPngImage::kMaxSide, TPngImage::kMaxSide);
  png_set_chunk_malloc_max(ctx->png, 64u * 1024u * 1024u);
  png_set_keep_unknown_chunks(ctx->png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_set_keep_unknown_chunks(ctx->png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks,
                              static_cast<int>(sizeof(kIgnoredChunks) / 5));
  png_read_info(ctx->png, ctx->info);
  png_get_IHDR(ctx->png, ctx->info, &ctx->width, &ctx->height, &ctx->bitDepth, &ctx->colorType,
               &ctx->interlace, nullptr, nullptr);

  png_colorp palette = nullptr;
  int paletteCount = 0;
  if (png_get_PLTE(ctx->png, ctx->info, &palette, &paletteCount) != 0) {
    ctx->paletteCount = std::clamp(paletteCount, 0, 256);
    std::memcpy(ctx->palette, palette, sizeof(png_color) * ctx->paletteCount);
  }
  png_bytep alpha = nullptr;
  int alphaCount = 0;
  png_color_16p value = nullptr;
  if (png_get_tRNS(ctx->png, ctx->info, &alpha, &alphaCount, &value) != 0) {
    if (ctx->colorType == PNG_COLOR_TYPE_PALETTE && alpha != nullptr) {
      ctx->paletteAlphaCount = std::clamp(alphaCount, 0, 256);
      std::memcpy(ctx->paletteAlpha, alpha, ctx->paletteAlphaCount);
    } else if (value != nullptr) {
      ctx->hasTransparentValue = true;
      ctx->transparentValue = *value;
    }
  }

  if (ctx->bitDepth == 16) png_set_scale_16(ctx->png);
  if (ctx->colorType == PNG_COLOR_TYPE_PALETTE && ctx->bitDepth < 8) png_set_packing(ctx->png);
  if (ctx->colorType == PNG_COLOR_TYPE_GRAY && ctx->bitDepth < 8) {
    png_set_expand_gray_1_2_4_to_8(ctx->png);
  }
  if ((ctx->colorType & PNG_COLOR_MASK_COLOR) != 0 && ctx->colorType != PNG_COLOR_TYPE_PALETTE) {
    png_set_bgr(ctx->png);
  }
  ctx->passes = png_set_interlace_handling(ctx->png);
  png_read_update_info(ctx->png, ctx->info);
  ctx->rowBytes = png_get_rowbytes(ctx->png, ctx->info);
  return true;
}

bool ReadRowsPhase(ReadContext* ctx, png_bytepp rows) {
  if (setjmp(png_jmpbuf(ctx->png))) return false;
  // Row by row as png_read_image does, every pass over every row.
  const int height = static_cast<int>(ctx->height);
  const std::size_t lastRowAtMost = (ctx->rowBytes + 1) + (ctx->rowBytes + 1) / 64 + 16;
  for (int pass = 0; pass < ctx->passes; ++pass) {
    for (int y = 0; y < height; ++y) {
      if (pass == ctx->passes - 1 && y == height - 1 &&
          ctx->imageDataEnd > ctx->pos + lastRowAtMost + kImageDataSlack)
        png_error(ctx->png, "the compressed image data runs on past the last row");
      png_read_row(ctx->png, rows[y], nullptr);
    }
  }
  png_read_end(ctx->png, nullptr);
  return true;
}

struct ReadStructGuard {
  ReadContext* ctx;
  ~ReadStructGuard() { png_destroy_read_struct(&ctx->png, &ctx->info, nullptr); }
};

// Scales a sample of the given bit depth to 8 bits the way the decoder does.
std::uint8_t ScaleSample(unsigned value, int bitDepth) {
  if (bitDepth == 8) return static_cast<std::uint8_t>(value);
  if (bitDepth == 16) return static_cast<std::uint8_t>((value * 255u + 32767u) / 65535u);
  const unsigned maxValue = (1u << bitDepth) - 1u;
  return static_cast<std::uint8_t>(std::min(value, maxValue) * 255u / maxValue);
}

struct WriteContext {
  ErrorSink errors;
  std::vector<std::uint8_t>* out = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_uint_32 width = 0, height = 0;
  int colorType = 0;
  const png_color* palette = nullptr;
  int paletteCount = 0;
  const png_byte* paletteAlpha = nullptr;
  int paletteAlphaCount = 0;
  bool hasTransparentValue = false;
  png_color_16 transparentValue = {};
  png_unknown_chunkp chunks = nullptr;
  int chunkCount = 0;
};

bool AppendBytes(std::vector<std::uint8_t>* out, const std::uint8_t* data,
                 std::size_t count) noexcept {
  try {
    out->insert(out->end(), data, data + count);
    return true;
  } catch (...) {
    return false;
  }
}

extern "C" void WriteToMemory(png_structp png, png_bytep data, png_size_t count) {
  auto* ctx = static_cast<WriteContext*>(png_get_io_ptr(png));
  if (!AppendBytes(ctx->out, data, count)) png_error(png, "Out of memory while encoding");
}

extern "C" void FlushMemory(png_structp) {}

bool WritePhase(WriteContext* ctx, png_bytepp rows) {
  if (setjmp(png_jmpbuf(ctx->png))) return false;
  png_set_write_fn(ctx->png, ctx, WriteToMemory, FlushMemory);
  png_set_IHDR(ctx->png, ctx->info, ctx->width, ctx->height, 8, ctx->colorType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (ctx->colorType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(ctx->png, ctx->info, ctx->palette, ctx->paletteCount);
    if (ctx->paletteAlphaCount > 0) {
      png_set_tRNS(ctx->png, ctx->info, ctx->paletteAlpha, ctx->paletteAlphaCount, nullptr);
    }
  } else if (ctx->hasTransparentValue) {
    png_set_tRNS(ctx->png, ctx->info, nullptr, 0, &ctx->transparentValue);
  }
  if (ctx->chunkCount > 0) {
    png_set_keep_unknown_chunks(ctx->png, PNG_HANDLE_CHUNK_ALWAYS, nullptr, 0);
    png_set_unknown_chunks(ctx->png, ctx->info, ctx->chunks, ctx->chunkCount);
  }
  png_write_info(ctx->png, ctx->info);
  if (ctx->colorType == PNG_COLOR_TYPE_RGB || ctx->colorType == PNG_COLOR_TYPE_RGB_ALPHA) {
    png_set_bgr(ctx->png);
  }
  png_write_image(ctx->png, rows);
  png_write_end(ctx->png, ctx->info);
  return true;
}

struct WriteStructGuard {
  WriteContext* ctx;
  ~WriteStructGuard() { png_destroy_write_struct(&ctx->png, &ctx->info); }
};

png_byte ChunkLocation(TPngChunkPlace place) {
  switch (place) {
    case pcpBeforePalette:
      return PNG_HAVE_IHDR;
    case pcpBeforeData:
      return PNG_HAVE_PLTE;
    case pcpAfterData:
      return PNG_AFTER_IDAT;
  }
  return PNG_HAVE_IHDR;
}

bool ValidColorType(int colorType) {
  return colorType == COLOR_GRAYSCALE || colorType == COLOR_RGB || colorType == COLOR_PALETTE ||
         colorType == COLOR_GRAYSCALEALPHA || colorType == COLOR_RGBALPHA;
}

bool ColorTypeHasAlpha(int colorType) {
  return colorType == COLOR_GRAYSCALEALPHA || colorType == COLOR_RGBALPHA;
}

}  // namespace

// ---------------------------------------------------------------------------

void TPngImage::Assign(const TPersistent* source) {
  if (const auto* png = dynamic_cast<const TPngImage*>(source)) {
    if (png == this) return;
    header_ = png->header_;
    pixels_ = png->pixels_;
    alpha_ = png->alpha_;
    palette_ = png->palette_;
    transparentColor_ = png->transparentColor_;
    chunks_ = png->chunks_;
    PixelsChanged();
    return;
  }
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    if (bitmap->Empty()) {
      Clear();
      return;
    }
    CreateBlank(COLOR_RGB, bitmap->Width(), bitmap->Height());
    const int step = bitmap->BytesPerPixel();
    for (int y = 0; y < header_.Height; ++y) {
      const std::uint8_t* from = bitmap->ScanLine(y);
      std::uint8_t* to = ScanLine(y);
      for (int x = 0; x < header_.Width; ++x) std::copy_n(from + x * step, 3, to + x * 3);
    }
    PixelsChanged();
    return;
  }
  TPersistent::Assign(source);
}

int TPngImage::BytesPerPixel() const {
  return header_.ColorType == COLOR_RGB || header_.ColorType == COLOR_RGBALPHA ? 3 : 1;
}

void TPngImage::Clear() {
  Reset();
  PixelsChanged();
}

void TPngImage::PixelsChanged() {
  devicePicture_.reset();
  Changed();
}

void TPngImage::Reset() {
  devicePicture_.reset();
  header_ = TPngHeader{};
  pixels_.clear();
  alpha_.clear();
  palette_.clear();
  transparentColor_ = clNone;
  chunks_.clear();
}

void TPngImage::CreateBlank(int colorType, int width, int height) {
  if (!ValidColorType(colorType)) {
    throw EPngError("Invalid PNG colour type " + std::to_string(colorType));
  }
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
      std::int64_t{width} * height > kMaxPixels) {
    throw EPngError("Invalid PNG image size " + std::to_string(width) + " x " +
                    std::to_string(height));
  }
  Reset();
  header_ = TPngHeader{width, height, 8, colorType, false};
  const std::size_t count = std::size_t(width) * std::size_t(height);
  pixels_.assign(count * BytesPerPixel(), 0);
  if (ColorTypeHasAlpha(colorType)) alpha_.assign(count, 0);
  PixelsChanged();
}

void TPngImage::CheckRow(int y) const {
  if (y < 0 || y >= header_.Height) {
    throw std::out_of_range("PNG row " + std::to_string(y) + " out of range");
  }
}

std::uint8_t* TPngImage::ScanLine(int y) {
  CheckRow(y);
  devicePicture_.reset();
  return pixels_.data() + std::size_t(y) * header_.Width * BytesPerPixel();
}

const std::uint8_t* TPngImage::ScanLine(int y) const {
  CheckRow(y);
  return pixels_.data() + std::size_t(y) * header_.Width * BytesPerPixel();
}

std::uint8_t* TPngImage::AlphaScanline(int y) {
  if (alpha_.empty()) return nullptr;
  CheckRow(y);
  devicePicture_.reset();
  return alpha_.data() + std::size_t(y) * header_.Width;
}

const std::uint8_t* TPngImage::AlphaScanline(int y) const {
  if (alpha_.empty()) return nullptr;
  CheckRow(y);
  return alpha_.data() + std::size_t(y) * header_.Width;
}

void TPngImage::CreateAlpha() {
  if (Empty() || HasAlphaChannel()) return;
  const std::size_t count = std::size_t(header_.Width) * header_.Height;
  std::vector<std::uint8_t> alpha(count, 255);
  switch (header_.ColorType) {
    case COLOR_GRAYSCALE:
      if (transparentColor_ != clNone) {
        const std::uint8_t grey = GetRValue(transparentColor_);
        for (std::size_t i = 0; i < count; ++i) {
          if (pixels_[i] == grey) alpha[i] = 0;
        }
      }
      header_.ColorType = COLOR_GRAYSCALEALPHA;
      break;
    case COLOR_RGB:
      if (transparentColor_ != clNone) {
        const std::uint8_t r = GetRValue(transparentColor_), g = GetGValue(transparentColor_),
                           b = GetBValue(transparentColor_);
        for (std::size_t i = 0; i < count; ++i) {
          const std::uint8_t* p = &pixels_[i * 3];
          if (p[0] == b && p[1] == g && p[2] == r) alpha[i] = 0;
        }
      }
      header_.ColorType = COLOR_RGBALPHA;
      break;
    case COLOR_PALETTE: {
      std::vector<std::uint8_t> colours(count * 3, 0);
      for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t index = pixels_[i];
        if (index >= palette_.size()) continue;  // black, opaque
        const TPngPaletteEntry& e = palette_[index];
        colours[i * 3] = e.Blue;
        colours[i * 3 + 1] = e.Green;
        colours[i * 3 + 2] = e.Red;
        alpha[i] = e.Alpha;
      }
      pixels_ = std::move(colours);
      palette_.clear();
      header_.ColorType = COLOR_RGBALPHA;
      break;
    }
    default:
      return;
  }
  alpha_ = std::move(alpha);
  transparentColor_ = clNone;
  header_.BitDepth = 8;
  DropColorDependentChunks();
  PixelsChanged();
}

void TPngImage::DropColorDependentChunks() {
  // Background colour, histogram and significant bits describe samples of the
  // old colour type.
  RemoveChunks("bKGD");
  RemoveChunks("hIST");
  RemoveChunks("sBIT");
}

void TPngImage::SetPalette(std::vector<TPngPaletteEntry> entries) {
  if (header_.ColorType != COLOR_PALETTE || Empty()) {
    throw EPngError("Only palette images have a palette");
  }
  if (entries.size() > 256) throw EPngError("A PNG palette holds at most 256 entries");
  palette_ = std::move(entries);
  PixelsChanged();
}

TPngTransparencyMode TPngImage::TransparencyMode() const {
  if (HasAlphaChannel()) return ptmPartial;
  if (header_.ColorType == COLOR_PALETTE) {
    int transparent = 0;
    for (const TPngPaletteEntry& e : palette_) {
      if (e.Alpha == 0) {
        ++transparent;
      } else if (e.Alpha != 255) {
        return ptmPartial;
      }
    }
    if (transparent == 0) return ptmNone;
    return transparent == 1 ? ptmBit : ptmPartial;
  }
  return transparentColor_ != clNone ? ptmBit : ptmNone;
}

TColor TPngImage::TransparentColor() const {
  if (header_.ColorType == COLOR_PALETTE) {
    if (TransparencyMode() != ptmBit) return clNone;
    for (const TPngPaletteEntry& e : palette_) {
      if (e.Alpha == 0) return RGB(e.Red, e.Green, e.Blue);
    }
    return clNone;
  }
  return transparentColor_;
}

void TPngImage::SetTransparentColor(TColor color) {
  if (color == clNone) {
    transparentColor_ = clNone;
    PixelsChanged();
    return;
  }
  if (header_.ColorType != COLOR_GRAYSCALE && header_.ColorType != COLOR_RGB) {
    throw EPngError("Only grey and RGB images without alpha take a transparent colour");
  }
  color = ColorToRGB(color) & 0xFFFFFF;
  if (header_.ColorType == COLOR_GRAYSCALE) {
    const std::uint8_t grey = GetRValue(color);
    color = RGB(grey, grey, grey);
  }
  transparentColor_ = color;
  PixelsChanged();
}

TColor TPngImage::Pixel(int x, int y) const {
  if (x < 0 || x >= header_.Width) throw std::out_of_range("PNG column out of range");
  const std::uint8_t* row = ScanLine(y);
  switch (header_.ColorType) {
    case COLOR_RGB:
    case COLOR_RGBALPHA: {
      const std::uint8_t* p = row + std::size_t(x) * 3;
      return RGB(p[2], p[1], p[0]);
    }
    case COLOR_PALETTE: {
      const std::uint8_t index = row[x];
      if (index >= palette_.size()) return clBlack;
      const TPngPaletteEntry& e = palette_[index];
      return RGB(e.Red, e.Green, e.Blue);
    }
    default:
      return RGB(row[x], row[x], row[x]);
  }
}

std::uint8_t TPngImage::PixelAlpha(int x, int y) const {
  if (x < 0 || x >= header_.Width) throw std::out_of_range("PNG column out of range");
  if (const std::uint8_t* alpha = AlphaScanline(y)) return alpha[x];
  if (header_.ColorType == COLOR_PALETTE) {
    const std::uint8_t index = ScanLine(y)[x];
    return index < palette_.size() ? palette_[index].Alpha : 255;
  }
  if (transparentColor_ != clNone && Pixel(x, y) == transparentColor_) return 0;
  return 255;
}

bool TPngImage::HasChunk(std::string_view name) const {
  return std::any_of(chunks_.begin(), chunks_.end(),
                     [&](const TPngChunk& c) { return c.Name == name; });
}

int TPngImage::RemoveChunks(std::string_view name) {
  const auto removed = std::erase_if(chunks_, [&](const TPngChunk& c) { return c.Name == name; });
  return static_cast<int>(removed);
}

void TPngImage::AddChunk(TPngChunk chunk) {
  if (chunk.Name.size() != 4 || !std::all_of(chunk.Name.begin(), chunk.Name.end(), [](char c) {
        return IsChunkLetter(static_cast<std::uint8_t>(c));
      })) {
    throw EPngError("Invalid PNG chunk name \"" + chunk.Name + "\"");
  }
  if ((chunk.Name[0] & 0x20) == 0 || IsModelledChunk(chunk.Name)) {
    throw EPngError("Chunk " + chunk.Name + " cannot be added as an ancillary chunk");
  }
  chunks_.push_back(std::move(chunk));
}

// ---------------------------------------------------------------------------

void TPngImage::LoadFromBytes(std::span<const std::uint8_t> data) {
  try {
    Decode(data);
  } catch (...) {
    // Listeners must learn that the image they showed is gone.
    Reset();
    PixelsChanged();
    throw;
  }
}

namespace {

EPngError FileTooLarge(std::size_t size) {
  return EPngError("PNG data too large: " + std::to_string(size) + " bytes, at most " +
                   std::to_string(TPngImage::kMaxFileBytes) + " are accepted");
}

}  // namespace

void TPngImage::Decode(std::span<const std::uint8_t> data) {
  Reset();
  if (data.size() > kMaxFileBytes) throw FileTooLarge(data.size());
  std::vector<TPngChunk> chunks = WalkChunks(data);

  ReadContext ctx;
  ctx.data = data.data();
  ctx.size = data.size();
  ctx.imageDataEnd = ImageDataEnd(data);
  ctx.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx.errors, OnPngError, OnPngWarning);
  if (ctx.png == nullptr) throw EPngError("Cannot decode PNG data: out of memory");
  ReadStructGuard guard{&ctx};
  ctx.info = png_create_info_struct(ctx.png);
  if (ctx.info == nullptr) throw EPngError("Cannot decode PNG data: out of memory");

  if (!ReadHeaderPhase(&ctx)) {
    throw EPngError(std::string("Invalid PNG data: ") + ctx.errors.message);
  }
  const int colorType = ctx.colorType;
  const int width = static_cast<int>(ctx.width);
  const int height = static_cast<int>(ctx.height);
  const int channels = colorType == COLOR_RGBALPHA         ? 4
                       : colorType == COLOR_RGB            ? 3
                       : colorType == COLOR_GRAYSCALEALPHA ? 2
                                                           : 1;
  if (ctx.rowBytes != std::size_t(width) * channels) {
    throw EPngError("Cannot decode PNG data: unexpected row layout");
  }
  std::vector<std::uint8_t> buffer(ctx.rowBytes * std::size_t(height));
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[y] = buffer.data() + ctx.rowBytes * y;
  if (!ReadRowsPhase(&ctx, rows.data())) {
    throw EPngError(std::string("Invalid PNG data: ") + ctx.errors.message);
  }

  TPngHeader header{width, height, ctx.bitDepth, colorType, ctx.interlace != PNG_INTERLACE_NONE};
  std::vector<std::uint8_t> pixels, alpha;
  const std::size_t count = std::size_t(width) * height;
  if (colorType == COLOR_RGBALPHA || colorType == COLOR_GRAYSCALEALPHA) {
    const int colourBytes = channels - 1;
    pixels.resize(count * colourBytes);
    alpha.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t* src = &buffer[i * channels];
      std::copy(src, src + colourBytes, &pixels[i * colourBytes]);
      alpha[i] = src[colourBytes];
    }
  } else {
    pixels = std::move(buffer);
  }

  std::vector<TPngPaletteEntry> palette;
  if (colorType == COLOR_PALETTE) {
    for (int i = 0; i < ctx.paletteCount; ++i) {
      const std::uint8_t a = i < ctx.paletteAlphaCount ? ctx.paletteAlpha[i] : 255;
      palette.push_back({ctx.palette[i].red, ctx.palette[i].green, ctx.palette[i].blue, a});
    }
  }
  TColor transparent = clNone;
  if (ctx.hasTransparentValue) {
    const png_color_16& v = ctx.transparentValue;
    if (colorType == COLOR_GRAYSCALE) {
      const std::uint8_t grey = ScaleSample(v.gray, ctx.bitDepth);
      transparent = RGB(grey, grey, grey);
    } else if (colorType == COLOR_RGB) {
      transparent = RGB(ScaleSample(v.red, ctx.bitDepth), ScaleSample(v.green, ctx.bitDepth),
                        ScaleSample(v.blue, ctx.bitDepth));
    }
  }

  header_ = header;
  pixels_ = std::move(pixels);
  alpha_ = std::move(alpha);
  palette_ = std::move(palette);
  transparentColor_ = transparent;
  chunks_ = std::move(chunks);
  PixelsChanged();
}

void TPngImage::LoadFromBytes(const QByteArray& data) {
  LoadFromBytes(std::span<const std::uint8_t>(
      reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())));
}

void TPngImage::LoadFromStream(std::istream& stream) {
  Reset();
  // Read in pieces, and no further than one byte past what a load accepts.
  std::vector<std::uint8_t> data;
  constexpr std::size_t kPiece = 1 << 16;
  while (stream && data.size() <= kMaxFileBytes) {
    const std::size_t have = data.size();
    data.resize(have + kPiece);
    stream.read(reinterpret_cast<char*>(data.data() + have), std::streamsize(kPiece));
    data.resize(have + static_cast<std::size_t>(stream.gcount()));
  }
  if (stream.bad()) throw EPngError("Cannot read PNG data from the stream");
  LoadFromBytes(data);
}

void TPngImage::LoadFromFile(const QString& fileName) {
  Reset();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    throw EPngError("Cannot open PNG file \"" + fileName.toStdString() +
                    "\": " + file.errorString().toStdString());
  }
  if (!file.isSequential() && file.size() > qint64(kMaxFileBytes)) {
    throw FileTooLarge(static_cast<std::size_t>(file.size()));
  }
  LoadFromBytes(file.readAll());
}

bool TPngImage::LoadFromResourceName(const QString& name, int scale) {
  const QByteArray data = EmbeddedArtwork(name, scale);
  if (data.isEmpty()) {
    Clear();
    return false;
  }
  try {
    LoadFromBytes(data);
  } catch (const EPngError&) {
    return false;  // LoadFromBytes left the image empty
  }
  return true;
}

std::vector<std::uint8_t> TPngImage::SaveToBytes() const {
  if (Empty()) throw EPngError("Cannot encode an empty PNG image");
  const int width = header_.Width, height = header_.Height;
  const int colourBytes = BytesPerPixel();
  const int channels = colourBytes + (HasAlphaChannel() ? 1 : 0);
  const std::size_t count = std::size_t(width) * height;

  // Interleave the separate alpha rows back into the file's pixel layout.
  std::vector<std::uint8_t> interleaved;
  const std::uint8_t* source = pixels_.data();
  if (HasAlphaChannel()) {
    interleaved.resize(count * channels);
    for (std::size_t i = 0; i < count; ++i) {
      std::copy_n(&pixels_[i * colourBytes], colourBytes, &interleaved[i * channels]);
      interleaved[i * channels + colourBytes] = alpha_[i];
    }
    source = interleaved.data();
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    rows[y] = const_cast<png_bytep>(source) + std::size_t(y) * width * channels;
  }

  std::vector<png_color> palette;
  std::vector<png_byte> paletteAlpha;
  for (const TPngPaletteEntry& e : palette_) {
    palette.push_back({e.Red, e.Green, e.Blue});
    paletteAlpha.push_back(e.Alpha);
  }
  if (header_.ColorType == COLOR_PALETTE) {
    // Indexes past the palette are drawn black and opaque; the file must list
    // an entry for every index it uses, so such entries are written out.
    const std::size_t used = std::size_t(*std::max_element(pixels_.begin(), pixels_.end())) + 1;
    if (palette.size() < used) {
      palette.resize(used, png_color{0, 0, 0});
      paletteAlpha.resize(used, 255);
    }
  }
  // tRNS only needs the entries up to the last non-opaque one.
  while (!paletteAlpha.empty() && paletteAlpha.back() == 255) paletteAlpha.pop_back();

  std::vector<png_unknown_chunk> chunks(chunks_.size());
  for (std::size_t i = 0; i < chunks_.size(); ++i) {
    std::memcpy(chunks[i].name, chunks_[i].Name.c_str(), 5);
    chunks[i].data = const_cast<png_bytep>(chunks_[i].Data.data());
    chunks[i].size = chunks_[i].Data.size();
    chunks[i].location = ChunkLocation(chunks_[i].Place);
  }

  std::vector<std::uint8_t> out;
  WriteContext ctx;
  ctx.out = &out;
  ctx.width = static_cast<png_uint_32>(width);
  ctx.height = static_cast<png_uint_32>(height);
  ctx.colorType = header_.ColorType;
  ctx.palette = palette.data();
  ctx.paletteCount = static_cast<int>(palette.size());
  ctx.paletteAlpha = paletteAlpha.data();
  ctx.paletteAlphaCount = static_cast<int>(paletteAlpha.size());
  if (transparentColor_ != clNone) {
    ctx.hasTransparentValue = true;
    ctx.transparentValue.red = GetRValue(transparentColor_);
    ctx.transparentValue.green = GetGValue(transparentColor_);
    ctx.transparentValue.blue = GetBValue(transparentColor_);
    ctx.transparentValue.gray = GetRValue(transparentColor_);
  }
  ctx.chunks = chunks.data();
  ctx.chunkCount = static_cast<int>(chunks.size());
  ctx.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx.errors, OnPngError, OnPngWarning);
  if (ctx.png == nullptr) throw EPngError("Cannot encode PNG image: out of memory");
  WriteStructGuard guard{&ctx};
  ctx.info = png_create_info_struct(ctx.png);
  if (ctx.info == nullptr) throw EPngError("Cannot encode PNG image: out of memory");
  if (!WritePhase(&ctx, rows.data())) {
    throw EPngError(std::string("Cannot encode PNG image: ") + ctx.errors.message);
  }
  return out;
}

void TPngImage::Draw(TCanvas& canvas, const TRect& rect) const {
  if (Empty() || rect.IsEmpty()) return;
  if (!devicePicture_) {
    auto image = std::make_shared<QImage>(header_.Width, header_.Height, QImage::Format_ARGB32);
    for (int y = 0; y < header_.Height; ++y) {
      auto* out = reinterpret_cast<QRgb*>(image->scanLine(y));
      for (int x = 0; x < header_.Width; ++x) {
        const TColor c = Pixel(x, y);
        out[x] = qRgba(GetRValue(c), GetGValue(c), GetBValue(c), PixelAlpha(x, y));
      }
    }
    devicePicture_ = std::move(image);
  }
  TCanvasAccess::DrawImage(canvas, rect, *devicePicture_, devicePicture_->rect());
}

void TPngImage::SaveToStream(std::ostream& stream) const {
  const std::vector<std::uint8_t> data = SaveToBytes();
  stream.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  if (!stream) throw EPngError("Cannot write PNG data to the stream");
}

void TPngImage::SaveToFile(const QString& fileName) const {
  const std::vector<std::uint8_t> data = SaveToBytes();
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(data.data()), qint64(data.size())) !=
          qint64(data.size())) {
    throw EPngError("Cannot write PNG file \"" + fileName.toStdString() +
                    "\": " + file.errorString().toStdString());
  }
}

}  // namespace mirto
