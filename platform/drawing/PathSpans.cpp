#include <array>
#include <cmath>

#include "platform/drawing/PathSpans_p.h"
#include "platform/drawing/PixelSurface_p.h"

namespace mirto {

namespace {

int ToFixed(double v) {
  const double scaled = v * 64;
  return scaled >= 0.0 ? static_cast<int>(scaled + 0.5) : static_cast<int>(scaled - 0.5);
}

QPainterPath EllipsePath(const TRect& r) {
  QPainterPath path;
  if (r.IsEmpty()) return path;
  path.addEllipse(QRectF(r.Left, r.Top, static_cast<double>(1LL * r.Right - r.Left),
                         static_cast<double>(1LL * r.Bottom - r.Top)));
  return path;
}

}  // namespace

PathSpans::PathSpans(const QPainterPath& path, const TRect& clip)
    : clip_(clip), oddEven_(path.fillRule() == Qt::OddEvenFill) {
  points_.reserve(256);
  Flatten(path);
  if (points_.size() < 3 || clip_.IsEmpty()) return;
  int minY = points_[0].y, maxY = points_[0].y;
  for (const Point& p : points_) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  top_ = std::max(clip_.Top, (minY + 32) >> 6);
  bottom_ = std::min(clip_.Bottom - 1, (maxY - 32) >> 6);
  if (top_ > bottom_) return;
  edges_.reserve(points_.size());
  std::size_t first = 0;
  for (const std::size_t end : contourEnds_) {
    for (std::size_t i = first; i < end; ++i)
      AddEdge(points_[i], points_[i + 1 < end ? i + 1 : first]);
    first = end;
  }
}

void PathSpans::Cubic::Split(Cubic& a, Cubic& b) const {
  const Cubic s = *this;  // a or b may be this curve
  using Axis = std::array<double Cubic::*, 4>;
  for (const Axis& p : {Axis{&Cubic::x1, &Cubic::x2, &Cubic::x3, &Cubic::x4},
                        Axis{&Cubic::y1, &Cubic::y2, &Cubic::y3, &Cubic::y4}}) {
    const double middle = (s.*p[1] + s.*p[2]) * .5;
    a.*p[0] = s.*p[0];
    a.*p[1] = (s.*p[0] + s.*p[1]) * .5;
    b.*p[2] = (s.*p[2] + s.*p[3]) * .5;
    b.*p[3] = s.*p[3];
    a.*p[2] = (a.*p[1] + middle) * .5;
    b.*p[1] = (b.*p[2] + middle) * .5;
    a.*p[3] = b.*p[0] = (a.*p[2] + b.*p[1]) * .5;
  }
}

// Appends the end points of the pieces a cubic is cut into until each is
// flat to within a quarter pixel (nine halvings at most).
void PathSpans::AddCubic(const Cubic& curve) {
  constexpr double kThreshold = 0.25;
  // Pieces wholly above or below the clip's rows cross none of them: they
  // end in the same point whether cut further or not. The limits keep a
  // 1/64 pixel margin from the first and last row's centre, so rounding
  // cannot bring a left-out piece back into view.
  const double aboveRows = (clip_.Top * 64.0 + 31.0) / 64.0;
  const double belowRows = ((clip_.Bottom - 1) * 64.0 + 33.0) / 64.0;
  Cubic stack[10];
  int levels[10];
  stack[0] = curve;
  levels[0] = 9;
  int top = 0;
  while (top >= 0) {
    Cubic& b = stack[top];
    const double y4y1 = b.y4 - b.y1, x4x1 = b.x4 - b.x1;
    double l = std::fabs(x4x1) + std::fabs(y4y1);
    double d;
    if (l > 1.) {
      d = std::fabs(x4x1 * (b.y1 - b.y2) - y4y1 * (b.x1 - b.x2)) +
          std::fabs(x4x1 * (b.y1 - b.y3) - y4y1 * (b.x1 - b.x3));
    } else {
      d = std::fabs(b.x1 - b.x2) + std::fabs(b.y1 - b.y2) + std::fabs(b.x1 - b.x3) +
          std::fabs(b.y1 - b.y3);
      l = 1.;
    }
    const bool unseen = std::max(std::max(b.y1, b.y2), std::max(b.y3, b.y4)) < aboveRows ||
                        std::min(std::min(b.y1, b.y2), std::min(b.y3, b.y4)) > belowRows;
    if (unseen || d < kThreshold * l || levels[top] == 0) {
      points_.push_back({ToFixed(b.x4), ToFixed(b.y4)});
      --top;
    } else {
      b.Split(stack[top + 1], b);
      levels[top + 1] = --levels[top];
      ++top;
    }
  }
}

void PathSpans::Flatten(const QPainterPath& path) {
  bool open = false;
  QPointF last;
  const auto add = [&](double x, double y) {
    points_.push_back({ToFixed(x), ToFixed(y)});
    last = {x, y};
  };
  const auto close = [&] {
    if (open) contourEnds_.push_back(points_.size());
    open = false;
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      close();
      add(e.x, e.y);
      open = true;
    } else if (!open) {
      continue;
    } else if (e.isLineTo()) {
      add(e.x, e.y);
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
      AddCubic({last.x(), last.y(), e.x, e.y, c2.x, c2.y, end.x, end.y});
      last = {end.x, end.y};
      i += 2;
    }
  }
  close();
}

void PathSpans::AddEdge(Point a, Point b) {
  int winding = 1;
  if (a.y > b.y) {
    std::swap(a, b);
    winding = -1;
  }
  const int top = std::max(top_, (a.y + 32) >> 6);
  const int bottom = std::min(bottom_, (b.y - 32) >> 6);
  if (top > bottom) return;
  const int aFP = (1 << 15) + a.x * 1024;
  if (a.x == b.x) {
    edges_.push_back({aFP, 0, top, bottom, winding});
    return;
  }
  const double slope = (b.x - a.x) / static_cast<double>(b.y - a.y);
  if (std::fabs(slope) >= 32767.) {
    exact_ = false;
    return;
  }
  const int slopeFP = static_cast<int>(slope * 65536.);
  const long long offset = top * 65536LL + (1 << 15) - a.y * 1024LL;
  const int xFP = aFP + static_cast<int>((slopeFP * offset) >> 16);
  edges_.push_back({xFP, slopeFP, top, bottom, winding});
}

std::optional<EllipseSpans> EllipseSpans::Plan(const TRect& outer, const TRect& inner, bool filled,
                                               bool outlined, const TRect& clip) {
  if (!PathSpans::Fits(outlined ? outer : inner)) return std::nullopt;
  EllipseSpans spans;
  const QPainterPath innerPath = EllipsePath(inner);
  if (filled && !inner.IsEmpty()) spans.fill.emplace(innerPath, clip);
  if (outlined) {
    QPainterPath outline = EllipsePath(outer);
    if (!inner.IsEmpty()) {
      outline.addPath(innerPath);
      outline.setFillRule(Qt::OddEvenFill);
    }
    spans.ring.emplace(outline, clip);
  }
  if ((spans.fill && !spans.fill->Exact()) || (spans.ring && !spans.ring->Exact()))
    return std::nullopt;
  return spans;
}

void EllipseSpans::Draw(PixelSurface& surface, std::uint32_t fillRgb, std::uint32_t ringRgb) const {
  surface.Pin();
  if (fill) fill->ForEach([&](int y, int x0, int x1) { surface.CopySpan(y, x0, x1, fillRgb); });
  if (ring) ring->ForEach([&](int y, int x0, int x1) { surface.CopySpan(y, x0, x1, ringRgb); });
}

}  // namespace mirto
