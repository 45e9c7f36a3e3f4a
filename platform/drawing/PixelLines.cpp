#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/drawing/PixelLines_p.h"
#include "platform/drawing/PixelSurface_p.h"

namespace mirto {

namespace {

// Dash patterns of one-pixel pens: lengths of alternating on and off runs.
std::vector<int> DashPattern(TPenStyle style) {
  switch (style) {
    case psDash:
      return {18, 6};
    case psDot:
      return {3, 3};
    case psDashDot:
      return {9, 6, 3, 6};
    case psDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

// Cuts the segment to box (Liang-Barsky); false when it misses the box.
bool ClipSegment(long long& x0, long long& y0, long long& x1, long long& y1, const TRect& box) {
  const double dx = static_cast<double>(x1 - x0), dy = static_cast<double>(y1 - y0);
  double t0 = 0.0, t1 = 1.0;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {static_cast<double>(x0 - box.Left), static_cast<double>(box.Right - 1 - x0),
                      static_cast<double>(y0 - box.Top), static_cast<double>(box.Bottom - 1 - y0)};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const long long nx0 = std::llround(x0 + t0 * dx), ny0 = std::llround(y0 + t0 * dy);
  const long long nx1 = std::llround(x0 + t1 * dx), ny1 = std::llround(y0 + t1 * dy);
  x0 = nx0;
  y0 = ny0;
  x1 = nx1;
  y1 = ny1;
  return true;
}

}  // namespace

DashWalker::DashWalker(TPenStyle style) : pattern_(DashPattern(style)) {
  for (int len : pattern_) period_ += len;
}

bool DashWalker::Next() {
  if (pattern_.empty()) return true;
  int pos = position_ % period_;
  ++position_;
  for (std::size_t i = 0; i < pattern_.size(); ++i) {
    if (pos < pattern_[i]) return i % 2 == 0;
    pos -= pattern_[i];
  }
  return true;
}

void WalkPixelLine(PixelSurface& surface, const TRect& clip, const TDeviceLine& line,
                   std::uint32_t color, TPenMode mode, DashWalker& dashes,
                   std::optional<std::uint32_t> gapColor) {
  long long sx0 = line.x0, sy0 = line.y0, sx1 = line.x1, sy1 = line.y1;
  if (std::max(std::llabs(sx1 - sx0), std::llabs(sy1 - sy0)) >
      4LL * (clip.Width() + clip.Height())) {
    // A line far longer than the clip: cut it to the clip grown by two
    // pixels first, so that the walk stays short. Its new ends lie outside
    // the clip, where painting them or not makes no difference.
    if (!ClipSegment(sx0, sy0, sx1, sy1,
                     {clip.Left - 2, clip.Top - 2, clip.Right + 2, clip.Bottom + 2}))
      return;
  }
  long long x = sx0, y = sy0;
  const long long dx = std::llabs(sx1 - sx0), dy = -std::llabs(sy1 - sy0);
  const int stepX = sx0 < sx1 ? 1 : -1, stepY = sy0 < sy1 ? 1 : -1;
  long long err = dx + dy;
  const long long steps = std::max(dx, -dy);
  for (long long i = 0; i < steps; ++i) {
    const bool on = dashes.Next();
    if (clip.Contains({static_cast<int>(x), static_cast<int>(y)})) {
      const int px = static_cast<int>(x), py = static_cast<int>(y);
      if (on)
        surface.Span(py, px, px + 1, color, mode);
      else if (gapColor)
        surface.Span(py, px, px + 1, *gapColor, mode);
    }
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += stepX;
    }
    if (e2 <= dx) {
      err += dx;
      y += stepY;
    }
  }
}

}  // namespace mirto
