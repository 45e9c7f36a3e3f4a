#include <algorithm>
#include <cstring>

#include "platform/drawing/PixelSurface_p.h"

namespace mirto {

std::uint32_t ApplyRasterOp(TPenMode mode, std::uint32_t pen, std::uint32_t dest) {
  constexpr std::uint32_t kMask = 0xFFFFFF;
  const std::uint32_t p = pen & kMask;
  const std::uint32_t d = dest & kMask;
  switch (mode) {
    case pmBlack:
      return 0;
    case pmWhite:
      return kMask;
    case pmNop:
      return d;
    case pmNot:
      return ~d & kMask;
    case pmCopy:
      return p;
    case pmNotCopy:
      return ~p & kMask;
    case pmMergePenNot:
      return (p | ~d) & kMask;
    case pmMaskPenNot:
      return p & ~d & kMask;
    case pmMergeNotPen:
      return (~p | d) & kMask;
    case pmMaskNotPen:
      return ~p & d & kMask;
    case pmMerge:
      return p | d;
    case pmNotMerge:
      return ~(p | d) & kMask;
    case pmMask:
      return p & d;
    case pmNotMask:
      return ~(p & d) & kMask;
    case pmXor:
      return p ^ d;
    case pmNotXor:
      return ~(p ^ d) & kMask;
  }
  return p;
}

PixelSurface::PixelSurface(QImage& image) : image_(image) {
  switch (image.format()) {
    case QImage::Format_BGR888:
      layout_ = Layout::Bgr24;
      break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      layout_ = Layout::Bgra32;
      break;
    default:
      layout_ = Layout::Other;
      break;
  }
}

std::uint32_t ReadRgb(const QImage& image, int x, int y) {
  switch (image.format()) {
    case QImage::Format_BGR888: {
      const uchar* p = image.constScanLine(y) + 3 * x;
      return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x] & 0xFFFFFF;
    default:
      break;
  }
  return image.pixel(x, y) & 0xFFFFFF;
}

void PixelSurface::Pin() {
  if (layout_ == Layout::Other || image_.isNull()) return;
  bits_ = image_.bits();
  stride_ = image_.bytesPerLine();
}

void PixelSurface::Set(int x, int y, std::uint32_t rgb) { Span(y, x, x + 1, rgb, pmCopy); }

void PixelSurface::Span(int y, int x0, int x1, std::uint32_t rgb, TPenMode mode) {
  if (x1 <= x0 || mode == pmNop) return;
  switch (layout_) {
    case Layout::Bgr24: {
      uchar* p = Row(y) + 3 * x0;
      if (mode == pmCopy) {
        // One pixel, then doubling copies of what is already written.
        p[0] = static_cast<uchar>(rgb);
        p[1] = static_cast<uchar>(rgb >> 8);
        p[2] = static_cast<uchar>(rgb >> 16);
        const std::size_t total = 3 * static_cast<std::size_t>(x1 - x0);
        for (std::size_t done = 3; done < total; done *= 2)
          std::memcpy(p + done, p, std::min(done, total - done));
        return;
      }
      for (int x = x0; x < x1; ++x, p += 3) {
        const std::uint32_t d = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
        const std::uint32_t c = mode == pmCopy ? rgb : ApplyRasterOp(mode, rgb, d);
        p[0] = static_cast<uchar>(c);
        p[1] = static_cast<uchar>(c >> 8);
        p[2] = static_cast<uchar>(c >> 16);
      }
      return;
    }
    case Layout::Bgra32: {
      auto* p = reinterpret_cast<std::uint32_t*>(Row(y));
      if (mode == pmCopy) {
        std::fill(p + x0, p + x1, 0xFF000000u | rgb);
        return;
      }
      for (int x = x0; x < x1; ++x) p[x] = 0xFF000000u | ApplyRasterOp(mode, rgb, p[x]);
      return;
    }
    case Layout::Other:
      break;
  }
  for (int x = x0; x < x1; ++x) {
    const std::uint32_t c = ApplyRasterOp(mode, rgb, image_.pixel(x, y));
    image_.setPixel(x, y, 0xFF000000u | c);
  }
}

void PixelSurface::CopyRow(int from, int to, int x0, int x1) {
  if (x1 <= x0 || from == to) return;
  if (layout_ == Layout::Other) {
    for (int x = x0; x < x1; ++x) image_.setPixel(x, to, image_.pixel(x, from));
    return;
  }
  const int bytes = layout_ == Layout::Bgr24 ? 3 : 4;
  std::memcpy(Row(to) + bytes * x0, Row(from) + bytes * x0,
              static_cast<std::size_t>(bytes) * static_cast<std::size_t>(x1 - x0));
}

}  // namespace mirto
