#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "graphics/KvoGraphics.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "tests/support/PixelBoard.h"

namespace mirto {
namespace {

using testing_support::PixelBoard;

using SideRoutine = void (*)(TCanvas&, TRect, const TPen&, bool);

struct SideCase {
  const char* name;
  SideRoutine draw;
  bool border3D;
  std::vector<std::string> expected;
};

TEST(SideBorders, ThreePixelPenCoversTheSideFlatOrMitred) {
  const std::vector<SideCase> cases = {
      {"top flat",
       DrawRectTopBorder,
       false,
       {"##########", "##########", "##########", "..........", "..........", "..........",
        "..........", "..........", "..........", ".........."}},
      {"top mitred",
       DrawRectTopBorder,
       true,
       {"##########", ".########.", "..######..", "..........", "..........", "..........",
        "..........", "..........", "..........", ".........."}},
      {"right flat",
       DrawRectRightBorder,
       false,
       {".......###", ".......###", ".......###", ".......###", ".......###", ".......###",
        ".......###", ".......###", ".......###", ".......###"}},
      {"right mitred",
       DrawRectRightBorder,
       true,
       {".........#", "........##", ".......###", ".......###", ".......###", ".......###",
        ".......###", ".......###", "........##", ".........#"}},
      {"bottom flat",
       DrawRectBottomBorder,
       false,
       {"..........", "..........", "..........", "..........", "..........", "..........",
        "..........", "##########", "##########", "##########"}},
      {"bottom mitred",
       DrawRectBottomBorder,
       true,
       {"..........", "..........", "..........", "..........", "..........", "..........",
        "..........", "..######..", ".########.", "##########"}},
      {"left flat",
       DrawRectLeftBorder,
       false,
       {"###.......", "###.......", "###.......", "###.......", "###.......", "###.......",
        "###.......", "###.......", "###.......", "###......."}},
      {"left mitred",
       DrawRectLeftBorder,
       true,
       {"#.........", "##........", "###.......", "###.......", "###.......", "###.......",
        "###.......", "###.......", "##........", "#........."}},
  };
  for (const SideCase& c : cases) {
    SCOPED_TRACE(c.name);
    PixelBoard board(10, 10);
    TPen pen;
    pen.SetColor(clBlue);
    pen.SetWidth(3);
    c.draw(board.Canvas(), {0, 0, 10, 10}, pen, c.border3D);
    EXPECT_EQ(board.Picture({{clBlue, '#'}}), c.expected);
  }
}

TEST(SideBorders, FourMitredSidesMeetOnTheDiagonals) {
  PixelBoard board(8, 8);
  TPen pen;
  pen.SetWidth(2);
  const TRect r{0, 0, 8, 8};
  pen.SetColor(clRed);
  DrawRectTopBorder(board.Canvas(), r, pen, true);
  pen.SetColor(clBlue);
  DrawRectRightBorder(board.Canvas(), r, pen, true);
  pen.SetColor(clLime);
  DrawRectBottomBorder(board.Canvas(), r, pen, true);
  pen.SetColor(clBlack);
  DrawRectLeftBorder(board.Canvas(), r, pen, true);
  const std::vector<std::string> expected = {
      "LTTTTTTR", "LLTTTTRR", "LL....RR", "LL....RR",
      "LL....RR", "LL....RR", "LLBBBBBR", "LBBBBBBB",
  };
  // Drawn in the order top, right, bottom, left, each side paints over the
  // corner it shares with the one before.
  EXPECT_EQ(board.Picture({{clRed, 'T'}, {clBlue, 'R'}, {clLime, 'B'}, {clBlack, 'L'}}), expected);
}

TEST(SideBorders, CanvasPenKeepsTheGivenLookButItsOwnWidth) {
  for (int width : {0, 2}) {
    SCOPED_TRACE(width);
    PixelBoard board(10, 10);
    board.Canvas().Pen().SetWidth(5);
    TPen pen;
    pen.SetColor(clFuchsia);
    pen.SetStyle(psDot);
    pen.SetMode(pmXor);
    pen.SetWidth(width);
    DrawRectLeftBorder(board.Canvas(), {0, 0, 10, 10}, pen, false);
    EXPECT_EQ(board.Canvas().Pen().Width(), 5);
    EXPECT_EQ(board.Canvas().Pen().Color(), clFuchsia);
    EXPECT_EQ(board.Canvas().Pen().Style(), psDot);
    EXPECT_EQ(board.Canvas().Pen().Mode(), pmXor);
  }
  // Width 0 draws nothing at all.
  PixelBoard board(10, 10);
  TPen pen;
  pen.SetColor(clBlue);
  pen.SetWidth(0);
  DrawRectTopBorder(board.Canvas(), {0, 0, 10, 10}, pen, false);
  EXPECT_EQ(board.Picture({}), std::vector<std::string>(10, ".........."));
}

TEST(SideBorders, TheCanvasPenItselfCanBeGiven) {
  PixelBoard board(10, 10);
  board.Canvas().Pen().SetColor(clBlue);
  board.Canvas().Pen().SetWidth(2);
  DrawRectTopBorder(board.Canvas(), {0, 0, 10, 10}, board.Canvas().Pen(), false);
  const auto picture = board.Picture({{clBlue, '#'}});
  EXPECT_EQ(picture[0], "##########");
  EXPECT_EQ(picture[1], "##########");
  EXPECT_EQ(picture[2], "..........");
  EXPECT_EQ(board.Canvas().Pen().Width(), 2);
}

TEST(RectFrames, RingsOwnTheirCornersAndTheRectangleComesBackInside) {
  PixelBoard board(10, 10);
  TRect r{0, 0, 10, 10};
  DrawRectFrame4(board.Canvas(), r, clBlack, clBlue, clRed, clLime, 2);
  EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
  const std::vector<std::string> expected = {
      "TTTTTTTTTR", "LTTTTTTTRR", "LL......RR", "LL......RR", "LL......RR",
      "LL......RR", "LL......RR", "LL......RR", "LLBBBBBBBR", "LBBBBBBBBB",
  };
  EXPECT_EQ(board.Picture({{clRed, 'T'}, {clBlue, 'R'}, {clLime, 'B'}, {clBlack, 'L'}}), expected);
  EXPECT_EQ(board.Canvas().Pen().Width(), 1);
  EXPECT_EQ(board.Canvas().Pen().Color(), clBlack);
}

TEST(RectFrames, FrameOfOneColourAndEmptyFrames) {
  {
    PixelBoard board(10, 10);
    board.Canvas().Pen().SetWidth(4);
    TRect r{1, 1, 9, 9};
    DrawRectFrame(board.Canvas(), r, clBlue, 1);
    EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
    const std::vector<std::string> expected = {
        "..........", ".########.", ".#......#.", ".#......#.", ".#......#.",
        ".#......#.", ".#......#.", ".#......#.", ".########.", "..........",
    };
    EXPECT_EQ(board.Picture({{clBlue, '#'}}), expected);
    EXPECT_EQ(board.Canvas().Pen().Width(), 1);
  }
  for (int width : {0, -3}) {
    SCOPED_TRACE(width);
    PixelBoard board(10, 10);
    TRect r{0, 0, 10, 10};
    DrawRectFrame(board.Canvas(), r, clBlue, width);
    EXPECT_EQ(r, (TRect{0, 0, 10, 10}));
    EXPECT_EQ(board.Picture({}), std::vector<std::string>(10, ".........."));
  }
}

TEST(RectFrames, WiderThanTheRectangleStaysInsideIt) {
  for (int width : {5, 50, INT_MAX}) {
    SCOPED_TRACE(width);
    for (bool border3D : {false, true}) {
      PixelBoard board(10, 10);
      TPen pen;
      pen.SetColor(clBlue);
      pen.SetWidth(width);
      const TRect r{2, 3, 8, 7};
      DrawRectTopBorder(board.Canvas(), r, pen, border3D);
      DrawRectRightBorder(board.Canvas(), r, pen, border3D);
      DrawRectBottomBorder(board.Canvas(), r, pen, border3D);
      DrawRectLeftBorder(board.Canvas(), r, pen, border3D);
      TRect frame = r;
      DrawRectFrame4(board.Canvas(), frame, clBlue, clBlue, clBlue, clBlue, width);
      const auto picture = board.Picture({{clBlue, '#'}});
      for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
          if (!r.Contains({x, y})) {
            EXPECT_EQ(picture[y][x], '.') << x << "," << y;
          }
        }
      }
      if (width == 5) {
        EXPECT_EQ(frame, (TRect{7, 8, 3, 2}));
      }
    }
  }
}

TEST(RectFrames, AbsurdCoordinatesDrawNothingAndComeBackClamped) {
  PixelBoard board(10, 10);
  TPen pen;
  pen.SetColor(clBlue);
  pen.SetWidth(3);
  const TRect huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  for (bool border3D : {false, true}) {
    DrawRectTopBorder(board.Canvas(), huge, pen, border3D);
    DrawRectRightBorder(board.Canvas(), huge, pen, border3D);
    DrawRectBottomBorder(board.Canvas(), huge, pen, border3D);
    DrawRectLeftBorder(board.Canvas(), huge, pen, border3D);
  }
  TRect frame = huge;
  DrawRectFrame(board.Canvas(), frame, clBlue, 3);
  EXPECT_EQ(frame, (TRect{INT_MIN + 3, INT_MIN + 3, INT_MAX - 3, INT_MAX - 3}));
  EXPECT_EQ(board.Picture({}), std::vector<std::string>(10, ".........."));

  // A frame as wide as the coordinates reach covers the whole canvas; only
  // the rings that reach the canvas are drawn, so this returns at once.
  frame = huge;
  DrawRectFrame(board.Canvas(), frame, clBlue, INT_MAX);
  EXPECT_EQ(board.Picture({{clBlue, '#'}}), std::vector<std::string>(10, "##########"));
}

}  // namespace
}  // namespace mirto
