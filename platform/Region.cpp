#include "platform/Region.h"

namespace mirto {

TRegion::TRegion(const TRect& rect) : bounds_(rect), null_(false) {
  if (bounds_.IsEmpty()) bounds_ = TRect{};
}

void TRegion::Offset(int dx, int dy) {
  if (null_ || bounds_.IsEmpty()) return;
  OffsetRect(bounds_, dx, dy);
}

}  // namespace mirto
