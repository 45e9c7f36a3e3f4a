#pragma once

// Platform-internal: fills paths (ellipses, rounded rectangles, rings)
// span by span, straight into a pixel surface.

#include <QPainterPath>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/drawing/Types.h"

namespace mirto {

class PixelSurface;

// Aliased path fill, pixel for pixel as the painter's raster engine does it,
// but written through the pixel surface: a large shape filled by the painter
// goes through its worker threads, and handing them hundreds of concentric
// ellipses costs more than the filling.
//
// Curves are flattened until they stray less than a quarter pixel, corners
// rounded to 1/64 pixel, and each row is sampled through the pixel centres in
// 16.16 fixed point: a pixel is inside when its centre lies right of a
// crossing and not right of the next.
class PathSpans {
 public:
  // Whether the fill stays inside the coordinate range this arithmetic is
  // exact for.
  static bool Fits(const TRect& r) {
    constexpr int kLimit = 1 << 14;
    return r.Left > -kLimit && r.Top > -kLimit && r.Right < kLimit && r.Bottom < kLimit;
  }

  PathSpans(const QPainterPath& path, const TRect& clip);

  // False when an edge is too flat for 16.16 steps: such paths are left to
  // the painter.
  bool Exact() const { return exact_; }

  // Calls onSpan(y, x0, x1) for every run of pixels x0 .. x1 - 1 inside the
  // path and the clip.
  template <typename Emit>
  void ForEach(Emit onSpan) const {
    if (top_ > bottom_ || edges_.empty()) return;
    const std::size_t rows = static_cast<std::size_t>(bottom_ - top_ + 1);
    // Crossings by row (counting sort), then by x within the row.
    // Scratch kept between calls: hundreds of rings are drawn in a row.
    thread_local std::vector<int> start, fill;
    thread_local std::vector<Crossing> crossings;
    start.assign(rows + 2, 0);
    for (const Edge& e : edges_) {
      ++start[static_cast<std::size_t>(e.top - top_) + 1];
      --start[static_cast<std::size_t>(e.bottom - top_) + 2];
    }
    for (int pass = 0; pass < 2; ++pass)
      for (std::size_t i = 1; i <= rows; ++i) start[i] += start[i - 1];
    crossings.resize(static_cast<std::size_t>(start[rows]));
    fill.assign(start.begin(), start.begin() + static_cast<std::ptrdiff_t>(rows));
    for (const Edge& e : edges_) {
      long long xFP = e.xFP;
      const Crossing side = e.winding > 0 ? 1 : 0;
      for (int y = e.top; y <= e.bottom; ++y, xFP += e.slopeFP)
        crossings[static_cast<std::size_t>(fill[static_cast<std::size_t>(y - top_)]++)] =
            static_cast<Crossing>(static_cast<std::uint64_t>(xFP >> 16) << 32) | side;
    }
    for (std::size_t r = 0; r < rows; ++r) {
      Crossing* begin = crossings.data() + start[r];
      Crossing* end = crossings.data() + start[r + 1];
      SortFew(begin, end);
      int winding = 0, from = 0;
      for (const Crossing* c = begin; c != end; ++c) {
        const int x = static_cast<int>(*c >> 32);
        if (oddEven_ ? (winding & 1) != 0 : winding != 0) {
          const int left = std::max(from, clip_.Left), right = std::min(x, clip_.Right);
          if (left < right) onSpan(top_ + static_cast<int>(r), left, right);
        }
        from = x;
        winding += (*c & 1) != 0 ? 1 : -1;
      }
    }
  }

 private:
  struct Point {
    int x, y;  // 1/64 pixel
  };
  struct Edge {
    int xFP, slopeFP, top, bottom, winding;
  };
  // x in the high half, so that crossings sort by x; bit 0: whether the
  // edge runs downwards.
  using Crossing = std::int64_t;

  static void Order(Crossing& a, Crossing& b) {
    const Crossing low = std::min(a, b), high = std::max(a, b);
    a = low;
    b = high;
  }

  // Rows cross an ellipse twice and a ring four times: fixed networks
  // without branches, in registers; anything else by insertion.
  static void SortFew(Crossing* begin, Crossing* end) {
    switch (end - begin) {
      case 2: {
        Crossing a = begin[0], b = begin[1];
        Order(a, b);
        begin[0] = a;
        begin[1] = b;
        return;
      }
      case 4: {
        Crossing a = begin[0], b = begin[1], c = begin[2], d = begin[3];
        Order(a, b);
        Order(c, d);
        Order(a, c);
        Order(b, d);
        Order(b, c);
        begin[0] = a;
        begin[1] = b;
        begin[2] = c;
        begin[3] = d;
        return;
      }
      default:
        break;
    }
    for (Crossing* c = begin + 1; c < end; ++c) {
      const Crossing moving = *c;
      Crossing* hole = c;
      for (; hole != begin && *(hole - 1) > moving; --hole) *hole = *(hole - 1);
      *hole = moving;
    }
  }

  struct Cubic {
    double x1, y1, x2, y2, x3, y3, x4, y4;
    // de Casteljau halves: first into a, second into b.
    void Split(Cubic& a, Cubic& b) const;
  };

  void AddCubic(const Cubic& curve);
  void Flatten(const QPainterPath& path);
  void AddEdge(Point a, Point b);

  TRect clip_;
  bool oddEven_;
  bool exact_ = true;
  int top_ = 0, bottom_ = -1;
  std::vector<Point> points_;
  std::vector<std::size_t> contourEnds_;
  std::vector<Edge> edges_;
};

// An ellipse in plain colours as spans: the interior of `inner` and, with a
// pen, the ring between `outer` and `inner`.
struct EllipseSpans {
  std::optional<PathSpans> fill, ring;

  // Nothing when the ellipse lies beyond what the span arithmetic is exact
  // for: the painter draws it then. Without a pen `outer` is not used.
  static std::optional<EllipseSpans> Plan(const TRect& outer, const TRect& inner, bool filled,
                                          bool outlined, const TRect& clip);
  void Draw(PixelSurface& surface, std::uint32_t fillRgb, std::uint32_t ringRgb) const;
};

}  // namespace mirto
