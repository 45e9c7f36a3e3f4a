// Pixel rules of the canvas's fills, lines and outlines, checked on small
// bitmaps.

#include <gtest/gtest.h>

#include <string>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace mirto {
namespace {

// A bitmap of the given size filled with one colour.
void Prepare(TBitmap& bitmap, int width, int height, TColor background = clWhite,
             TPixelFormat format = pf24bit) {
  bitmap.SetPixelFormat(format);
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush().SetColor(background);
  bitmap.Canvas().FillRect({0, 0, width, height});
}

// The picture as rows of characters: '.' for background, '#' for `ink`,
// '?' for anything else.
std::string Picture(TBitmap& bitmap, TColor ink, TColor background = clWhite) {
  std::string rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Canvas().Pixels(x, y);
      rows += c == ink ? '#' : c == background ? '.' : '?';
    }
    rows += '\n';
  }
  return rows;
}

TEST(CanvasFill, FillRectExcludesRightAndBottom) {
  for (TPixelFormat format : {pf24bit, pf32bit}) {
    TBitmap bitmap;
    Prepare(bitmap, 5, 4, clWhite, format);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect({1, 1, 3, 3});
    EXPECT_EQ(Picture(bitmap, clRed),
              ".....\n"
              ".##..\n"
              ".##..\n"
              ".....\n");
  }
}

TEST(CanvasLines, LineToLeavesTheEndPointOut) {
  struct Case {
    TPoint from, to;
    const char* picture;
  };
  const Case cases[] = {
      {{0, 1}, {4, 1}, ".....\n####.\n.....\n.....\n"},
      {{4, 1}, {0, 1}, ".....\n.####\n.....\n.....\n"},
      {{2, 0}, {2, 3}, "..#..\n..#..\n..#..\n.....\n"},
      {{0, 0}, {3, 3}, "#....\n.#...\n..#..\n.....\n"},
      {{3, 3}, {0, 0}, ".....\n.#...\n..#..\n...#.\n"},
  };
  for (const Case& c : cases) {
    TBitmap bitmap;
    Prepare(bitmap, 5, 4);
    bitmap.Canvas().Pen().SetColor(clBlue);
    bitmap.Canvas().MoveTo(c.from.X, c.from.Y);
    bitmap.Canvas().LineTo(c.to.X, c.to.Y);
    EXPECT_EQ(Picture(bitmap, clBlue), c.picture) << c.from.X << "," << c.from.Y;
    EXPECT_EQ(bitmap.Canvas().PenPos(), c.to);
  }
}

}  // namespace
}  // namespace mirto
