#include "platform/drawing/PicturePlacement.h"

#include <algorithm>
#include <climits>

#include "platform/drawing/Canvas.h"

namespace mirto {

namespace {

// No target is this wide or high.
constexpr long long kDeviceReach = 1LL << 30;

int Saturated(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

}  // namespace

void DrawPlaced(TCanvas& canvas, int x, int y, int width, int height,
                const std::function<void(const TRect&)>& draw) {
  if (width <= 0 || height <= 0) return;
  const long long right = 1LL * x + width, bottom = 1LL * y + height;
  if (right <= INT_MAX && bottom <= INT_MAX) {
    draw({x, y, static_cast<int>(right), static_cast<int>(bottom)});
    return;
  }
  const TPoint origin = canvas.WindowOrg();
  const long long left = 1LL * x - origin.X, top = 1LL * y - origin.Y;
  if (left >= kDeviceReach || top >= kDeviceReach || left + width <= 0 || top + height <= 0) return;
  canvas.SetWindowOrg({0, 0});
  struct RestoreOrigin {
    TCanvas& canvas;
    TPoint origin;
    ~RestoreOrigin() { canvas.SetWindowOrg(origin); }
  } restore{canvas, origin};
  draw({Saturated(left), Saturated(top), Saturated(left + width), Saturated(top + height)});
}

}  // namespace mirto
