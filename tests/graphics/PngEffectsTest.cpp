#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "graphics/PngFunctions.h"

namespace mirto {
namespace {

// A one-row RGB(A) image from (r, g, b[, a]) pixels.
std::unique_ptr<TPngImage> RgbRow(const std::vector<std::vector<std::uint8_t>>& pixels,
                                  bool withAlpha) {
  auto holder = std::make_unique<TPngImage>();
  TPngImage& png = *holder;
  png.CreateBlank(withAlpha ? COLOR_RGBALPHA : COLOR_RGB, int(pixels.size()), 1);
  for (std::size_t x = 0; x < pixels.size(); ++x) {
    png.ScanLine(0)[x * 3] = pixels[x][2];
    png.ScanLine(0)[x * 3 + 1] = pixels[x][1];
    png.ScanLine(0)[x * 3 + 2] = pixels[x][0];
    if (withAlpha) png.AlphaScanline(0)[x] = pixels[x][3];
  }
  return holder;
}

std::vector<std::uint8_t> Bytes(const TPngImage& png) {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < png.Height(); ++y) {
    const std::uint8_t* row = png.ScanLine(y);
    out.insert(out.end(), row, row + png.Width() * png.BytesPerPixel());
    if (const std::uint8_t* a = png.AlphaScanline(y)) out.insert(out.end(), a, a + png.Width());
  }
  return out;
}

std::unique_ptr<TPngImage> PaletteRow(std::vector<std::uint8_t> indexes,
                                      std::vector<TPngPaletteEntry> palette) {
  auto holder = std::make_unique<TPngImage>();
  TPngImage& png = *holder;
  png.CreateBlank(COLOR_PALETTE, int(indexes.size()), 1);
  for (std::size_t x = 0; x < indexes.size(); ++x) png.ScanLine(0)[x] = indexes[x];
  png.SetPalette(std::move(palette));
  return holder;
}

TEST(PngApplyGamma, RemapsColourSamplesAndKeepsAlpha) {
  auto pngHolder = RgbRow({{64, 0, 255, 77}, {255, 64, 0, 0}}, true);
  TPngImage& png = *pngHolder;
  EXPECT_TRUE(PngApplyGamma(&png, 2.0f));
  // 255 * sqrt(64 / 255) = 127.75
  EXPECT_EQ(png.Pixel(0, 0), RGB(128, 0, 255));
  EXPECT_EQ(png.Pixel(1, 0), RGB(255, 128, 0));
  EXPECT_EQ(png.AlphaScanline(0)[0], 77);
  EXPECT_EQ(png.AlphaScanline(0)[1], 0);

  auto darkerHolder = RgbRow({{128, 128, 128}}, false);
  TPngImage& darker = *darkerHolder;
  EXPECT_TRUE(PngApplyGamma(&darker, 0.5f));
  EXPECT_EQ(darker.Pixel(0, 0), RGB(64, 64, 64));  // 255 * (128/255)^2 = 64.25
}

TEST(PngApplyGamma, DoesNothingForOneOrAnEmptyImage) {
  auto pngHolder = RgbRow({{10, 20, 30}}, false);
  TPngImage& png = *pngHolder;
  const auto before = Bytes(png);
  EXPECT_FALSE(PngApplyGamma(&png, 1.0f));
  EXPECT_EQ(Bytes(png), before);
  TPngImage empty;
  EXPECT_FALSE(PngApplyGamma(&empty, 2.0f));
  EXPECT_FALSE(PngApplyGamma(nullptr, 2.0f));
}

TEST(PngApplyGamma, SmallGammaCountsAsOneTenth) {
  auto aHolder = RgbRow({{1, 100, 200}, {250, 254, 3}}, false);
  TPngImage& a = *aHolder;
  auto bHolder = RgbRow({{1, 100, 200}, {250, 254, 3}}, false);
  TPngImage& b = *bHolder;
  auto cHolder = RgbRow({{1, 100, 200}, {250, 254, 3}}, false);
  TPngImage& c = *cHolder;
  EXPECT_TRUE(PngApplyGamma(&a, 0.05f));
  EXPECT_TRUE(PngApplyGamma(&b, 0.1f));
  EXPECT_TRUE(PngApplyGamma(&c, -3.0f));
  EXPECT_EQ(Bytes(a), Bytes(b));
  EXPECT_EQ(Bytes(c), Bytes(b));
}

TEST(PngApplyGamma, GreyAndPaletteImagesChangeTheirGreyOrPalette) {
  TPngImage grey;
  grey.CreateBlank(COLOR_GRAYSCALEALPHA, 1, 1);
  grey.ScanLine(0)[0] = 64;
  grey.AlphaScanline(0)[0] = 9;
  EXPECT_TRUE(PngApplyGamma(&grey, 2.0f));
  EXPECT_EQ(grey.ScanLine(0)[0], 128);
  EXPECT_EQ(grey.AlphaScanline(0)[0], 9);

  auto paletteHolder = PaletteRow({1, 0}, {{0, 64, 255, 255}, {64, 64, 64, 0}});
  TPngImage& palette = *paletteHolder;
  EXPECT_TRUE(PngApplyGamma(&palette, 2.0f));
  EXPECT_EQ(palette.ScanLine(0)[0], 1);  // indexes untouched
  EXPECT_EQ(palette.Palette()[0], (TPngPaletteEntry{0, 128, 255, 255}));
  EXPECT_EQ(palette.Palette()[1], (TPngPaletteEntry{128, 128, 128, 0}));
}

TEST(PngApplyGamma, TransparentColourPixelsStayTransparent) {
  // Remapped colours no longer match the transparent colour; the image must
  // keep hiding exactly the pixels it hid before.
  auto pngHolder = RgbRow({{64, 0, 64}, {64, 0, 65}}, false);
  TPngImage& png = *pngHolder;
  png.SetTransparentColor(RGB(64, 0, 64));
  EXPECT_TRUE(PngApplyGamma(&png, 2.0f));
  EXPECT_EQ(png.PixelAlpha(0, 0), 0);
  EXPECT_EQ(png.PixelAlpha(1, 0), 255);
  EXPECT_EQ(png.Pixel(1, 0), RGB(128, 0, 129));
}

TEST(PngApplyBlend, ScalesAlphaWithHalvesToEven) {
  struct Case {
    std::uint8_t amount, alpha, expected;
  };
  for (const Case& c :
       {Case{255, 255, 255}, Case{255, 100, 100}, Case{255, 1, 1}, Case{127, 255, 128},
        Case{127, 100, 50}, Case{127, 0, 0}, Case{0, 255, 1}, Case{0, 127, 0}}) {
    auto pngHolder = RgbRow({{1, 2, 3, c.alpha}}, true);
    TPngImage& png = *pngHolder;
    PngApplyBlend(&png, c.amount);
    EXPECT_EQ(png.AlphaScanline(0)[0], c.expected)
        << "amount " << int(c.amount) << ", alpha " << int(c.alpha);
    EXPECT_EQ(png.Pixel(0, 0), RGB(1, 2, 3));
  }
}

TEST(PngApplyBlend, RgbImageGetsAlphaAndLosesItsTransparentColour) {
  auto pngHolder = RgbRow({{255, 0, 255}, {1, 2, 3}}, false);
  TPngImage& png = *pngHolder;
  png.SetTransparentColor(clFuchsia);
  PngApplyBlend(&png, 127);
  EXPECT_EQ(png.Header().ColorType, COLOR_RGBALPHA);
  EXPECT_EQ(png.AlphaScanline(0)[0], 0);
  EXPECT_EQ(png.AlphaScanline(0)[1], 128);
}

TEST(PngApplyBlend, PaletteAndGreyImagesBecomeRgbWithAlphaAmount) {
  auto paletteHolder = PaletteRow({0, 1, 2}, {{9, 8, 7, 255}, {255, 0, 255, 0}, {1, 2, 3, 255}});
  TPngImage& palette = *paletteHolder;
  palette.AddChunk({"bKGD", {0}, pcpBeforeData});
  palette.AddChunk({"gAMA", {0, 0, 0xB1, 0x8F}, pcpBeforePalette});
  PngApplyBlend(&palette, 100);
  ASSERT_EQ(palette.Header().ColorType, COLOR_RGBALPHA);
  EXPECT_EQ(palette.Pixel(0, 0), RGB(9, 8, 7));
  EXPECT_EQ(palette.Pixel(1, 0), clFuchsia);
  EXPECT_EQ(palette.AlphaScanline(0)[0], 100);
  EXPECT_EQ(palette.AlphaScanline(0)[1], 0);
  EXPECT_EQ(palette.AlphaScanline(0)[2], 100);
  EXPECT_FALSE(palette.HasChunk("bKGD"));  // a palette index means nothing now
  EXPECT_TRUE(palette.HasChunk("gAMA"));

  TPngImage grey;
  grey.CreateBlank(COLOR_GRAYSCALE, 2, 1);
  grey.ScanLine(0)[1] = 200;
  grey.SetTransparentColor(RGB(200, 200, 200));
  PngApplyBlend(&grey, 255);
  ASSERT_EQ(grey.Header().ColorType, COLOR_RGBALPHA);
  EXPECT_EQ(grey.Pixel(1, 0), RGB(200, 200, 200));
  EXPECT_EQ(grey.AlphaScanline(0)[0], 255);
  EXPECT_EQ(grey.AlphaScanline(0)[1], 0);
}

TEST(PngApplyBlend, OpaqueEntryWithTheTransparentEntrysColourStaysVisible) {
  auto pngHolder = PaletteRow({0, 1, 2}, {{255, 0, 255, 0}, {255, 0, 255, 255}, {1, 2, 3, 255}});
  TPngImage& png = *pngHolder;
  ASSERT_EQ(png.TransparencyMode(), ptmBit);
  PngApplyBlend(&png, 127);
  EXPECT_EQ(png.AlphaScanline(0)[0], 0);
  EXPECT_EQ(png.AlphaScanline(0)[1], 127);
  EXPECT_EQ(png.AlphaScanline(0)[2], 127);
}

TEST(PngApplyBlend, GradedPaletteAlphaIsScaledNotReplaced) {
  // Entries that were fully or half transparent must not become amount-opaque.
  auto pngHolder = PaletteRow({0, 1, 2}, {{1, 1, 1, 0}, {2, 2, 2, 100}, {3, 3, 3, 0}});
  TPngImage& png = *pngHolder;
  PngApplyBlend(&png, 127);
  EXPECT_EQ(png.AlphaScanline(0)[0], 0);
  EXPECT_EQ(png.AlphaScanline(0)[1], 50);
  EXPECT_EQ(png.AlphaScanline(0)[2], 0);
}

TEST(PngApplyGrayscale, MixesTowardLuminance) {
  struct Case {
    std::vector<std::uint8_t> rgb;
    std::uint8_t amount;
    TColor expected;
  };
  for (const Case& c :
       {Case{{255, 0, 0}, 255, RGB(76, 76, 76)}, Case{{0, 255, 0}, 255, RGB(148, 148, 148)},
        Case{{255, 255, 255}, 255, RGB(254, 254, 254)}, Case{{255, 0, 0}, 0, RGB(254, 0, 0)},
        Case{{200, 100, 0}, 128, RGB(158, 109, 59)}}) {
    auto pngHolder = RgbRow({{c.rgb[0], c.rgb[1], c.rgb[2], 33}}, true);
    TPngImage& png = *pngHolder;
    PngApplyGrayscale(&png, c.amount);
    EXPECT_EQ(png.Pixel(0, 0), c.expected) << int(c.rgb[0]) << "," << int(c.rgb[1]) << ","
                                           << int(c.rgb[2]) << " amount " << int(c.amount);
    EXPECT_EQ(png.AlphaScanline(0)[0], 33);
  }
}

TEST(PngApplyGrayscale, PaletteChangesEntriesAndGreyStaysAsItIs) {
  auto paletteHolder = PaletteRow({0}, {{255, 0, 0, 7}});
  TPngImage& palette = *paletteHolder;
  PngApplyGrayscale(&palette, 255);
  EXPECT_EQ(palette.Header().ColorType, COLOR_PALETTE);
  EXPECT_EQ(palette.Palette()[0], (TPngPaletteEntry{76, 76, 76, 7}));

  TPngImage grey;
  grey.CreateBlank(COLOR_GRAYSCALEALPHA, 1, 1);
  grey.ScanLine(0)[0] = 3;
  const auto before = Bytes(grey);
  PngApplyGrayscale(&grey, 255);
  EXPECT_EQ(Bytes(grey), before);
}

// A hot or disabled glyph drawn on a screen of high resolution: each effect
// reaches the picture's second drawing as well; without that it would show
// the untouched picture there.
TEST(PngEffects, ReachTheSecondDrawing) {
  const auto paletteTwice = [] {
    auto twice = std::make_shared<TPngImage>();
    twice->CreateBlank(COLOR_PALETTE, 4, 2);
    twice->SetPalette({{200, 10, 10, 255}, {0, 0, 0, 0}});
    twice->ScanLine(1)[2] = 1;
    return std::shared_ptr<const TPngImage>(std::move(twice));
  };
  struct Case {
    const char* name;
    std::function<void(TPngImage*)> effect;
  };
  const Case cases[] = {
      {"gamma", [](TPngImage* p) { PngApplyGamma(p, 2.0f); }},
      {"blend", [](TPngImage* p) { PngApplyBlend(p, 127); }},
      {"greyscale", [](TPngImage* p) { PngApplyGrayscale(p, 255); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto png = PaletteRow({0, 1}, {{200, 10, 10, 255}, {0, 0, 0, 0}});
    png->SetDetailImage(paletteTwice());
    ASSERT_NE(png->DetailImage(), nullptr);
    TPngImage expected;
    expected.Assign(paletteTwice().get());
    c.effect(&expected);
    c.effect(png.get());
    ASSERT_NE(png->DetailImage(), nullptr);
    EXPECT_EQ(Bytes(*png->DetailImage()), Bytes(expected));
  }
}

}  // namespace
}  // namespace mirto
