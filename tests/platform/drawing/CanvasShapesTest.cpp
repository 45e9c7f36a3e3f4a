// Pixel rules of the canvas's fills, lines and outlines, checked on small
// bitmaps.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/StylePainting.h"
#include "tests/support/PixelPicture.h"

namespace mirto {
namespace {

using testing_support::Blank;
using testing_support::Picture;
using testing_support::Rows;

TEST(CanvasFill, FillRectExcludesRightAndBottom) {
  for (TPixelFormat format : {pf24bit, pf32bit}) {
    TBitmap bitmap;
    Blank(bitmap, 5, 4, clWhite, format);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect({1, 1, 3, 3});
    EXPECT_EQ(Picture(bitmap, {{clRed, '#'}}), (Rows{".....", ".##..", ".##..", "....."}));
  }
}

TEST(CanvasLines, LineToLeavesTheEndPointOut) {
  struct Case {
    TPoint from, to;
    Rows picture;
  };
  const Case cases[] = {
      {{0, 1}, {4, 1}, {".....", "####.", ".....", "....."}},
      {{4, 1}, {0, 1}, {".....", ".####", ".....", "....."}},
      {{2, 0}, {2, 3}, {"..#..", "..#..", "..#..", "....."}},
      {{0, 0}, {3, 3}, {"#....", ".#...", "..#..", "....."}},
      {{3, 3}, {0, 0}, {".....", ".#...", "..#..", "...#."}},
  };
  for (const Case& c : cases) {
    TBitmap bitmap;
    Blank(bitmap, 5, 4);
    bitmap.Canvas().Pen().SetColor(clBlue);
    bitmap.Canvas().MoveTo(c.from.X, c.from.Y);
    bitmap.Canvas().LineTo(c.to.X, c.to.Y);
    EXPECT_EQ(Picture(bitmap, {{clBlue, '#'}}), c.picture) << c.from.X << "," << c.from.Y;
    EXPECT_EQ(bitmap.Canvas().PenPos(), c.to);
  }
}

TEST(CanvasFill, DegenerateInputDrawsNothing) {
  TBitmap bitmap;
  Blank(bitmap, 4, 4);
  const Rows blank = Picture(bitmap, {{clRed, '#'}});
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.Pen().SetColor(clRed);
  canvas.FillRect({2, 2, 2, 4});  // no width
  canvas.FillRect({3, 3, 1, 1});  // inverted
  canvas.Rectangle({1, 1, 1, 3});
  canvas.Ellipse({1, 1, 3, 1});
  canvas.RoundRect({0, 2, 4, 2}, 2, 2);
  canvas.MoveTo(1, 1);
  canvas.LineTo(1, 1);
  canvas.Brush().SetColor(clNone);
  canvas.FillRect({0, 0, 4, 4});
  canvas.Brush().SetColor(clRed);
  canvas.Brush().SetStyle(bsClear);
  canvas.FillRect({0, 0, 4, 4});
  canvas.Pen().SetColor(clNone);
  canvas.MoveTo(0, 0);
  canvas.LineTo(3, 0);
  EXPECT_EQ(Picture(bitmap, {{clRed, '#'}}), blank);
}

TEST(CanvasFill, AnUnboundCanvasKeepsItsToolsAndDrawsNothing) {
  TCanvas canvas;
  EXPECT_FALSE(canvas.HandleAllocated());
  canvas.Brush().SetColor(clRed);
  canvas.FillRect({0, 0, 10, 10});
  canvas.LineTo(5, 5);
  EXPECT_EQ(canvas.Pixels(0, 0), clNone);
  EXPECT_EQ(canvas.ClipRect(), TRect{});
  EXPECT_GT(canvas.TextWidth(QStringLiteral("Mirto")), 0);
}

TEST(CanvasLines, WidePensAndStylesKeepTheEndPointOut) {
  TBitmap bitmap;
  Blank(bitmap, 6, 5);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetColor(clBlue);
  canvas.Pen().SetWidth(3);
  canvas.MoveTo(1, 2);
  canvas.LineTo(5, 2);
  EXPECT_EQ(Picture(bitmap, {{clBlue, '#'}}),
            (Rows{"......", ".####.", ".####.", ".####.", "......"}));

  Blank(bitmap, 8, 1);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(psDot);
  canvas.Brush().SetStyle(bsClear);
  canvas.MoveTo(0, 0);
  canvas.LineTo(8, 0);
  EXPECT_EQ(Picture(bitmap, {{clBlue, '#'}}), (Rows{"###...##"}));

  Blank(bitmap, 4, 1);
  canvas.Pen().SetStyle(psClear);
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 0);
  EXPECT_EQ(Picture(bitmap, {{clBlue, '#'}}), (Rows{"...."}));
}

TEST(CanvasLines, XorPenDrawnTwiceRestoresThePixels) {
  TBitmap bitmap;
  Blank(bitmap, 5, 5, RGB(10, 200, 30));
  bitmap.Canvas().Brush().SetColor(RGB(200, 20, 90));
  bitmap.Canvas().FillRect({1, 1, 4, 4});
  const Rows before = Picture(bitmap, {{RGB(200, 20, 90), '#'}}, RGB(10, 200, 30));
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetMode(pmXor);
  canvas.Pen().SetColor(clWhite);
  for (int pass = 0; pass < 2; ++pass) {
    canvas.MoveTo(0, 0);
    canvas.LineTo(5, 5);
    canvas.MoveTo(0, 2);
    canvas.LineTo(5, 2);
  }
  EXPECT_EQ(Picture(bitmap, {{RGB(200, 20, 90), '#'}}, RGB(10, 200, 30)), before);

  canvas.MoveTo(0, 2);
  canvas.LineTo(5, 2);
  EXPECT_EQ(canvas.Pixels(0, 2), RGB(245, 55, 225));
  EXPECT_EQ(canvas.Pixels(2, 2), RGB(55, 235, 165));
}

TEST(CanvasLines, AbsurdCoordinatesAreClippedQuickly) {
  TBitmap bitmap;
  Blank(bitmap, 4, 4);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetColor(clBlue);
  canvas.MoveTo(INT_MIN, INT_MIN);
  canvas.LineTo(INT_MAX, INT_MAX);
  canvas.MoveTo(-2000000000, 2);
  canvas.LineTo(2000000000, 3);
  canvas.SetWindowOrg({INT_MAX, INT_MIN});
  canvas.MoveTo(INT_MIN, INT_MAX);
  canvas.LineTo(0, 0);
  canvas.Brush().SetColor(clRed);
  canvas.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  canvas.SetWindowOrg({0, 0});
  EXPECT_EQ(canvas.Pixels(1, 1), clBlue);

  // Shapes, text and fills spanning the whole coordinate range.
  const TRect everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  canvas.Rectangle(everything);
  canvas.Ellipse(everything);
  canvas.RoundRect(everything, INT_MAX, INT_MAX);
  canvas.DrawFocusRect(everything);
  TRect text = everything;
  canvas.DrawText(QStringLiteral("x"), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  GradientFillCanvas(canvas, clBlack, clWhite, everything, gdVertical);
  GradientFillCanvas(canvas, clBlack, clWhite, everything, gdHorizontal);
  // The canvas sits in the middle of both gradients: mid grey everywhere.
  const TColor middle = canvas.Pixels(1, 1);
  EXPECT_EQ(GetRValue(middle), GetGValue(middle));
  EXPECT_EQ(GetGValue(middle), GetBValue(middle));
  EXPECT_NEAR(GetRValue(middle), 128, 2);
  EXPECT_EQ(canvas.Pixels(3, 0), middle);
  // Stretched over the whole range onto itself, the grey picture stays.
  canvas.StretchDraw(everything, bitmap);
  EXPECT_EQ(canvas.Pixels(1, 1), middle);
  EXPECT_EQ(canvas.Pixels(0, 3), middle);
}

TEST(CanvasShapes, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
  struct Case {
    const char* name;
    int penWidth;
    TPenStyle penStyle;
    TBrushStyle brushStyle;
    Rows picture;  // '#' pen, 'o' brush, '.' untouched
  };
  const Case cases[] = {
      {"pen 1, solid brush", 1, psSolid, bsSolid,
       Rows{"......", ".####.", ".#oo#.", ".#oo#.", ".####.", "......"}},
      {"clear brush", 1, psSolid, bsClear,
       Rows{"......", ".####.", ".#..#.", ".#..#.", ".####.", "......"}},
      {"clear pen fills one less", 1, psClear, bsSolid,
       Rows{"......", ".ooo..", ".ooo..", ".ooo..", "......", "......"}},
      {"pen 2 lies inside", 2, psSolid, bsSolid,
       Rows{"......", ".####.", ".####.", ".####.", ".####.", "......"}},
      {"pen 3 is centred", 3, psSolid, bsClear,
       Rows{"######", "######", "######", "######", "######", "######"}},
  };
  for (const Case& c : cases) {
    TBitmap bitmap;
    Blank(bitmap, 6, 6);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(clBlue);
    canvas.Pen().SetWidth(c.penWidth);
    canvas.Pen().SetStyle(c.penStyle);
    canvas.Brush().SetColor(clRed);
    canvas.Brush().SetStyle(c.brushStyle);
    canvas.Rectangle(1, 1, 5, 5);
    EXPECT_EQ(Picture(bitmap, {{clBlue, '#'}, {clRed, 'o'}}), c.picture) << c.name;
  }
}

TEST(CanvasShapes, RoundedShapesStayInsideTheirRectangle) {
  TBitmap bitmap;
  Blank(bitmap, 12, 12);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetColor(clBlue);
  canvas.Brush().SetColor(clRed);
  canvas.Ellipse(1, 1, 11, 11);
  EXPECT_EQ(canvas.Pixels(6, 6), clRed);
  EXPECT_EQ(canvas.Pixels(1, 1), clWhite);
  EXPECT_EQ(canvas.Pixels(10, 10), clWhite);
  EXPECT_EQ(canvas.Pixels(1, 6), clBlue);
  EXPECT_EQ(canvas.Pixels(10, 6), clBlue);
  EXPECT_EQ(canvas.Pixels(6, 1), clBlue);
  EXPECT_EQ(canvas.Pixels(6, 10), clBlue);
  EXPECT_EQ(canvas.Pixels(11, 6), clWhite);
  EXPECT_EQ(canvas.Pixels(6, 11), clWhite);

  Blank(bitmap, 12, 12);
  canvas.Brush().SetColor(clRed);
  canvas.RoundRect(1, 1, 11, 11, 6, 6);
  EXPECT_EQ(canvas.Pixels(1, 1), clWhite);
  EXPECT_EQ(canvas.Pixels(10, 10), clWhite);
  EXPECT_EQ(canvas.Pixels(6, 1), clBlue);
  EXPECT_EQ(canvas.Pixels(10, 6), clBlue);
  EXPECT_EQ(canvas.Pixels(5, 5), clRed);
  EXPECT_EQ(canvas.Pixels(11, 6), clWhite);

  // Without rounding a rounded rectangle is a plain one.
  TBitmap square;
  Blank(square, 12, 12);
  square.Canvas().Pen().SetColor(clBlue);
  square.Canvas().Pen().SetWidth(2);
  square.Canvas().Brush().SetColor(clRed);
  square.Canvas().RoundRect(1, 1, 11, 11, 0, 0);
  Blank(bitmap, 12, 12);
  canvas.Brush().SetColor(clRed);
  canvas.Pen().SetWidth(2);
  canvas.Rectangle(1, 1, 11, 11);
  EXPECT_EQ(Picture(square, {{clBlue, '#'}}), Picture(bitmap, {{clBlue, '#'}}));
}

TEST(CanvasClip, RegionOffsetByTheWindowOriginLimitsPainting) {
  TBitmap bitmap;
  Blank(bitmap, 8, 6);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetWindowOrg({-2, -1});  // logical (0, 0) is device (2, 1)
  TRegion region = CreateRectRgn({1, 1, 4, 3});
  region.Offset(-canvas.WindowOrg().X, -canvas.WindowOrg().Y);
  canvas.SelectClipRegion(region);
  EXPECT_EQ(canvas.ClipRect(), (TRect{1, 1, 4, 3}));
  canvas.Brush().SetColor(clRed);
  canvas.FillRect({-10, -10, 20, 20});
  canvas.SetWindowOrg({0, 0});
  EXPECT_EQ(Picture(bitmap, {{clRed, '#'}}),
            (Rows{"........", "........", "...###..", "...###..", "........", "........"}));

  canvas.SetWindowOrg({-2, -1});
  canvas.ClearClipRegion();
  EXPECT_EQ(canvas.ClipRect(), (TRect{-2, -1, 6, 5}));
  canvas.FillRect({-2, -1, -1, 0});
  EXPECT_EQ(canvas.Pixels(-2, -1), clRed);
  EXPECT_EQ(canvas.Pixels(-3, -1), clNone);

  canvas.SelectClipRegion(CreateRectRgn({}));
  canvas.Brush().SetColor(clBlue);
  canvas.FillRect({-2, -1, 6, 5});
  canvas.SetPixels(0, 0, clBlue);
  EXPECT_EQ(canvas.ClipRect(), TRect{});
  for (const std::string& row : Picture(bitmap, {{clBlue, '#'}}))
    EXPECT_EQ(row.find('#'), std::string::npos) << row;
}

TEST(CanvasClip, StateGuardRestoresToolsOriginAndClip) {
  TBitmap bitmap;
  Blank(bitmap, 4, 4);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetColor(clBlue);
  canvas.Font().SetHeight(-20);
  canvas.SelectClipRegion(CreateRectRgn({0, 0, 2, 2}));
  {
    TCanvasStateGuard guard(canvas);
    canvas.Pen().SetColor(clRed);
    canvas.Pen().SetWidth(4);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetHeight(-9);
    canvas.SetWindowOrg({3, 3});
    canvas.ClearClipRegion();
    canvas.MoveTo(7, 7);
  }
  EXPECT_EQ(canvas.Pen().Color(), clBlue);
  EXPECT_EQ(canvas.Pen().Width(), 1);
  EXPECT_EQ(canvas.Brush().Style(), bsSolid);
  EXPECT_EQ(canvas.Font().Height(), -20);
  EXPECT_EQ(canvas.WindowOrg(), TPoint{});
  EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 2, 2}));
  EXPECT_EQ(canvas.PenPos(), TPoint{});
}

TEST(CanvasFrames, Frame3DDrawsNestedFramesAndShrinksTheRectangle) {
  TBitmap bitmap;
  Blank(bitmap, 7, 7);
  TRect rect{0, 0, 6, 6};
  Frame3D(bitmap.Canvas(), rect, clBlue, clRed, 2);
  EXPECT_EQ(rect, (TRect{2, 2, 4, 4}));
  Rows picture = Picture(bitmap, {{clBlue, '#'}, {clRed, 'o'}});
  EXPECT_EQ(picture,
            (Rows{"#####o.", "####oo.", "##..oo.", "##..oo.", "#ooooo.", "oooooo.", "......."}));

  TRect untouched{1, 1, 5, 5};
  Frame3D(bitmap.Canvas(), untouched, clBlue, clRed, 0);
  EXPECT_EQ(untouched, (TRect{1, 1, 5, 5}));

  // Wider than the rectangle: the frames stop when it is used up, and the
  // rectangle still shrinks by the full width.
  Blank(bitmap, 3, 3);
  TRect small{0, 0, 3, 3};
  Frame3D(bitmap.Canvas(), small, clBlue, clRed, 5);
  EXPECT_EQ(small, (TRect{5, 5, -2, -2}));
  picture = Picture(bitmap, {{clBlue, '#'}, {clRed, 'o'}});
  EXPECT_EQ(picture, (Rows{"##o", "#oo", "ooo"}));

  TRect everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  Frame3D(bitmap.Canvas(), everything, clBlue, clRed, INT_MAX);
  EXPECT_EQ(everything, (TRect{-1, -1, 0, 0}));
}

TEST(CanvasFrames, PushButtonFaceHasTwoBevelRingsAndLeavesTheToolsAlone) {
  TBitmap bitmap;
  Blank(bitmap, 6, 6, clRed);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetColor(clBlue);
  canvas.Brush().SetColor(clLime);
  TRect rect{0, 0, 6, 6};
  DrawPushButtonFace(canvas, rect);
  EXPECT_EQ(rect, (TRect{2, 2, 4, 4}));
  EXPECT_EQ(canvas.Pixels(0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(canvas.Pixels(5, 5), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(canvas.Pixels(1, 1), ColorToRGB(cl3DLight));
  EXPECT_EQ(canvas.Pixels(4, 4), ColorToRGB(clBtnShadow));
  EXPECT_EQ(canvas.Pixels(2, 3), ColorToRGB(clBtnFace));
  EXPECT_EQ(canvas.Pen().Color(), clBlue);
  EXPECT_EQ(canvas.Brush().Color(), clLime);
}

TEST(CanvasFrames, GradientFillRunsFromStartToEnd) {
  TBitmap bitmap;
  Blank(bitmap, 5, 4);
  GradientFillCanvas(bitmap.Canvas(), RGB(0, 0, 0), RGB(90, 30, 255), {0, 0, 5, 4}, gdHorizontal);
  TCanvas& canvas = bitmap.Canvas();
  EXPECT_EQ(canvas.Pixels(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(canvas.Pixels(4, 1), RGB(30, 10, 85));
  EXPECT_EQ(canvas.Pixels(2, 2), RGB(60, 20, 170));
  EXPECT_EQ(canvas.Pixels(4, 3), RGB(90, 30, 255));

  GradientFillCanvas(canvas, clBtnFace, clWhite, {1, 0, 4, 4}, gdVertical);
  EXPECT_EQ(canvas.Pixels(1, 3), RGB(240, 240, 240));
  EXPECT_EQ(canvas.Pixels(3, 0), clWhite);
  EXPECT_EQ(canvas.Pixels(0, 3), RGB(90, 30, 255));
  EXPECT_EQ(canvas.Pixels(4, 3), RGB(90, 30, 255));

  Blank(bitmap, 3, 3);
  GradientFillCanvas(canvas, clRed, clBlue, {0, 0, 3, 0}, gdHorizontal);
  GradientFillCanvas(canvas, clNone, clBlue, {0, 0, 3, 3}, gdHorizontal);
  EXPECT_EQ(Picture(bitmap, {{clRed, '#'}}), (Rows{"...", "...", "..."}));
}

// Over three rows the middle one sits exactly halfway: halves go away from
// zero (as MulDiv rounds), in both directions and on every channel.
TEST(CanvasFrames, GradientFillMiddleOfThreeRoundsHalvesAwayFromZero) {
  const TColor from = RGB(0, 0, 255), to = RGB(1, 253, 0), middle = RGB(1, 127, 127);
  for (const TGradientDirection direction : {gdHorizontal, gdVertical}) {
    TBitmap bitmap;
    Blank(bitmap, 3, 3);
    GradientFillCanvas(bitmap.Canvas(), from, to, {0, 0, 3, 3}, direction);
    const TPoint at = direction == gdHorizontal ? TPoint{0, 1} : TPoint{1, 0};
    EXPECT_EQ(bitmap.Canvas().Pixels(at.X, at.Y), middle) << static_cast<int>(direction);
    EXPECT_EQ(bitmap.Canvas().Pixels(2, 2), to) << static_cast<int>(direction);
  }
}

TEST(CanvasFrames, FocusRectangleTwiceRestoresThePixels) {
  TBitmap bitmap;
  Blank(bitmap, 7, 6, RGB(12, 34, 56));
  bitmap.Canvas().Brush().SetColor(clYellow);
  bitmap.Canvas().FillRect({2, 2, 5, 4});
  const Rows before = Picture(bitmap, {{clYellow, '#'}}, RGB(12, 34, 56));
  bitmap.Canvas().DrawFocusRect({1, 1, 6, 5});
  const Rows once = Picture(bitmap, {{RGB(243, 221, 199), 'x'}, {clYellow, 'y'}}, RGB(12, 34, 56));
  EXPECT_EQ(once, (Rows{".......", ".x.x.x.", "..yyy..", ".xyyyx.", "..x.x..", "......."}));
  bitmap.Canvas().DrawFocusRect({1, 1, 6, 5});
  EXPECT_EQ(Picture(bitmap, {{clYellow, '#'}}, RGB(12, 34, 56)), before);
}

}  // namespace
}  // namespace mirto
