#include "platform/toolkit/PaintFactor.h"

#include <algorithm>
#include <cmath>

namespace mirto {

namespace {

int g_override = 0;

// Far more than any screen has; keeps a picture's size in range.
constexpr int kMaxFactor = 8;

}  // namespace

int PaintFactorForRatio(double devicePixelRatio) {
  if (!(devicePixelRatio >= 1.5)) return 1;  // also not a number
  return static_cast<int>(std::lround(std::min<double>(devicePixelRatio, kMaxFactor)));
}

int PaintFactorOverride() { return g_override; }

int PaintFactorFor(double devicePixelRatio) {
  return g_override > 0 ? g_override : PaintFactorForRatio(devicePixelRatio);
}

TPaintFactorScope::TPaintFactorScope(int factor) : previous_(g_override) {
  g_override = std::clamp(factor, 1, kMaxFactor);
}

TPaintFactorScope::~TPaintFactorScope() { g_override = previous_; }

}  // namespace mirto
