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

TKvoMenuStyle DarkMenuStyle() {
  TKvoMenuStyle style;
  style.BackgroundFrom = 0x00454545;
  style.BackgroundTo = 0x00414141;
  style.IconBarFrom = 0x005F5F5F;
  style.IconBarTo = 0x004E4E4E;
  style.IconBarLine = 0x00313131;
  style.IconBarWidth = 28;
  style.ItemFont = {QStringLiteral("Segoe UI"), 13, 0x00D1D1D1};
  style.SelectedFrom = 0x00272727;
  style.SelectedTo = 0x001E1E1E;
  style.SelectedBorder = 0x001E1E1E;
  style.SelectedFont = {QStringLiteral("Segoe UI"), 13, 0x00F3F3F3};
  style.SeparatorColor = 0x00282828;
  style.BorderColor = 0x00313131;
  style.TextQuality = fqClearType;
  return style;
}

TKvoMenuStyle LightMenuStyle() {
  TKvoMenuStyle style;
  style.BackgroundFrom = 0x00E9ECED;
  style.BackgroundTo = 0x00E9ECED;
  style.IconBarFrom = 0x00D1DDE0;
  style.IconBarTo = 0x00C9D7DA;
  style.IconBarLine = clNone;
  style.IconBarWidth = 26;
  style.ItemFont = {QStringLiteral("Segoe UI"), 12, 0x00242424};
  style.SelectedFrom = 0x00899598;
  style.SelectedTo = 0x00717E82;
  style.SelectedBorder = 0x00A5B4B6;
  style.SelectedFont = {QStringLiteral("Segoe UI"), 12, 0x00F3F3F3};
  style.SeparatorColor = 0x00B4C9CB;
  style.BorderColor = 0x00B4C9CB;
  style.TextQuality = fqNonAntialiased;
  return style;
}

}  // namespace mirto
