#pragma once

// A rectangular clipping region in device coordinates. A value: it is
// "deleted" when it goes out of scope, and a canvas keeps its own copy of the
// region selected into it.

#include "platform/drawing/Types.h"

namespace mirto {

class TRegion {
 public:
  // A null region: selecting it clips nothing away (the same as selecting no
  // region at all).
  TRegion() = default;
  // The rectangle's pixels (Right/Bottom exclusive); an empty rectangle gives
  // an empty region, which clips everything away.
  explicit TRegion(const TRect& rect);

  bool IsNull() const { return null_; }
  bool IsEmpty() const { return !null_ && bounds_.IsEmpty(); }
  const TRect& Bounds() const { return bounds_; }
  bool Contains(TPoint p) const { return !null_ && bounds_.Contains(p); }

  void Offset(int dx, int dy);

  friend bool operator==(const TRegion&, const TRegion&) = default;

 private:
  TRect bounds_;
  bool null_ = true;
};

// The name the drawing code uses for creating a region.
inline TRegion CreateRectRgn(const TRect& rect) { return TRegion(rect); }

}  // namespace mirto
