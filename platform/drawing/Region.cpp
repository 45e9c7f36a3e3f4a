#include "platform/drawing/Region.h"

#include <algorithm>
#include <climits>

namespace mirto {

TRegion::TRegion(const TRect& rect) : bounds_(rect), null_(false) {
  if (bounds_.IsEmpty()) bounds_ = TRect{};
}

void TRegion::Offset(int dx, int dy) {
  if (null_ || bounds_.IsEmpty()) return;
  // Saturating, so that an offset far out of range cannot wrap round.
  const auto shift = [](int v, int d) { return ClampToInt(1LL * v + d); };
  bounds_ = {shift(bounds_.Left, dx), shift(bounds_.Top, dy), shift(bounds_.Right, dx),
             shift(bounds_.Bottom, dy)};
  if (bounds_.IsEmpty()) bounds_ = TRect{};
}

}  // namespace mirto
