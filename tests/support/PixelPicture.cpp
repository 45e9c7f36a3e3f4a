#include "tests/support/PixelPicture.h"

#include <algorithm>
#include <climits>

#include "platform/drawing/Canvas.h"

namespace mirto::testing_support {

void Blank(TBitmap& bitmap, int width, int height, TColor color,
           std::optional<TPixelFormat> format) {
  if (format) bitmap.SetPixelFormat(*format);
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush().SetColor(color);
  bitmap.Canvas().FillRect({0, 0, width, height});
}

Rows Picture(TBitmap& bitmap, const Legend& legend, TColor background) {
  return Picture(bitmap, legend, background, {0, 0, bitmap.Width(), bitmap.Height()});
}

Rows Picture(TBitmap& bitmap, const Legend& legend, TColor background, const TRect& area) {
  Legend resolved;
  for (const auto& [color, ch] : legend) resolved[ColorToRGB(color)] = ch;
  background = ColorToRGB(background);
  Rows rows;
  for (int y = area.Top; y < area.Bottom; ++y) {
    std::string row;
    for (int x = area.Left; x < area.Right; ++x) {
      const TColor c = bitmap.Canvas().Pixels(x, y);
      const auto it = resolved.find(c);
      row += it != resolved.end() ? it->second : c == background ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TRect InkBounds(TBitmap& bitmap, TColor background) {
  background = ColorToRGB(background);
  TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Canvas().Pixels(x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.Right < 0 ? TRect{} : box;
}

}  // namespace mirto::testing_support
