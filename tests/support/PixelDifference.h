#pragma once

// Comparing two renderings pixel by pixel: the first pixel that differs,
// named with both colours, or "" when they agree.

#include <string>
#include <vector>

#include "platform/drawing/Bitmap.h"

namespace mirto::testing_support {

// The colours of a bitmap's device pixels, row by row; a reference
// rendering can be painted into it directly.
struct PixelGrid {
  int width = 0, height = 0;
  std::vector<TColor> colors;
  TColor& At(int x, int y) { return colors[static_cast<std::size_t>(y) * width + x]; }
  TColor At(int x, int y) const { return colors[static_cast<std::size_t>(y) * width + x]; }
};

// The device pixels, whatever window origin the canvas has.
PixelGrid ReadPixels(TBitmap& bitmap);

// "" when both agree, else "size ..." or "(x, y): expected ..., got ...".
std::string FirstDifference(const PixelGrid& expected, const PixelGrid& actual);
// The same for two bitmaps; two 32-bit bitmaps must agree in alpha too.
std::string FirstDifference(TBitmap& expected, TBitmap& actual);

}  // namespace mirto::testing_support
