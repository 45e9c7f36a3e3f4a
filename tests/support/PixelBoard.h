#pragma once

// A small 32-bit bitmap for drawing tests: paint on its canvas, then read
// the pixels back as rows of characters through a legend ('.' for the
// background, '?' for a colour the legend does not name).

#include <map>
#include <string>
#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

namespace mirto::testing_support {

class PixelBoard {
 public:
  explicit PixelBoard(int width, int height, TColor background = clWhite)
      : background_(ColorToRGB(background)) {
    bitmap_.SetPixelFormat(pf32bit);
    bitmap_.SetSize(width, height);
    Canvas().Brush().SetColor(background_);
    Canvas().FillRect({0, 0, width, height});
  }

  TCanvas& Canvas() { return bitmap_.Canvas(); }
  TBitmap& Bitmap() { return bitmap_; }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
  TColor At(int x, int y) { return Canvas().Pixels(x, y); }

  std::vector<std::string> Picture(const std::map<TColor, char>& legend) {
    return Picture(legend, {0, 0, Width(), Height()});
  }
  std::vector<std::string> Picture(const std::map<TColor, char>& legend, const TRect& area) {
    std::map<TColor, char> resolved;
    for (const auto& [color, ch] : legend) resolved[ColorToRGB(color)] = ch;
    std::vector<std::string> rows;
    for (int y = area.Top; y < area.Bottom; ++y) {
      std::string row;
      for (int x = area.Left; x < area.Right; ++x) {
        const TColor c = At(x, y);
        const auto it = resolved.find(c);
        row += it != resolved.end() ? it->second : c == background_ ? '.' : '?';
      }
      rows.push_back(row);
    }
    return rows;
  }

  // Whether every pixel equals the other board's.
  bool SameAs(PixelBoard& other) {
    if (other.Width() != Width() || other.Height() != Height()) return false;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x)
        if (At(x, y) != other.At(x, y)) return false;
    return true;
  }

 private:
  TBitmap bitmap_;
  TColor background_;
};

}  // namespace mirto::testing_support
