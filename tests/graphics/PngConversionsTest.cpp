#include <gtest/gtest.h>

#include <QByteArray>
#include <vector>

#include "graphics/PngFunctions.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Icon.h"
#include "tests/support/PixelPicture.h"

namespace mirto {
namespace {

using testing_support::Blank;

std::vector<int> AlphaRow(const TPngImage& png, int y) {
  std::vector<int> out;
  for (int x = 0; x < png.Width(); ++x) out.push_back(png.PixelAlpha(x, y));
  return out;
}

TEST(PngConversions, MissingDestinationIsReportedNotIgnored) {
  TBitmap bitmap;
  Blank(bitmap, 2, 2, clRed);
  auto expectDestNil = [](auto call) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const EAssertionFailed& e) {
      EXPECT_STREQ(e.what(), "Dest is nil!");
    }
  };
  expectDestNil([&] { PngFromGraphic(&bitmap, nullptr); });
  expectDestNil([&] { PngFromBitmapMask(&bitmap, &bitmap, nullptr, false); });
  expectDestNil([&] { PngFromBitmapTransparent(&bitmap, clRed, nullptr); });
}

TEST(PngConversions, PicturesBeyondThePngLimitsAreRefusedBeforeAnyWork) {
  struct Size {
    int width, height;
  };
  for (const Size& size : {Size{8193, 1}, Size{1, 8193}, Size{4097, 4096}}) {
    SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
    TBitmap big;
    big.SetSize(size.width, size.height);
    ASSERT_EQ(big.Width(), size.width);
    TPngImage dest;
    dest.CreateBlank(COLOR_RGB, 2, 2);
    EXPECT_THROW(PngFromGraphic(&big, &dest), EPngError);
    EXPECT_THROW(PngFromBitmapMask(&big, nullptr, &dest, false), EPngError);
    EXPECT_THROW(PngFromBitmapTransparent(&big, clBlack, &dest), EPngError);
    EXPECT_EQ(dest.Width(), 2);
  }
  TBitmap widest;
  widest.SetSize(8192, 1);
  TPngImage dest;
  PngFromBitmapTransparent(&widest, clBlack, &dest);
  EXPECT_EQ(dest.Width(), 8192);
}

TEST(PngConversions, FuchsiaBackgroundBecomesTransparent) {
  TBitmap bitmap;
  Blank(bitmap, 3, 2, clFuchsia);
  bitmap.Canvas().SetPixels(1, 0, RGB(255, 0, 254));  // close, but not the key
  bitmap.Canvas().SetPixels(2, 1, clBlue);
  TPngImage png;
  PngFromBitmapTransparent(&bitmap, clFuchsia, &png);
  EXPECT_EQ(png.Header().ColorType, COLOR_RGBALPHA);
  EXPECT_EQ(AlphaRow(png, 0), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(AlphaRow(png, 1), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(png.Pixel(2, 1), clBlue);

  // clNone names no colour: a white bitmap stays opaque.
  TBitmap white;
  Blank(white, 1, 1, clWhite, pf32bit);
  PngFromBitmapTransparent(&white, clNone, &png);
  EXPECT_EQ(AlphaRow(png, 0), (std::vector<int>{255}));
}

TEST(PngConversions, MaskRedByteGivesAlpha) {
  TBitmap color, mask;
  Blank(color, 3, 2, RGB(10, 20, 30), pf32bit);
  Blank(mask, 2, 2, clBlack);
  mask.Canvas().SetPixels(1, 0, RGB(200, 0, 0));
  mask.Canvas().SetPixels(0, 1, RGB(0, 255, 255));  // only the red byte counts

  TPngImage png;
  PngFromBitmapMask(&color, &mask, &png, false);
  EXPECT_EQ(png.Pixel(0, 0), RGB(10, 20, 30));
  // Column 2 lies outside the mask: opaque.
  EXPECT_EQ(AlphaRow(png, 0), (std::vector<int>{0, 200, 255}));
  EXPECT_EQ(AlphaRow(png, 1), (std::vector<int>{0, 0, 255}));
  PngFromBitmapMask(&color, &mask, &png, true);
  EXPECT_EQ(AlphaRow(png, 0), (std::vector<int>{255, 55, 255}));
  PngFromBitmapMask(&color, nullptr, &png, false);
  EXPECT_EQ(AlphaRow(png, 1), (std::vector<int>{255, 255, 255}));
}

TEST(PngFromGraphic, TransparentBitmapsUseTheirTransparentColour) {
  TBitmap bitmap;
  Blank(bitmap, 2, 2, clLime);
  bitmap.Canvas().SetPixels(0, 1, clRed);  // bottom-left: the automatic key
  bitmap.Canvas().SetPixels(1, 0, clRed);
  bitmap.SetTransparent(true);
  TPngImage png;
  PngFromGraphic(&bitmap, &png);
  EXPECT_EQ(AlphaRow(png, 0), (std::vector<int>{255, 0}));
  EXPECT_EQ(AlphaRow(png, 1), (std::vector<int>{0, 255}));
  EXPECT_EQ(png.Pixel(1, 0), clRed);

  bitmap.SetTransparentMode(tmFixed);
  bitmap.SetTransparentColor(clLime);
  PngFromGraphic(&bitmap, &png);
  EXPECT_EQ(AlphaRow(png, 0), (std::vector<int>{0, 255}));

  // A bitmap that is not transparent stays opaque RGB.
  bitmap.SetTransparent(false);
  PngFromGraphic(&bitmap, &png);
  EXPECT_EQ(png.Header().ColorType, COLOR_RGB);
  EXPECT_EQ(png.Pixel(0, 1), clRed);
}

TEST(PngFromGraphic, IconsKeepTheirAlphaAndPngImagesAreCopied) {
  TBitmap source;
  Blank(source, 2, 1, clBlue, pf32bit);
  source.ScanLine(0)[3] = 255;
  source.ScanLine(0)[7] = 60;
  TIcon icon;
  icon.Assign(&source);
  TPngImage png;
  PngFromGraphic(&icon, &png);
  EXPECT_EQ(png.Width(), 2);
  EXPECT_EQ(AlphaRow(png, 0), (std::vector<int>{255, 60}));
  EXPECT_EQ(png.Pixel(0, 0), clBlue);

  TPngImage copy;
  PngFromGraphic(&png, &copy);
  EXPECT_EQ(AlphaRow(copy, 0), (std::vector<int>{255, 60}));
  PngFromGraphic(nullptr, &copy);
  EXPECT_TRUE(copy.Empty());
}

TEST(DrawPngWithEffects, DisabledDrawingUsesACopyBlendedThenGreyed) {
  TPngImage png;
  png.CreateBlank(COLOR_RGBALPHA, 1, 1);
  png.ScanLine(0)[2] = 255;  // red
  png.AlphaScanline(0)[0] = 255;

  TBitmap plain, disabled, expected;
  for (TBitmap* b : {&plain, &disabled, &expected}) Blank(*b, 1, 1, clWhite);
  DrawPngWithEffects(&png, plain.Canvas(), {0, 0, 1, 1}, {});
  DrawPngWithEffects(&png, disabled.Canvas(), {0, 0, 1, 1},
                     {pngBlendOnDisabled, pngGrayscaleOnDisabled});
  EXPECT_EQ(plain.Canvas().Pixels(0, 0), clRed);
  // The original keeps its colour and alpha.
  EXPECT_EQ(png.Pixel(0, 0), clRed);
  EXPECT_EQ(png.AlphaScanline(0)[0], 255);

  TPngImage manual;
  manual.Assign(&png);
  PngApplyBlend(&manual, 127);
  PngApplyGrayscale(&manual, 255);
  manual.Draw(expected.Canvas(), {0, 0, 1, 1});
  EXPECT_EQ(disabled.Canvas().Pixels(0, 0), expected.Canvas().Pixels(0, 0));
  // Grey 76 at alpha 128 over white.
  const TColor got = disabled.Canvas().Pixels(0, 0);
  EXPECT_EQ(GetRValue(got), GetBValue(got));
  EXPECT_NEAR(GetRValue(got), (76 * 128 + 255 * 127) / 255, 1);
}

}  // namespace
}  // namespace mirto
