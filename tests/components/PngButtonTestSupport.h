#pragma once

// Helpers for the PNG button tests: solid glyphs, a button painted into a
// bitmap, and the set of colours a picture holds.

#include <memory>
#include <set>

#include "components/KvoPngButton.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"
#include "tests/support/PixelPicture.h"

namespace mirto::testing {

// An opaque RGB-with-alpha glyph of one colour.
inline std::unique_ptr<TPngImage> SolidGlyph(int width, int height, TColor color) {
  auto glyph = std::make_unique<TPngImage>();
  TPngImage& png = *glyph;
  png.CreateBlank(COLOR_RGBALPHA, width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = png.ScanLine(y);
    std::uint8_t* alpha = png.AlphaScanline(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = GetBValue(color);
      row[3 * x + 1] = GetGValue(color);
      row[3 * x + 2] = GetRValue(color);
      alpha[x] = 255;
    }
  }
  return glyph;
}

// The button painted for state over a background of one colour.
inline void PaintInto(TBitmap& bitmap, const TKvoPngButton& button, const TKvoPngButtonState& state,
                      TColor background = clFuchsia) {
  testing_support::Blank(bitmap, button.Width(), button.Height(), background);
  button.Paint(bitmap.Canvas(), Rect(0, 0, button.Width(), button.Height()), state);
}

inline std::set<TColor> ColorsIn(TBitmap& bitmap, const TRect& area) {
  std::set<TColor> colors;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) colors.insert(bitmap.Canvas().Pixels(x, y));
  return colors;
}

}  // namespace mirto::testing
