#include "tests/support/PixelDifference.h"

#include <cstdio>

#include "platform/drawing/Canvas.h"

namespace mirto::testing_support {
namespace {

std::string Where(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string Hex(TColor color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  return text;
}

}  // namespace

PixelGrid ReadPixels(TBitmap& bitmap) {
  PixelGrid grid{bitmap.Width(), bitmap.Height(), {}};
  TCanvas& canvas = bitmap.Canvas();
  const TPoint saved = canvas.WindowOrg();
  canvas.SetWindowOrg({0, 0});
  for (int y = 0; y < grid.height; ++y)
    for (int x = 0; x < grid.width; ++x) grid.colors.push_back(canvas.Pixels(x, y));
  canvas.SetWindowOrg(saved);
  return grid;
}

std::string FirstDifference(const PixelGrid& expected, const PixelGrid& actual) {
  if (expected.width != actual.width || expected.height != actual.height)
    return "size " + std::to_string(actual.width) + " x " + std::to_string(actual.height) +
           ", expected " + std::to_string(expected.width) + " x " + std::to_string(expected.height);
  for (int y = 0; y < expected.height; ++y)
    for (int x = 0; x < expected.width; ++x)
      if (expected.At(x, y) != actual.At(x, y))
        return Where(x, y) + ": expected " + Hex(expected.At(x, y)) + ", got " +
               Hex(actual.At(x, y));
  return "";
}

std::string FirstDifference(TBitmap& expected, TBitmap& actual) {
  const std::string colors = FirstDifference(ReadPixels(expected), ReadPixels(actual));
  if (!colors.empty() || expected.PixelFormat() != pf32bit || actual.PixelFormat() != pf32bit)
    return colors;
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) {
      const int a = expected.ScanLine(y)[4 * x + 3], b = actual.ScanLine(y)[4 * x + 3];
      if (a != b)
        return Where(x, y) + ": expected alpha " + std::to_string(a) + ", got " + std::to_string(b);
    }
  return "";
}

}  // namespace mirto::testing_support
