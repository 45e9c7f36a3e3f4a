#include <algorithm>
#include <cstring>

#include "platform/drawing/PixelSurface_p.h"
#include "platform/drawing/RowBlit_p.h"

namespace mirto {

namespace {

// The same value as ReadRgb(image, x, y); row is image's row y.
inline std::uint32_t ReadRowRgb(const QImage& image, const uchar* row, RowFormat format, int x,
                                int y) {
  switch (format) {
    case RowFormat::Bgr24: {
      const uchar* p = row + 3 * x;
      return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
    case RowFormat::Xrgb32:
      return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
    case RowFormat::Other:
      break;
  }
  return ReadRgb(image, x, y);
}

// The same effect as surface.Set(x, y, rgb); row is the surface's row y.
inline void WriteRowRgb(PixelSurface& surface, uchar* row, RowFormat format, int x, int y,
                        std::uint32_t rgb) {
  switch (format) {
    case RowFormat::Bgr24: {
      uchar* p = row + 3 * x;
      p[0] = static_cast<uchar>(rgb);
      p[1] = static_cast<uchar>(rgb >> 8);
      p[2] = static_cast<uchar>(rgb >> 16);
      return;
    }
    case RowFormat::Xrgb32:
      reinterpret_cast<std::uint32_t*>(row)[x] = 0xFF000000u | rgb;
      return;
    case RowFormat::Other:
      break;
  }
  surface.SetCell(x, y, rgb);
}

// offset * to / from, truncated; the product of two extents of up to 2^32
// needs more than 64 bits.
// The source pixel under the centre of the target pixel `offset`, the rule
// that pictures, icons and the parallelogram blit follow as well: 3 pixels
// stretched to 5 show 0, 0, 1, 2, 2.
long long Scaled(long long offset, long long to, long long from) {
  return static_cast<long long>((2 * static_cast<__int128>(offset) + 1) * to /
                                (2 * static_cast<__int128>(from)));
}

constexpr std::size_t kKeptSnapshotBytes = std::size_t{4} << 20;

QImage& KeptSnapshot() {
  thread_local QImage snapshot;
  return snapshot;
}

// How a parallelogram blit walks one row: (u, v) moves by (du, dv) per
// pixel and maps into the source rectangle.
struct BlitStep {
  double du, dv, sw, sh;
  long long left, top, width, height;
};

// Copies pixels from x on for as long as their centres map into the source.
// Everything the loop changes is a local, so byte stores through `copy`
// cannot force it out of registers.
template <typename Copy>
void CopyRun(int x, int right, double u, double v, const BlitStep& step, Copy copy) {
  const BlitStep s = step;
  for (; x < right; ++x, u += s.du, v += s.dv) {
    if (u < 0.0 || u >= 1.0 || v < 0.0 || v >= 1.0) return;
    const long long sx = s.left + static_cast<long long>(u * s.sw);
    const long long sy = s.top + static_cast<long long>(v * s.sh);
    if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height) return;
    copy(x, sx, sy);
  }
}

}  // namespace

void BlitRows(QImage& target, const TRect& clip, const TRect& device, const QImage& from,
              const TRect& sourceRect, const QRgb* transparent, int factor) {
  PixelSurface surface(target, factor);
  if (factor > 1) surface.Pin();
  const RowFormat readFormat = ReadableFormat(from);
  // Cells larger than a pixel are written whole, through the surface.
  const RowFormat writeFormat = factor > 1 ? RowFormat::Other : WritableFormat(target);
  const long long dw = (1LL * device.Right - device.Left), dh = (1LL * device.Bottom - device.Top);
  const long long sw = (1LL * sourceRect.Right - sourceRect.Left),
                  sh = (1LL * sourceRect.Bottom - sourceRect.Top);
  // Unscaled copies (every plain Draw) map columns by an offset.
  const bool unscaled = dw == sw && dh == sh;
  const long long columnOffset = 1LL * sourceRect.Left - device.Left;
  // Cells of a 32-bit picture: the first pixel row of a cell row is written,
  // the others copy it.
  const bool wholeCells = factor > 1 && !transparent && readFormat != RowFormat::Other &&
                          WritableFormat(target) == RowFormat::Xrgb32;
  uchar* const cellBits = wholeCells ? target.bits() : nullptr;
  const qsizetype cellStride = target.bytesPerLine();
  for (int y = clip.Top; y < clip.Bottom; ++y) {
    const long long sy = sourceRect.Top + Scaled(1LL * y - device.Top, sh, dh);
    if (sy < 0 || sy >= from.height()) continue;
    const uchar* sourceRow = from.constScanLine(static_cast<int>(sy));
    uchar* row = writeFormat == RowFormat::Other ? nullptr : target.scanLine(y);
    int left = clip.Left, right = clip.Right;
    if (unscaled) {
      left = ClampToInt(std::max<long long>(left, -columnOffset));
      right = ClampToInt(std::min<long long>(right, from.width() - columnOffset));
      if (wholeCells) {
        if (left >= right) continue;
        uchar* first = cellBits + qsizetype(y) * factor * cellStride;
        auto* out = reinterpret_cast<std::uint32_t*>(first);
        for (int x = left; x < right; ++x) {
          const std::uint32_t rgb =
              ReadRowRgb(from, sourceRow, readFormat, static_cast<int>(x + columnOffset), int(sy));
          std::fill_n(out + qsizetype(x) * factor, factor, 0xFF000000u | rgb);
        }
        const auto bytes = std::size_t(right - left) * factor * 4;
        for (int k = 1; k < factor; ++k)
          std::memcpy(first + k * cellStride + qsizetype(left) * factor * 4,
                      first + qsizetype(left) * factor * 4, bytes);
        continue;
      }
      if (!transparent && writeFormat == RowFormat::Xrgb32 && readFormat != RowFormat::Other) {
        auto* out = reinterpret_cast<std::uint32_t*>(row);
        if (readFormat == RowFormat::Xrgb32) {
          const auto* in = reinterpret_cast<const std::uint32_t*>(sourceRow);
          for (int x = left; x < right; ++x)
            out[x] = 0xFF000000u | (in[x + columnOffset] & 0xFFFFFF);
        } else {
          for (int x = left; x < right; ++x) {
            const uchar* p = sourceRow + 3 * (x + columnOffset);
            out[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
          }
        }
        continue;
      }
    }
    for (int x = left; x < right; ++x) {
      const long long sx =
          unscaled ? x + columnOffset : sourceRect.Left + Scaled(1LL * x - device.Left, sw, dw);
      if (sx < 0 || sx >= from.width()) continue;
      const std::uint32_t rgb =
          ReadRowRgb(from, sourceRow, readFormat, static_cast<int>(sx), static_cast<int>(sy));
      if (transparent && rgb == (*transparent & 0xFFFFFF)) continue;
      WriteRowRgb(surface, row, writeFormat, x, y, rgb);
    }
  }
}

void PlgBlitRows(QImage& target, const TRect& box, const TParallelogram& shape, double det,
                 const QImage& from, const TRect& sourceRect, int factor) {
  const double p0x = shape.x0, p0y = shape.y0, ax = shape.ax, ay = shape.ay, bx = shape.bx,
               by = shape.by;
  PixelSurface surface(target, factor);
  if (factor > 1) surface.Pin();
  const double sw = static_cast<double>(1LL * sourceRect.Right - sourceRect.Left);
  const double sh = static_cast<double>(1LL * sourceRect.Bottom - sourceRect.Top);
  const long long fromWidth = from.width(), fromHeight = from.height();
  // (u, v): the pixel centre's position in the source's unit square; it
  // moves by a constant step from one pixel to the next.
  const double du = by / det, dv = -ay / det;
  const RowFormat readFormat = ReadableFormat(from);
  const RowFormat writeFormat = factor > 1 ? RowFormat::Other : WritableFormat(target);
  const uchar* sourceBits = from.constBits();
  const qsizetype sourceStride = from.bytesPerLine();
  const long long left = sourceRect.Left, top = sourceRect.Top;
  const BlitStep step{du, dv, sw, sh, left, top, fromWidth, fromHeight};
  for (int y = box.Top; y < box.Bottom; ++y) {
    const double cx = box.Left + 0.5 - p0x, cy = y + 0.5 - p0y;
    double u = (cx * by - cy * bx) / det;
    double v = (ax * cy - ay * cx) / det;
    // u and v only grow or only shrink along a row, so the pixels whose
    // centres map into the source form one run: skip to it, copy it, stop.
    int x = box.Left;
    for (; x < box.Right; ++x, u += du, v += dv) {
      if (u < 0.0 || u >= 1.0 || v < 0.0 || v >= 1.0) continue;
      const long long sx = left + static_cast<long long>(u * sw);
      const long long sy = top + static_cast<long long>(v * sh);
      if (sx >= 0 && sy >= 0 && sx < fromWidth && sy < fromHeight) break;
    }
    if (x == box.Right) continue;
    uchar* row = writeFormat == RowFormat::Other ? nullptr : target.scanLine(y);
    if (readFormat == RowFormat::Bgr24 && writeFormat == RowFormat::Bgr24) {
      CopyRun(x, box.Right, u, v, step,
              [row, sourceBits, sourceStride](int to, long long sx, long long sy) {
                const uchar* p = sourceBits + sy * sourceStride + 3 * sx;
                uchar* q = row + 3 * to;
                q[0] = p[0];
                q[1] = p[1];
                q[2] = p[2];
              });
    } else if (readFormat == RowFormat::Xrgb32 && writeFormat == RowFormat::Xrgb32) {
      auto* out = reinterpret_cast<std::uint32_t*>(row);
      CopyRun(x, box.Right, u, v, step,
              [out, sourceBits, sourceStride](int to, long long sx, long long sy) {
                const auto* in =
                    reinterpret_cast<const std::uint32_t*>(sourceBits + sy * sourceStride);
                out[to] = 0xFF000000u | (in[sx] & 0xFFFFFF);
              });
    } else {
      CopyRun(x, box.Right, u, v, step, [&](int to, long long sx, long long sy) {
        const uchar* sourceRow =
            readFormat == RowFormat::Other ? nullptr : sourceBits + sy * sourceStride;
        WriteRowRgb(
            surface, row, writeFormat, to, y,
            ReadRowRgb(from, sourceRow, readFormat, static_cast<int>(sx), static_cast<int>(sy)));
      });
    }
  }
}

TInPlaceSnapshot::TInPlaceSnapshot(const QImage& image) : snapshot_(KeptSnapshot()) {
  if (ReadableFormat(image) == RowFormat::Other) {
    snapshot_ = image.copy();  // keeps a colour table, if any
    return;
  }
  if (snapshot_.size() != image.size() || snapshot_.format() != image.format() ||
      snapshot_.bytesPerLine() != image.bytesPerLine())
    snapshot_ = QImage(image.size(), image.format());
  if (snapshot_.isNull()) return;  // no memory for it
  const auto rowBytes = static_cast<std::size_t>(image.bytesPerLine());
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(snapshot_.scanLine(y), image.constScanLine(y), rowBytes);
}

TInPlaceSnapshot::~TInPlaceSnapshot() {
  if (std::size_t(snapshot_.sizeInBytes()) > kKeptSnapshotBytes) snapshot_ = QImage();
}

std::size_t TInPlaceSnapshot::KeptBytes() { return std::size_t(KeptSnapshot().sizeInBytes()); }

}  // namespace mirto
