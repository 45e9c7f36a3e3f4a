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

PixelSurface::PixelSurface(QImage& image, int factor)
    : image_(image), layout_(WritableFormat(image)), factor_(std::max(1, factor)) {}

PixelLayout LayoutOf(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_BGR888:
      return PixelLayout::Bgr24;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      return PixelLayout::Xrgb32;
    case QImage::Format_ARGB32_Premultiplied:
      return PixelLayout::Premultiplied32;
    default:
      return PixelLayout::Other;
  }
}

RowFormat ReadableFormat(const QImage& image) {
  const PixelLayout layout = LayoutOf(image);
  if (layout == PixelLayout::Bgr24) return RowFormat::Bgr24;
  return layout == PixelLayout::Xrgb32 ? RowFormat::Xrgb32 : RowFormat::Other;
}

RowFormat WritableFormat(const QImage& image) {
  const PixelLayout layout = LayoutOf(image);
  if (layout == PixelLayout::Bgr24) return RowFormat::Bgr24;
  return layout == PixelLayout::Other ? RowFormat::Other : RowFormat::Xrgb32;
}

std::uint32_t ReadRgb(const QImage& image, int x, int y) {
  switch (ReadableFormat(image)) {
    case RowFormat::Bgr24: {
      const uchar* p = image.constScanLine(y) + 3 * x;
      return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
    case RowFormat::Xrgb32:
      return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x] & 0xFFFFFF;
    case RowFormat::Other:
      break;
  }
  return image.pixel(x, y) & 0xFFFFFF;
}

void PixelSurface::Pin() {
  if (layout_ == RowFormat::Other || image_.isNull()) return;
  bits_ = image_.bits();
  stride_ = image_.bytesPerLine();
}

void PixelSurface::Set(int x, int y, std::uint32_t rgb) { Span(y, x, x + 1, rgb, pmCopy); }

void PixelSurface::Span(int y, int x0, int x1, std::uint32_t rgb, TPenMode mode) {
  if (factor_ == 1) {
    PixelSpan(y, x0, x1, rgb, mode);
    return;
  }
  if (x1 <= x0 || mode == pmNop) return;
  // Every pixel of the cells is combined once; copies repeat the first row.
  const int top = y * factor_;
  PixelSpan(top, x0 * factor_, x1 * factor_, rgb, mode);
  for (int k = 1; k < factor_; ++k) {
    if (mode == pmCopy)
      CopyPixelRow(top, top + k, x0 * factor_, x1 * factor_);
    else
      PixelSpan(top + k, x0 * factor_, x1 * factor_, rgb, mode);
  }
}

void PixelSurface::PixelSpan(int y, int x0, int x1, std::uint32_t rgb, TPenMode mode) {
  if (x1 <= x0 || mode == pmNop) return;
  switch (layout_) {
    case RowFormat::Bgr24: {
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
    case RowFormat::Xrgb32: {
      auto* p = reinterpret_cast<std::uint32_t*>(Row(y));
      if (mode == pmCopy) {
        std::fill(p + x0, p + x1, 0xFF000000u | rgb);
        return;
      }
      for (int x = x0; x < x1; ++x) p[x] = 0xFF000000u | ApplyRasterOp(mode, rgb, p[x]);
      return;
    }
    case RowFormat::Other:
      break;
  }
  for (int x = x0; x < x1; ++x) {
    const std::uint32_t c = ApplyRasterOp(mode, rgb, image_.pixel(x, y));
    image_.setPixel(x, y, 0xFF000000u | c);
  }
}

void PixelSurface::Fill(const TRect& clip, const TRect& rect, std::uint32_t rgb, TPenMode mode) {
  TRect r;
  IntersectRect(r, clip, rect);
  if (r.IsEmpty()) return;
  if (mode != pmCopy) {
    for (int y = r.Top; y < r.Bottom; ++y) Span(y, r.Left, r.Right, rgb, mode);
    return;
  }
  Span(r.Top, r.Left, r.Right, rgb, mode);
  for (int y = r.Top + 1; y < r.Bottom; ++y) CopyRow(r.Top, y, r.Left, r.Right);
}

void PixelSurface::FillRing(const TRect& clip, const TRect& outer, int w, std::uint32_t rgb,
                            TPenMode mode) {
  const TRect inner{ClampToInt(1LL * outer.Left + w), ClampToInt(1LL * outer.Top + w),
                    ClampToInt(1LL * outer.Right - w), ClampToInt(1LL * outer.Bottom - w)};
  if (inner.IsEmpty()) {
    Fill(clip, outer, rgb, mode);
    return;
  }
  Fill(clip, {outer.Left, outer.Top, outer.Right, inner.Top}, rgb, mode);
  Fill(clip, {outer.Left, inner.Bottom, outer.Right, outer.Bottom}, rgb, mode);
  Fill(clip, {outer.Left, inner.Top, inner.Left, inner.Bottom}, rgb, mode);
  Fill(clip, {inner.Right, inner.Top, outer.Right, inner.Bottom}, rgb, mode);
}

void PixelSurface::CopyRow(int from, int to, int x0, int x1) {
  if (factor_ == 1) {
    CopyPixelRow(from, to, x0, x1);
    return;
  }
  for (int k = 0; k < factor_; ++k)
    CopyPixelRow(from * factor_ + k, to * factor_ + k, x0 * factor_, x1 * factor_);
}

void PixelSurface::CopyPixelRow(int from, int to, int x0, int x1) {
  if (x1 <= x0 || from == to) return;
  if (layout_ == RowFormat::Other) {
    for (int x = x0; x < x1; ++x) image_.setPixel(x, to, image_.pixel(x, from));
    return;
  }
  const int bytes = layout_ == RowFormat::Bgr24 ? 3 : 4;
  std::memcpy(Row(to) + bytes * x0, Row(from) + bytes * x0,
              static_cast<std::size_t>(bytes) * static_cast<std::size_t>(x1 - x0));
}

}  // namespace mirto
