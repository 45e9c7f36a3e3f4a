#include "components/KvoMenuStyle.h"

namespace mirto {

namespace {
std::uint8_t Midway(std::uint8_t a, std::uint8_t b) {
  return static_cast<std::uint8_t>((a + b + 1) / 2);
}
}  // namespace

TColor TKvoMenuStyle::DisabledFontColor() const {
  const TColor font = ColorToRGB(ItemFont.Color);
  const TColor back = ColorToRGB(BackgroundFrom);
  return RGB(Midway(GetRValue(font), GetRValue(back)), Midway(GetGValue(font), GetGValue(back)),
             Midway(GetBValue(font), GetBValue(back)));
}

}  // namespace mirto
