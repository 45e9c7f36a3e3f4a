#pragma once

// A small bitmap of one colour for drawing tests: paint on its canvas, then
// read the pixels back as a picture (see PixelPicture.h) or compare them
// with another board's.

#include <string>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "tests/support/PixelDifference.h"
#include "tests/support/PixelPicture.h"

namespace mirto::testing_support {

class PixelBoard {
 public:
  explicit PixelBoard(int width, int height, TColor background = clWhite,
                      TPixelFormat format = pf32bit)
      : background_(ColorToRGB(background)) {
    Blank(bitmap_, width, height, background_, format);
  }

  TCanvas& Canvas() { return bitmap_.Canvas(); }
  TBitmap& Bitmap() { return bitmap_; }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
  TColor At(int x, int y) { return Canvas().Pixels(x, y); }
  // Paints the whole board in its background again.
  void Clear() { Blank(bitmap_, Width(), Height(), background_); }

  Rows Picture(const Legend& legend) {
    return testing_support::Picture(bitmap_, legend, background_);
  }
  Rows Picture(const Legend& legend, const TRect& area) {
    return testing_support::Picture(bitmap_, legend, background_, area);
  }
  // The smallest rectangle holding everything but the background.
  TRect Ink() { return InkBounds(bitmap_, background_); }

  // The first pixel that differs from the expected board's, or "".
  std::string DifferenceFrom(PixelBoard& expected) {
    return FirstDifference(expected.bitmap_, bitmap_);
  }

 private:
  TBitmap bitmap_;
  TColor background_;
};

}  // namespace mirto::testing_support
