#pragma once

// Platform-internal: writes pixels of a QImage directly, with the sixteen
// raster operations of the pen. Colours are 0xRRGGBB; every pixel written
// becomes opaque. Callers clip: coordinates must lie inside the image.
// A surface of factor f addresses the image in cells of f x f pixels (the
// picture of a control on a high-resolution screen): every logical pixel
// written covers its whole cell, so each rule keeps its logical shape.

#include <QImage>
#include <algorithm>
#include <cstdint>

#include "platform/drawing/Pen.h"

namespace mirto {

// How an image's rows hold their pixels, for loops that touch memory
// directly: three bytes B, G, R; or one 32-bit word 0xAARRGGBB whose colour
// bits can be read (Xrgb32) or only written opaque (premultiplied). Any
// other format goes through QImage.
enum class PixelLayout { Bgr24, Xrgb32, Premultiplied32, Other };
PixelLayout LayoutOf(const QImage& image);

// The layout to read colours through (premultiplied pixels go through
// QImage) and the layout to write opaque pixels through.
enum class RowFormat { Bgr24, Xrgb32, Other };
RowFormat ReadableFormat(const QImage& image);
RowFormat WritableFormat(const QImage& image);

// Result of raster operation `mode` for pen colour pen over destination dest.
std::uint32_t ApplyRasterOp(TPenMode mode, std::uint32_t pen, std::uint32_t dest);

// Colour 0xRRGGBB of pixel (x, y) of any image; the caller checks bounds.
std::uint32_t ReadRgb(const QImage& image, int x, int y);

class PixelSurface {
 public:
  explicit PixelSurface(QImage& image, int factor = 1);

  int Width() const { return image_.width() / factor_; }
  int Height() const { return image_.height() / factor_; }
  int Factor() const { return factor_; }

  // The colour of the cell, read from its top-left pixel.
  std::uint32_t Get(int x, int y) const { return ReadRgb(image_, x * factor_, y * factor_); }
  void Set(int x, int y, std::uint32_t rgb);
  // Combines pixels x0 .. x1 - 1 of row y with rgb by mode.
  void Span(int y, int x0, int x1, std::uint32_t rgb, TPenMode mode = pmCopy);
  // Span(y, x0, x1, rgb), without a call for a pinned 32-bit image.
  void CopySpan(int y, int x0, int x1, std::uint32_t rgb) {
    if (bits_ && layout_ == RowFormat::Xrgb32 && factor_ == 1) {
      if (x0 >= x1) return;
      auto* row = reinterpret_cast<std::uint32_t*>(bits_ + y * stride_);
      std::fill(row + x0, row + x1, 0xFF000000u | rgb);
      return;
    }
    Span(y, x0, x1, rgb, pmCopy);
  }
  // Set(x, y, rgb), without a call for a pinned 32-bit image.
  void SetCell(int x, int y, std::uint32_t rgb) {
    if (bits_ && layout_ == RowFormat::Xrgb32) {
      const std::uint32_t value = 0xFF000000u | rgb;
      for (int k = 0; k < factor_; ++k) {
        auto* row = reinterpret_cast<std::uint32_t*>(bits_ + (y * factor_ + k) * stride_);
        std::fill_n(row + x * factor_, factor_, value);
      }
      return;
    }
    Set(x, y, rgb);
  }
  // Combines the pixels of rect inside clip with rgb by mode.
  void Fill(const TRect& clip, const TRect& rect, std::uint32_t rgb, TPenMode mode);
  // The same for the frame w pixels wide along the inside of outer, each
  // pixel once.
  void FillRing(const TRect& clip, const TRect& outer, int w, std::uint32_t rgb, TPenMode mode);
  void Invert(int x, int y) { Span(y, x, x + 1, 0, pmNot); }
  // Copies pixels x0 .. x1 - 1 of row `from` onto row `to`.
  void CopyRow(int from, int to, int x0, int x1);
  // Detaches the image once and keeps its row pointers, for callers that
  // write many short spans; nothing may copy or resize the image meanwhile.
  void Pin();

 private:
  uchar* Row(int y) { return bits_ ? bits_ + y * stride_ : image_.scanLine(y); }
  // Span and CopyRow in the image's own pixels.
  void PixelSpan(int y, int x0, int x1, std::uint32_t rgb, TPenMode mode);
  void CopyPixelRow(int from, int to, int x0, int x1);

  QImage& image_;
  RowFormat layout_;
  int factor_ = 1;
  uchar* bits_ = nullptr;
  qsizetype stride_ = 0;
};

}  // namespace mirto
