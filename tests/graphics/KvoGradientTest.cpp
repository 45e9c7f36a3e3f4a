#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "graphics/KvoGradient.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "tests/support/PixelBoard.h"

namespace mirto {
namespace {

constexpr TColor kUntouched = RGB(1, 2, 3);

// A board in a colour no gradient here paints.
class Board : public testing_support::PixelBoard {
 public:
  Board(int width, int height, TPixelFormat format = pf32bit)
      : PixelBoard(width, height, kUntouched, format) {}
  // True when every pixel outside `inside` still has the background colour.
  bool UntouchedOutside(const TRect& inside) {
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x)
        if (!inside.Contains({x, y}) && At(x, y) != kUntouched) return false;
    return true;
  }
  bool UntouchedEverywhere() { return UntouchedOutside({}); }
};

void Fill(Board& board, const TRect& r, TColor from, TColor to, TDgradOrientation shape,
          int balance, TDgradBalanceMode mode, int maxDegrade, int speed, int angle = 0,
          bool clip = true) {
  GradientFillEx(board.Canvas(), r, from, to, shape, static_cast<std::uint16_t>(balance),
                 static_cast<std::uint16_t>(angle), mode, static_cast<std::uint8_t>(maxDegrade),
                 speed, clip, nullptr);
}

TEST(GradientLinear, TenRowsStepFromOneStepAfterTheFirstColourToTheLast) {
  Board board(50, 10);
  Fill(board, {0, 0, 50, 10}, clBlack, RGB(250, 0, 0), dgdVertical, 50, bmNormal, 255, 100);
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(board.At(0, y), RGB(25 * (y + 1), 0, 0)) << "row " << y;
    EXPECT_EQ(board.At(49, y), board.At(0, y)) << "row " << y;
  }
}

TEST(GradientLinear, ColumnsOfUnevenWidthCoverTheWholeRectangle) {
  // 7 colours over 10 columns: every column painted, the last in the end colour.
  Board board(12, 3);
  FillStepsHorizontal(board.Canvas(), {1, 0, 11, 3}, clBlack, RGB(0, 70, 0), 7);
  const std::vector<int> green = {10, 20, 20, 30, 40, 40, 50, 60, 60, 70};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(board.At(x + 1, 1), RGB(0, green[x], 0)) << x;
  EXPECT_EQ(board.At(0, 1), kUntouched);
  EXPECT_EQ(board.At(11, 1), kUntouched);
}

TEST(GradientLinear, OneColourFillsWithTheSecondColour) {
  for (TDgradOrientation shape : {dgdVertical, dgdHorizontal}) {
    for (TColor to : {clFuchsia, clBtnFace}) {
      Board board(9, 7);
      Fill(board, {1, 1, 8, 6}, clBlack, to, shape, 50, bmNormal, 1, 100);
      for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 8; ++x) ASSERT_EQ(board.At(x, y), ColorToRGB(to));
      EXPECT_TRUE(board.UntouchedOutside({1, 1, 8, 6}));
    }
  }
}

TEST(GradientBalance, ZeroBalanceRunsFromTheMidwayColourToTheEnd) {
  Board board(4, 10);
  Fill(board, {0, 0, 4, 10}, clBlack, RGB(200, 0, 0), dgdVertical, 0, bmNormal, 255, 100);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(board.At(2, y), RGB(110 + 10 * y, 0, 0)) << y;
}

TEST(GradientBalance, HalfSpeedGivesAHardEdgeAtTheBalancePoint) {
  Board board(4, 10);
  Fill(board, {0, 0, 4, 10}, clBlue, clRed, dgdVertical, 30, bmNormal, 255, 50);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(board.At(1, y), y < 3 ? clBlue : clRed) << y;
}

TEST(GradientBalance, MirrorRunsToTheSecondColourAndBack) {
  Board board(20, 2);
  Fill(board, {0, 0, 20, 2}, clBlack, RGB(0, 200, 0), dgdHorizontal, 50, bmMirror, 255, 100);
  const std::vector<int> green = {20,  40,  60,  80,  100, 120, 140, 160, 180, 200,
                                  180, 160, 140, 120, 100, 80,  60,  40,  20,  0};
  for (int x = 0; x < 20; ++x) EXPECT_EQ(board.At(x, 1), RGB(0, green[x], 0)) << x;
}

TEST(GradientBalance, EveryModeColoursBothParts) {
  // Black to red 200 at speed 80: the colours met at the balance point are
  // red 60 (coming from black) and red 140 (coming from red 200). Rows 0 and
  // 9 are the first and last of the upper part, rows 10 and 19 of the lower.
  struct Case {
    TDgradBalanceMode mode;
    int speed;
    int row0, row9, row10, row19;
  };
  const std::vector<Case> cases = {
      {bmNormal, 80, 6, 60, 146, 200},
      {bmMirror, 80, 20, 200, 180, 0},
      {bmReverse, 80, 6, 60, 194, 140},
      {bmReverseFromColor, 80, 6, 60, 180, 0},
      {bmInvertReverse, 80, 146, 200, 54, 0},
      {bmInvertReverseFromColor, 80, 20, 200, 54, 0},
      // Below 50 the meeting colours lie beyond the two colours and wrap
      // round within the channel: red 156 and red 44.
      {bmNormal, 0, 16, 156, 60, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    Board board(3, 20);
    Fill(board, {0, 0, 3, 20}, clBlack, RGB(200, 0, 0), dgdVertical, 50, c.mode, 255, c.speed);
    EXPECT_EQ(board.At(1, 0), RGB(c.row0, 0, 0));
    EXPECT_EQ(board.At(1, 9), RGB(c.row9, 0, 0));
    EXPECT_EQ(board.At(1, 10), RGB(c.row10, 0, 0));
    EXPECT_EQ(board.At(1, 19), RGB(c.row19, 0, 0));
  }
}

TEST(GradientBalance, UnknownModeOrShapeDrawsNothing) {
  Board board(10, 10);
  Fill(board, {0, 0, 10, 10}, clBlack, clWhite, dgdVertical, 50, static_cast<TDgradBalanceMode>(6),
       255, 100);
  Fill(board, {0, 0, 10, 10}, clBlack, clWhite, static_cast<TDgradOrientation>(5), 50, bmNormal,
       255, 100);
  Fill(board, {0, 0, 10, 10}, clBlack, clWhite, static_cast<TDgradOrientation>(5), 20, bmNormal,
       255, 100);
  EXPECT_TRUE(board.UntouchedEverywhere());
}

TEST(GradientBalance, BalanceBeyondTheEndPaintsLikeBalanceHundred) {
  Board beyond(10, 30);
  Fill(beyond, {0, 10, 10, 20}, clBlack, clWhite, dgdVertical, 300, bmNormal, 255, 100);
  EXPECT_TRUE(beyond.UntouchedOutside({0, 10, 10, 20}));
  Board full(10, 30);
  Fill(full, {0, 10, 10, 20}, clBlack, clWhite, dgdVertical, 100, bmNormal, 255, 100);
  for (int y = 10; y < 20; ++y) EXPECT_EQ(beyond.At(5, y), full.At(5, y)) << y;
  EXPECT_EQ(full.At(5, 19), RGB(128, 128, 128));
}

TEST(GradientConcentric, RadialShapeIsDrawnOverTheEnclosingSquare) {
  // A 200 x 100 rectangle: the ellipses fill the 200 x 200 square around its
  // centre, 50 pixels above and below it.
  Board board(220, 240);
  const TRect r{10, 70, 210, 170};
  Fill(board, r, clBlack, clWhite, dgdRadial, 50, bmNormal, 255, 100);
  EXPECT_EQ(board.At(110, 18), kUntouched);
  EXPECT_EQ(board.At(110, 19), kUntouched);
  EXPECT_NE(board.At(110, 21), kUntouched);
  EXPECT_LT(GetRValue(board.At(110, 21)), 10);
  EXPECT_NE(board.At(110, 218), kUntouched);
  EXPECT_EQ(board.At(110, 222), kUntouched);
  EXPECT_EQ(board.At(5, 120), kUntouched);
  // The corners of the rectangle lie outside the outermost ellipse.
  EXPECT_EQ(board.At(10, 70), clBlack);
  EXPECT_EQ(board.At(209, 169), clBlack);
  // The centre is nearly white and brighter than a point half-way out.
  EXPECT_GT(GetRValue(board.At(110, 120)), 240);
  EXPECT_GT(GetRValue(board.At(110, 120)), GetRValue(board.At(160, 120)));
  EXPECT_GT(GetRValue(board.At(160, 120)), GetRValue(board.At(200, 120)));
}

TEST(GradientConcentric, RectangleShapeIsSymmetricWithTheSecondColourInTheCentre) {
  Board board(21, 11);
  Fill(board, {0, 0, 21, 11}, clBlack, clWhite, dgdRectangle, 50, bmNormal, 255, 100);
  EXPECT_EQ(board.At(10, 5), clWhite);
  EXPECT_EQ(board.At(0, 0), clBlack);
  EXPECT_EQ(board.At(20, 10), clBlack);
  EXPECT_EQ(board.At(0, 5), clBlack);
  EXPECT_EQ(board.At(1, 5), RGB(23, 23, 23));
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(board.At(x, 5), board.At(20 - x, 5)) << x;
    EXPECT_LE(GetRValue(board.At(x, 5)), GetRValue(board.At(x + 1, 5))) << x;
  }
  EXPECT_LT(GetRValue(board.At(9, 5)), GetRValue(board.At(10, 5)));
  for (int y = 0; y < 5; ++y) EXPECT_EQ(board.At(10, y), board.At(10, 10 - y)) << y;
}

TEST(GradientConcentric, BalancedRectangleSplitsAtTheBalancedRing) {
  // Hard edge at balance 50: the outer half of the rings in the first colour,
  // the inner half in the second.
  Board board(41, 41);
  Fill(board, {0, 0, 41, 41}, clBlue, clRed, dgdRectangle, 50, bmNormal, 255, 50);
  EXPECT_EQ(board.At(0, 20), clBlue);
  EXPECT_EQ(board.At(9, 20), clBlue);
  EXPECT_EQ(board.At(10, 20), clRed);
  EXPECT_EQ(board.At(20, 20), clRed);
  EXPECT_EQ(board.At(30, 20), clRed);
  EXPECT_EQ(board.At(31, 20), clBlue);
  EXPECT_EQ(board.At(40, 20), clBlue);
}

// Every step painted whole over the previous ones: what the concentric fill
// must look like, however it avoids painting pixels twice.
void PaintStepsWhole(TCanvas& canvas, const TRect& outer, TColor from, TColor to, int colors,
                     const TRect& inner, TConcentricShape shape) {
  const int dx = std::abs(outer.Width() - inner.Width()) / 2;
  const int dy = std::abs(outer.Height() - inner.Height()) / 2;
  const int m = std::max(dx, dy);
  const int n = m < colors ? m + 1 : colors;
  const auto channel = [&](int f, int t, int i) { return f + MulDiv(i, t - f, n); };
  for (int i = 1; i <= n; ++i) {
    TRect r = outer;
    TColor c = from;
    bool rectangle = shape == cshRectangle;
    if (i == n && i > 1) {
      r = inner;
      c = to;
      rectangle = rectangle || inner.Width() == 1 || inner.Height() == 1;
    } else if (i > 1) {
      InflateRect(r, -MulDiv(i - 1, dx, n), -MulDiv(i - 1, dy, n));
      c = RGB(channel(GetRValue(from), GetRValue(to), i - 1),
              channel(GetGValue(from), GetGValue(to), i - 1),
              channel(GetBValue(from), GetBValue(to), i - 1));
    }
    canvas.Brush().SetColor(c);
    if (rectangle) {
      canvas.FillRect(r);
    } else {
      canvas.Pen().SetColor(c);
      canvas.Ellipse(r);
    }
  }
}

TEST(GradientConcentric, StepsLookAsIfEachWasPaintedWhole) {
  struct Case {
    const char* name;
    TRect outer;
    TRect inner;
    int colors;
    TConcentricShape shape;
    int penWidth;
  };
  const std::vector<Case> cases = {
      {"circles to a point", {0, -20, 81, 61}, {40, 20, 41, 20}, 255, cshEllipse, 1},
      {"few colours, wide rings", {2, 2, 78, 78}, {38, 38, 42, 42}, 7, cshEllipse, 1},
      {"circles to a ring", {0, 0, 80, 80}, {20, 20, 60, 60}, 255, cshEllipse, 1},
      {"uneven ellipses", {0, 5, 80, 55}, {38, 28, 41, 31}, 255, cshEllipse, 1},
      {"wide pen", {0, 0, 80, 80}, {39, 39, 41, 41}, 40, cshEllipse, 3},
      {"rectangles", {0, 0, 80, 60}, {39, 29, 41, 31}, 255, cshRectangle, 1},
      {"inner larger than outer", {20, 20, 60, 40}, {0, 0, 80, 60}, 30, cshRectangle, 1},
      {"inner off centre", {0, 0, 80, 60}, {50, 10, 70, 20}, 30, cshRectangle, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Board fast(80, 60);
    fast.Canvas().Pen().SetWidth(c.penWidth);
    FillStepsConcentric(fast.Canvas(), c.outer, clBlack, RGB(250, 200, 100),
                        static_cast<std::uint8_t>(c.colors), c.inner, c.shape);
    Board whole(80, 60);
    whole.Canvas().Pen().SetWidth(c.penWidth);
    PaintStepsWhole(whole.Canvas(), c.outer, clBlack, RGB(250, 200, 100), c.colors, c.inner,
                    c.shape);
    EXPECT_EQ(fast.DifferenceFrom(whole), "");
    // The canvas is left as painting whole steps leaves it.
    EXPECT_EQ(fast.Canvas().Pen().Width(), c.penWidth);
    EXPECT_EQ(fast.Canvas().Brush().Style(), bsSolid);
    EXPECT_EQ(fast.Canvas().Brush().Color(), whole.Canvas().Brush().Color());
  }
}

class GradientAngle : public ::testing::Test {
 protected:
  // A 40 x 20 rectangle has a diagonal of 45: the 45 x 45 image lands at
  // (18, 8) and covers columns 18..62 and rows 8..52. Black to blue 225 over
  // 45 one-pixel bands gives blue 5, 10, ..., 225.
  static constexpr TRect kRect{20, 20, 60, 40};
  static constexpr TRect kImage{18, 8, 63, 53};
  Board board{80, 70};
};

TEST_F(GradientAngle, QuarterTurnRunsFromTopToBottomAndOverhangsTheRectangle) {
  Fill(board, kRect, clBlack, RGB(0, 0, 225), dgdAngle, 50, bmNormal, 255, 100, 90, false);
  for (int y = kImage.Top; y < kImage.Bottom; ++y) {
    EXPECT_EQ(board.At(40, y), RGB(0, 0, 5 * (y - 7))) << y;
    EXPECT_EQ(board.At(kImage.Left, y), board.At(40, y)) << y;
    EXPECT_EQ(board.At(kImage.Right - 1, y), board.At(40, y)) << y;
  }
  EXPECT_TRUE(board.UntouchedOutside(kImage));
}

TEST_F(GradientAngle, ClippingKeepsEverythingOutsideTheRectangle) {
  Fill(board, kRect, clBlack, RGB(0, 0, 225), dgdAngle, 50, bmNormal, 255, 100, 90, true);
  EXPECT_TRUE(board.UntouchedOutside(kRect));
  EXPECT_EQ(board.At(kRect.Left, kRect.Top), RGB(0, 0, 65));
  EXPECT_EQ(board.At(kRect.Right - 1, kRect.Bottom - 1), RGB(0, 0, 160));
  // The caller's own clipping is back afterwards.
  EXPECT_TRUE(board.Canvas().ClipRegion().IsNull());
}

TEST_F(GradientAngle, ClippingStaysWithinTheCallersClipRegion) {
  board.Canvas().SelectClipRegion(CreateRectRgn({0, 0, 30, 70}));
  Fill(board, kRect, clBlack, RGB(0, 0, 225), dgdAngle, 50, bmNormal, 255, 100, 90, true);
  EXPECT_TRUE(board.UntouchedOutside({20, 20, 30, 40}));
  EXPECT_EQ(board.Canvas().ClipRegion(), CreateRectRgn({0, 0, 30, 70}));
}

TEST(GradientAngleEdges, ImageReachingBeyondTheCanvasIsCutNotShifted) {
  // The 45 x 45 image of a 40 x 20 rectangle at the canvas's corner starts at
  // (-2, -12); row y of the canvas shows image row y + 12.
  for (TPixelFormat format : {pf24bit, pf32bit}) {
    for (TPixelFormat imageFormat : {pf24bit, pf32bit}) {
      SCOPED_TRACE(testing::Message() << static_cast<int>(format) << static_cast<int>(imageFormat));
      Board board(40, 20, format);
      TBitmap image;
      image.SetPixelFormat(imageFormat);
      GradientFillEx(board.Canvas(), {0, 0, 40, 20}, clBlack, RGB(0, 0, 225), dgdAngle, 50, 90,
                     bmNormal, 255, 100, false, &image);
      for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(board.At(0, y), RGB(0, 0, 5 * (y + 13))) << y;
        EXPECT_EQ(board.At(39, y), RGB(0, 0, 5 * (y + 13))) << y;
      }
    }
  }
}

TEST_F(GradientAngle, GivenBitmapKeepsTheRotatedImage) {
  TBitmap image;
  GradientFillEx(board.Canvas(), kRect, clBlack, RGB(0, 0, 225), dgdAngle, 50, 90, bmNormal, 255,
                 100, false, &image);
  ASSERT_EQ(image.Width(), 45);
  ASSERT_EQ(image.Height(), 45);
  EXPECT_EQ(image.Canvas().Pixels(20, 0), RGB(0, 0, 5));
  EXPECT_EQ(image.Canvas().Pixels(20, 44), RGB(0, 0, 225));
}

TEST_F(GradientAngle, BalancedImageIsBuiltInTwoParts) {
  // At 0 degrees the image is not turned: a hard edge at balance 40 of the
  // 45-pixel square lies at its column 18.
  Fill(board, kRect, clBlue, clRed, dgdAngle, 40, bmNormal, 255, 50, 0, false);
  EXPECT_EQ(board.At(kImage.Left, 30), clBlue);
  EXPECT_EQ(board.At(kImage.Left + 17, 30), clBlue);
  EXPECT_EQ(board.At(kImage.Left + 18, 30), clRed);
  EXPECT_EQ(board.At(kImage.Right - 1, 30), clRed);
}

TEST(GradientAngleEdges, SquareAboveTheKeptSizeIsBuiltInBandsAndNotKept) {
  // A 2100 x 20 rectangle turns a 2100-pixel square, which the board holds
  // whole: it is drawn in two bands. The reference turns the whole square.
  constexpr TRect kWide{0, 1040, 2100, 1060};
  constexpr int kSide = 2100;
  for (bool clip : {false, true}) {
    SCOPED_TRACE(clip);
    Board banded(kSide, kSide, pf24bit);
    TBitmap kept;
    kept.SetSize(8, 8);
    GradientFillEx(banded.Canvas(), kWide, clBlack, RGB(0, 200, 90), dgdAngle, 50, 30, bmNormal,
                   255, 100, clip, &kept);
    EXPECT_TRUE(kept.Empty());

    Board reference(kSide, kSide, pf24bit);
    TBitmap square;
    square.SetSize(kSide, kSide);
    FillStepsHorizontal(square.Canvas(), {0, 0, kSide, kSide}, clBlack, RGB(0, 200, 90), 255);
    RotateBitmap(&square, 30);
    DrawAngleImage(reference.Canvas(), kWide, square, clip);
    EXPECT_EQ(banded.DifferenceFrom(reference), "");
  }
}

TEST(GradientBalance, SpeedBeyondItsRangeCountsAsTheNearerEnd) {
  struct Case {
    int speed, within;
  };
  for (const Case& c : {Case{INT_MIN, 0}, Case{-7, 0}, Case{130, 100}, Case{INT_MAX, 100}}) {
    for (int balance : {30, 50}) {
      SCOPED_TRACE(testing::Message() << c.speed << " " << balance);
      Board given(30, 4), expected(30, 4);
      Fill(given, {0, 0, 30, 4}, RGB(10, 20, 30), RGB(200, 100, 0), dgdHorizontal, balance,
           bmNormal, 255, c.speed);
      Fill(expected, {0, 0, 30, 4}, RGB(10, 20, 30), RGB(200, 100, 0), dgdHorizontal, balance,
           bmNormal, 255, c.within);
      EXPECT_EQ(given.DifferenceFrom(expected), "");
    }
  }
}

TEST(GradientRotation, QuarterTurnsMoveTheTopLeftPixelClockwise) {
  struct Case {
    int angle;
    TPoint landsAt;
  };
  for (const Case& c : {Case{0, {0, 0}}, Case{90, {3, 0}}, Case{180, {3, 3}}, Case{270, {0, 3}}}) {
    SCOPED_TRACE(c.angle);
    TBitmap bitmap;
    testing_support::Blank(bitmap, 4, 4);
    bitmap.Canvas().SetPixels(0, 0, clRed);
    RotateBitmap(&bitmap, static_cast<std::uint16_t>(c.angle));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(bitmap.Canvas().Pixels(x, y), (Point(x, y) == c.landsAt ? clRed : clWhite))
            << x << "," << y;
  }
}

TEST(GradientDegenerate, EmptyOrInvertedRectanglesPaintNothing) {
  const std::vector<TRect> rects = {{10, 10, 10, 30}, {10, 10, 30, 10}, {30, 30, 10, 10}};
  for (TDgradOrientation shape : {dgdVertical, dgdHorizontal, dgdAngle, dgdRadial, dgdRectangle}) {
    for (const TRect& r : rects) {
      for (int balance : {50, 30}) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(shape) << " " << r.Left << "," << r.Top
                                        << "," << r.Right << "," << r.Bottom << " " << balance);
        Board board(40, 40);
        Fill(board, r, clBlack, clWhite, shape, balance, bmNormal, 255, 100, 30, false);
        EXPECT_TRUE(board.UntouchedEverywhere());
      }
    }
  }
}

TEST(GradientDegenerate, NoColoursPaintNoSteps) {
  Board board(10, 10);
  FillStepsHorizontal(board.Canvas(), {0, 0, 10, 10}, clBlack, clWhite, 0);
  FillStepsVertical(board.Canvas(), {0, 0, 10, 10}, clBlack, clWhite, 0);
  FillStepsConcentric(board.Canvas(), {0, 0, 10, 10}, clBlack, clWhite, 0, {5, 5, 5, 5},
                      cshRectangle);
  Fill(board, {0, 0, 10, 10}, clBlack, clWhite, dgdVertical, 50, bmNormal, 0, 100);
  EXPECT_TRUE(board.UntouchedEverywhere());
}

TEST(GradientDegenerate, HugeAngleRectangleIsLeftOutQuietly) {
  Board board(10, 10);
  Fill(board, {0, 0, 60000, 60000}, clBlack, clWhite, dgdAngle, 50, bmNormal, 255, 100, 30, true);
  EXPECT_TRUE(board.UntouchedEverywhere());
  EXPECT_EQ(AngleSquareSide({0, 0, 60000, 60000}), 0);
}

TEST(GradientDegenerate, CoordinatesBeyondAnyCanvasAreLeftOut) {
  const std::vector<TRect> rects = {
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MAX - 5, 0, INT_MAX, 1000}, {0, INT_MIN, 10, 10}};
  for (const TRect& r : rects) {
    for (TDgradOrientation shape :
         {dgdVertical, dgdHorizontal, dgdAngle, dgdRadial, dgdRectangle}) {
      Board board(10, 10);
      Fill(board, r, clBlack, clWhite, shape, 50, bmNormal, 255, 100, 30, true);
      Fill(board, r, clBlack, clWhite, shape, 20, bmReverse, 255, 70, 30, false);
      EXPECT_TRUE(board.UntouchedEverywhere()) << static_cast<int>(shape);
    }
  }
  TRect r{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  RectScale(r, -1);
  EXPECT_EQ(r, (TRect{-1, -1, 0, 0}));
  EXPECT_EQ(RectEnclosingSquare({0, 0, 0, 0}, {INT_MIN, 0, INT_MAX, 0}),
            (TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}));
}

TEST(RectHelpers, ScaleLerpAndEnclosingSquare) {
  struct ScaleCase {
    TRect r;
    double factor;
    TRect expected;
  };
  for (const ScaleCase& c :
       {ScaleCase{{0, 0, 5, 3}, -1, {2, 1, 3, 2}}, ScaleCase{{0, 0, 4, 4}, -1, {2, 2, 2, 2}},
        ScaleCase{{10, 10, 20, 20}, 0.5, {8, 8, 22, 22}},
        ScaleCase{{0, 0, 10, 6}, -0.5, {2, 1, 8, 5}}}) {
    TRect r = c.r;
    RectScale(r, c.factor);
    EXPECT_EQ(r, c.expected);
  }
  // Halves go to the even neighbour: 7.5 -> 8, 2.5 -> 2.
  EXPECT_EQ(RectLerp({0, 0, 100, 50}, {50, 25, 50, 25}, 0.3), (TRect{15, 8, 85, 42}));
  EXPECT_EQ(RectLerp({0, 0, 5, 5}, {5, 5, 5, 5}, 0.5), (TRect{2, 2, 5, 5}));
  EXPECT_EQ(RectEnclosingSquare({100, 50, 100, 50}, {0, 0, 200, 100}), (TRect{0, -50, 200, 150}));
  EXPECT_EQ(AngleSquareSide({20, 20, 60, 40}), 45);
}

}  // namespace
}  // namespace mirto
