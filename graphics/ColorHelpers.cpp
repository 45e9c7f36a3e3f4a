#include "graphics/ColorHelpers.h"

#include <algorithm>
#include <cstdint>

namespace mirto {

namespace {

// 64-bit intermediates: a percentage near the int limits must saturate the
// channel, not overflow.
int ShiftChannel(int channel, int percent, bool brighten) {
  const std::int64_t delta = static_cast<std::int64_t>(channel) * percent / 100;
  const std::int64_t shifted = brighten ? channel + delta : channel - delta;
  return static_cast<int>(std::clamp<std::int64_t>(shifted, 0, 255));
}

}  // namespace

TColor RgbToColor(int R, int G, int B) {
  return static_cast<TColor>((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}

void ColorToRgbParts(TColor color, int& R, int& G, int& B) {
  R = color & 0xFF;
  G = (color >> 8) & 0xFF;
  B = (color >> 16) & 0xFF;
}

TColor ColorSetPercentBrightness(TColor color, int percent, bool brighten) {
  return ShiftColorPercent(ColorToRGB(color), percent, brighten);
}

TColor ShiftColorPercent(TColor color, int percent, bool brighten) {
  int r = 0;
  int g = 0;
  int b = 0;
  ColorToRgbParts(color, r, g, b);
  return RgbToColor(ShiftChannel(r, percent, brighten), ShiftChannel(g, percent, brighten),
                    ShiftChannel(b, percent, brighten));
}

int PercentOf(int value, double percent) { return Round(value * percent / 100.0); }

}  // namespace mirto
