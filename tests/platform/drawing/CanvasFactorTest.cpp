// A canvas over a picture of several pixels per logical pixel (controls on
// screens of high resolution): the pixel rules keep their logical shape,
// cell by cell, while text, rounded shapes and pictures use every pixel.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/FactorCanvas.h"
#include "platform/drawing/PngImage.h"
#include "tests/support/PixelBoard.h"
#include "tests/support/ScaledBoard.h"

namespace mirto {
namespace {

using testing_support::DistinctInkColumns;
using testing_support::Enlarge;
using testing_support::FirstDifference;
using testing_support::PixelBoard;
using testing_support::ScaledBoard;

constexpr int kWidth = 24, kHeight = 16;

struct Drawing {
  const char* name;
  std::function<void(TCanvas&)> draw;
};

// Paints the drawing at factor 1 and at factor; the enlarged factor-1
// picture and the factor picture, ready to compare.
struct Renderings {
  TBitmap enlarged;
  std::unique_ptr<ScaledBoard> scaled;
};

std::unique_ptr<Renderings> Render(const Drawing& drawing, int factor) {
  auto result = std::make_unique<Renderings>();
  PixelBoard plain(kWidth, kHeight, clSilver);
  drawing.draw(plain.Canvas());
  Enlarge(plain.Bitmap(), factor, result->enlarged);
  result->scaled = std::make_unique<ScaledBoard>(kWidth, kHeight, factor, clSilver);
  drawing.draw(result->scaled->Canvas());
  return result;
}

TEST(CanvasFactor, PixelRulesCoverWholeCells) {
  const Drawing drawings[] = {
      {"fill",
       [](TCanvas& c) {
         c.Brush().SetColor(clRed);
         c.FillRect({1, 2, 7, 5});
       }},
      {"lines, end point left out",
       [](TCanvas& c) {
         c.Pen().SetColor(clBlue);
         c.MoveTo(0, 0);
         c.LineTo(13, 5);
         c.LineTo(13, 15);
         c.Pen().SetStyle(psDot);
         c.Brush().SetColor(clYellow);  // the gaps
         c.MoveTo(2, 10);
         c.LineTo(20, 10);
       }},
      {"frames and outlines",
       [](TCanvas& c) {
         c.Brush().SetColor(clGreen);
         c.FrameRect({1, 1, 9, 7});
         c.Pen().SetWidth(3);
         c.Pen().SetColor(clNavy);
         c.Brush().SetColor(clYellow);
         c.Rectangle(11, 2, 20, 12);
         c.Pen().SetWidth(1);
         c.Pen().SetMode(pmXor);
         c.Pen().SetColor(clWhite);
         c.Rectangle(3, 5, 15, 14);
       }},
      {"focus rectangle",
       [](TCanvas& c) {
         c.Brush().SetColor(clMaroon);
         c.FillRect({0, 0, 10, 10});
         c.DrawFocusRect({1, 1, 17, 9});
         c.DrawFocusRect({4, 3, 9, 15});
       }},
      {"gradients",
       [](TCanvas& c) {
         GradientFillCanvas(c, clRed, clBlue, {0, 0, 24, 7}, gdHorizontal);
         GradientFillCanvas(c, RGB(10, 200, 30), RGB(250, 0, 90), {3, 8, 23, 15}, gdVertical);
       }},
      {"pixels, origin and clip region",
       [](TCanvas& c) {
         c.SetPixels(3, 3, clFuchsia);
         c.SetPixels(c.Pixels(3, 3) == clFuchsia ? 4 : 5, 3, clFuchsia);
         c.SetWindowOrg({-2, -1});
         c.SelectClipRegion(CreateRectRgn({6, 4, 15, 12}));
         c.Brush().SetColor(clOlive);
         c.FillRect({0, 0, 20, 20});
       }},
      {"bitmap",
       [](TCanvas& c) {
         TBitmap bitmap;
         bitmap.SetSize(5, 3);
         for (int i = 0; i < 15; ++i)
           bitmap.Canvas().SetPixels(i % 5, i / 5, RGB(std::uint8_t(17 * i), 40, 200));
         c.Draw(2, 3, bitmap);
       }},
  };
  for (const Drawing& drawing : drawings) {
    for (int factor : {2, 3}) {
      SCOPED_TRACE(std::string(drawing.name) + " at factor " + std::to_string(factor));
      const auto r = Render(drawing, factor);
      EXPECT_EQ(r->scaled->Canvas().DeviceFactor(), factor);
      EXPECT_EQ(FirstDifference(r->enlarged, r->scaled->Pixels()), "");
    }
  }
}

TEST(CanvasFactor, TextRoundedShapesAndGlyphsUseEveryPixel) {
  TPngImage glyph;
  ASSERT_TRUE(glyph.LoadFromResourceName("glyph-about"));
  ASSERT_NE(glyph.DetailImage(), nullptr);
  const Drawing drawings[] = {
      {"text",
       [](TCanvas& c) {
         c.Font().SetHeight(-11);
         c.Brush().SetStyle(bsClear);
         c.TextOut(1, 1, "Mirto Ag");
       }},
      {"rounded rectangle",
       [](TCanvas& c) {
         c.Pen().SetColor(clNavy);
         c.Brush().SetColor(clYellow);
         c.RoundRect(1, 1, 23, 15, 9, 9);
       }},
      {"ellipse",
       [](TCanvas& c) {
         c.Pen().SetColor(clNavy);
         c.Ellipse(2, 1, 22, 15);
       }},
      {"glyph from its second drawing", [&glyph](TCanvas& c) { c.Draw(0, 0, glyph); }},
  };
  for (const Drawing& drawing : drawings) {
    SCOPED_TRACE(drawing.name);
    const auto r = Render(drawing, 2);
    const int enlarged = DistinctInkColumns(r->enlarged, clSilver);
    EXPECT_GT(enlarged, 0);
    EXPECT_GT(DistinctInkColumns(r->scaled->Pixels(), clSilver), enlarged);
  }
}

TEST(CanvasFactor, DevicePixelsLandOnePerTargetPixelInsideTheClip) {
  for (int factor : {1, 2, 3}) {
    SCOPED_TRACE("factor " + std::to_string(factor));
    const auto dot = [](int x, int y) {
      return RGB(std::uint8_t(20 * x), std::uint8_t(30 * y), 99);
    };
    TBitmap dots;
    dots.SetPixelFormat(pf32bit);
    dots.SetSize(3 * factor, 2 * factor);
    for (int y = 0; y < dots.Height(); ++y)
      for (int x = 0; x < dots.Width(); ++x) dots.Canvas().SetPixels(x, y, dot(x, y));
    ScaledBoard board(8, 6, factor, clSilver);
    board.Canvas().SetWindowOrg({-1, 0});                          // (2, 1) is cell (3, 1)
    board.Canvas().SelectClipRegion(CreateRectRgn({0, 0, 5, 6}));  // cuts off cell column 5
    board.Canvas().DrawDevicePixels(2, 1, dots);
    TBitmap& pixels = board.Pixels();
    for (int y = 0; y < pixels.Height(); ++y)
      for (int x = 0; x < pixels.Width(); ++x) {
        const bool covered = x >= 3 * factor && x < 5 * factor && y >= factor && y < 3 * factor;
        ASSERT_EQ(pixels.Canvas().Pixels(x, y),
                  covered ? dot(x - 3 * factor, y - factor) : clSilver)
            << x << "," << y;
      }
  }
}

// A bitmap once painted through a factor canvas is an ordinary bitmap of its
// own pixels again: painted and drawn on as one never given to it.
TEST(CanvasFactor, ABitmapIsPlainAgainOnceItsFactorCanvasIsGone) {
  const auto paint = [](TCanvas& c) {
    c.Brush().SetColor(clBlue);
    c.FillRect({3, 0, 4, 1});
    c.Pen().SetColor(clNavy);
    c.Brush().SetColor(clYellow);
    c.RoundRect(8, 2, 20, 10, 5, 5);
    c.Font().SetHeight(-9);
    c.Brush().SetStyle(bsClear);
    c.TextOut(1, 4, "Ag");
  };
  PixelBoard once(kWidth, kHeight, clSilver);
  {
    TFactorCanvas scaled(once.Bitmap(), 2);
    scaled.Canvas().Brush().SetColor(clRed);
    scaled.Canvas().FillRect({0, 0, 1, 1});  // one cell: 2 x 2 pixels
  }
  EXPECT_EQ(once.Picture({{clRed, 'R'}}, {0, 0, 4, 3}),
            (testing_support::Rows{"RR..", "RR..", "...."}));
  PixelBoard never(kWidth, kHeight, clSilver);
  never.Canvas().Brush().SetColor(clRed);
  never.Canvas().FillRect({0, 0, 2, 2});
  paint(once.Canvas());
  paint(never.Canvas());
  EXPECT_EQ(once.DifferenceFrom(never), "");
  PixelBoard drawnOnce(kWidth, kHeight), drawnNever(kWidth, kHeight);
  drawnOnce.Canvas().Draw(0, 0, once.Bitmap());
  drawnNever.Canvas().Draw(0, 0, never.Bitmap());
  EXPECT_EQ(drawnOnce.DifferenceFrom(drawnNever), "");
}

// A picture whose second drawing differs from it in one pixel, so the
// pixel shows which drawing was used.
void MarkPicture(TPngImage& plain) {
  plain.CreateBlank(COLOR_RGB, 2, 2);
  auto twice = std::make_shared<TPngImage>();
  twice->CreateBlank(COLOR_RGB, 4, 4);
  twice->ScanLine(0)[2] = 255;  // pixel (0, 0) red, the rest black
  plain.SetDetailImage(twice);
}

TEST(CanvasFactor, SecondDrawingShowsOnlyAtEvenFactorsAndGoesWithThePixels) {
  TPngImage picture;
  MarkPicture(picture);
  ASSERT_NE(picture.DetailImage(), nullptr);
  const auto corner = [](const TPngImage& png, int factor) {
    ScaledBoard board(2, 2, factor);
    board.Canvas().Draw(0, 0, png);
    TBitmap& pixels = board.Pixels();
    return std::pair(pixels.Canvas().Pixels(0, 0), pixels.Canvas().Pixels(1, 1));
  };
  EXPECT_EQ(corner(picture, 1), std::pair(clBlack, clBlack));
  EXPECT_EQ(corner(picture, 2), std::pair(clRed, clBlack));
  EXPECT_EQ(corner(picture, 3), std::pair(clBlack, clBlack));
  EXPECT_EQ(corner(picture, 4), std::pair(clRed, clRed));

  TPngImage copy;
  copy.Assign(&picture);
  EXPECT_EQ(corner(copy, 2), std::pair(clRed, clBlack));
  // A change of the pixels drops it.
  copy.ScanLine(0);
  EXPECT_EQ(copy.DetailImage(), nullptr);

  // Only a drawing of exactly twice the size is kept.
  auto wrong = std::make_shared<TPngImage>();
  wrong->CreateBlank(COLOR_RGB, 4, 3);
  picture.SetDetailImage(wrong);
  EXPECT_EQ(picture.DetailImage(), nullptr);
}

TEST(CanvasFactor, AnEmbeddedPicturesSecondDrawingIsDecodedOnceForAllCopies) {
  TPngImage glyph;
  ASSERT_TRUE(glyph.LoadFromResourceName("glyph-about"));
  TPngImage copy;
  copy.Assign(&glyph);
  const std::shared_ptr<const TPngImage> detail = copy.DetailImage();
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(detail->Width(), 2 * glyph.Width());
  EXPECT_EQ(glyph.DetailImage(), detail) << "the copy decoded it for the original too";
  TPngImage reloaded;
  ASSERT_TRUE(reloaded.LoadFromResourceName("glyph-about"));
  EXPECT_EQ(reloaded.DetailImage()->SaveToBytes(), detail->SaveToBytes());
}

}  // namespace
}  // namespace mirto
