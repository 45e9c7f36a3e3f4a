#include "launcher/WindowLooks.h"

#include "components/KvoLinkLabel.h"
#include "components/KvoPanel.h"
#include "components/KvoPngButton.h"
#include "components/KvoTitleLabel.h"
#include "graphics/ColorHelpers.h"

namespace mirto {

namespace {

constexpr TColor kBackground = kTitleBarBottom;
constexpr TColor kBackgroundFrame = 0x00303030;
constexpr TColor kTitleBarEdge = 0x002E2E2E;

// The categories button under the pointer and while pressed.
const TColor kCategoriesHot = RgbToColor(215, 210, 196);
const TColor kCategoriesHotEnd = RgbToColor(211, 206, 190);
const TColor kCategoriesDown = RgbToColor(198, 190, 170);

constexpr TColor kLinkColor = 0x00DFDFDF;
constexpr TColor kLinkHotColor = 0x00F0F0F0;

constexpr TColor kAboutFrame = 0x006E6E6E;
constexpr TColor kProductLinkColor = 0x00E86B20;
constexpr TColor kDonationLinkColor = 0x001313E1;

// The upper gradient covers the whole panel, from -> to, over background;
// no border.
void FillWithUpperGradient(TKvoPanelAppearance& looks, TColor from, TColor to, TColor background) {
  looks.UpperGradient().SetColorFrom(from);
  looks.UpperGradient().SetColorTo(to);
  looks.SetUpperGradientPercent(100);
  looks.SetBackgroundColor(background);
  looks.SetDrawBorder(false);
}

void SetFlat(TKvoGradientEx& gradient, TColor color) {
  gradient.SetColorFrom(color);
  gradient.SetColorTo(color);
}

void SetBorderPens(TKvoPanel& panel, TColor color, int width) {
  auto& borders = panel.Appearance().Borders();
  for (auto* border : {&borders.Left(), &borders.Top(), &borders.Right(), &borders.Bottom()}) {
    border->Pen().SetColor(color);
    border->Pen().SetWidth(width);
  }
}

// The looks of a button's states show neither background nor frame.
void ShowNothingBehind(std::initializer_list<TKvoItemStateParams*> looks) {
  for (TKvoItemStateParams* look : looks) {
    look->SetTransparentBackground(true);
    look->SetTransparentFrame(true);
  }
}

}  // namespace

void ApplyBackgroundPanelLook(TKvoPanel& panel) {
  panel.Appearance().SetDrawGradient(false);
  panel.Appearance().SetBackgroundColor(kBackground);
  auto& borders = panel.Appearance().Borders();
  borders.Left().Pen().SetColor(kBackgroundFrame);
  borders.Top().Pen().SetColor(kBackgroundFrame);
  borders.Right().Pen().SetColor(kBackgroundFrame);
  borders.Bottom().Pen().SetColor(kBackgroundFrame);
}

void ApplyTitleBarLook(TKvoPanel& panel) {
  auto& looks = panel.Appearance();
  FillWithUpperGradient(looks, kTitleBarTop, kTitleBarBottom, kTitleBarTop);
  SetFlat(looks.BottomGradient(), kTitleBarEdge);
}

void ApplyBottomBarLook(TKvoPanel& panel) {
  FillWithUpperGradient(panel.Appearance(), kTitleBarBottom, kTitleBarTop, kTitleBarTop);
}

void ApplyMainAreaLook(TKvoPanel& panel) {
  auto& looks = panel.Appearance();
  looks.UpperGradient().SetOrientation(dgdAngle);
  looks.UpperGradient().SetBalanceMode(bmMirror);
  FillWithUpperGradient(looks, kMainAreaFrom, kMainAreaTo, 0x00120D05);
  SetFlat(looks.BottomGradient(), 0x00D6D6D6);
}

void ApplyTitleButtonLook(TKvoPngButton& button, int hotGamma) {
  auto& looks = button.Appearance();
  ShowNothingBehind({&looks.Normal(), &looks.Hot(), &looks.Down(), &looks.Focused()});
  looks.SetGlyphHotGammaFactor(static_cast<std::uint8_t>(hotGamma));
}

void ApplyCategoriesButtonLook(TKvoPngButton& button) {
  auto& home = button.Appearance();
  ShowNothingBehind({&home.Normal(), &home.Disabled(), &home.Focused()});
  home.Hot().SetColor(kCategoriesHot);
  home.Hot().Border().SetColor(kCategoriesDown);
  home.Hot().UpperGradient().SetColorFrom(kCategoriesHot);
  home.Hot().UpperGradient().SetColorTo(kCategoriesHotEnd);
  home.Hot().SetUpperGradientPercent(100);
  home.Hot().SetBorderToGradientMargin(0);
  home.Down().SetColor(kCategoriesDown);
  home.Down().Border().SetColor(kCategoriesDown);
  home.Down().SetGradientEnabled(false);
  home.Normal().Font().SetColor(RgbToColor(35, 35, 35));
  home.Disabled().Font().SetColor(RgbToColor(160, 160, 160));
  home.Hot().Font().SetColor(clBlack);
  home.Down().Font().SetColor(clBlack);
  home.Focused().Font().SetColor(clBlack);
}

void ShowCategoriesFocusCue(TKvoPngButton& button, bool shown) {
  TKvoItemStateParams& focused = button.Appearance().Focused();
  focused.Border().SetColor(focused.Font().Color());
  focused.Border().SetWidth(1);
  focused.SetTransparentFrame(!shown);
}

void ApplyTitleCaptionLook(TKvoTitleLabel& label) {
  label.Font().SetName(kWindowFontName);
  label.Font().SetHeight(-17);
  label.Font().SetStyle({fsBold});
  label.SetGradientStart(0x00C3C3C3);
  label.SetGradientEnd(0x00B2B2B2);
  label.SetShadowColor(0x002D2D2D);
  label.SetShadowOpacityStart(100);
  label.SetShadowOpacityEnd(200);
  label.SetClearType(true);
}

void ApplyTitleCaptionLook(TKvoTitleLook& look) {
  look.GradientStart = 0x00C3C3C3;
  look.GradientEnd = 0x00B2B2B2;
  look.ShadowColor = 0x002D2D2D;
  look.ShadowOpacityStart = 100;
  look.ShadowOpacityEnd = 200;
}

void ApplyLinkLook(TKvoLinkLabel& label, TColor color, TColor hotColor, TColor visitedColor,
                   TColor visitedHotColor) {
  label.FontNormal().SetColor(color);
  label.FontVisitedNormal().SetColor(visitedColor);
  label.FontHot().SetColor(hotColor);
  label.FontHot().SetStyle({fsUnderline});
  label.FontVisitedHot().SetColor(visitedHotColor);
  label.FontVisitedHot().SetStyle({fsUnderline});
  label.FontDisabled().SetColor(clBtnShadow);
  label.FontDisabled().SetStyle({fsUnderline});
}

void ApplyHomePageLinkLook(TKvoLinkLabel& label) {
  ApplyLinkLook(label, kLinkColor, kLinkHotColor, kLinkColor, kLinkHotColor);
}

void ApplyAboutPanelLook(TKvoPanel& panel) {
  auto& looks = panel.Appearance();
  looks.UpperGradient().SetOrientation(dgdAngle);
  looks.UpperGradient().SetBalanceMode(bmMirror);
  looks.UpperGradient().SetColorFrom(0x00D2D2D2);
  looks.UpperGradient().SetColorTo(0x00EAEAEA);
  looks.SetUpperGradientPercent(100);
  looks.BottomGradient().SetColorFrom(0x00E4E4E4);
  looks.BottomGradient().SetColorTo(0x00D8D8D8);
  looks.SetBackgroundColor(0x00C5C5C5);
  SetBorderPens(panel, kAboutFrame, 3);
}

void ApplyAboutListFrameLook(TKvoPanel& panel) {
  panel.Appearance().SetDrawGradient(false);
  SetBorderPens(panel, kAboutFrame, 2);
}

void ApplyProductLinkLook(TKvoLinkLabel& label) {
  ApplyLinkLook(label, kProductLinkColor, kProductLinkColor, clPurple, clPurple);
}

void ApplyDonationLinkLook(TKvoLinkLabel& label) {
  ApplyLinkLook(label, kDonationLinkColor, kDonationLinkColor, clPurple, clPurple);
}

TKvoMenuStyle DarkMenuStyle() {
  TKvoMenuStyle style;
  style.BackgroundFrom = 0x00454545;
  style.BackgroundTo = 0x00414141;
  style.IconBarFrom = 0x005F5F5F;
  style.IconBarTo = 0x004E4E4E;
  style.IconBarLine = 0x00313131;
  style.IconBarWidth = 28;
  style.ItemFont = {kWindowFontName, 13, 0x00D1D1D1};
  style.SelectedFrom = 0x00272727;
  style.SelectedTo = 0x001E1E1E;
  style.SelectedBorder = 0x001E1E1E;
  style.SelectedFont = {kWindowFontName, 13, 0x00F3F3F3};
  style.SeparatorColor = 0x00282828;
  style.BorderColor = 0x00313131;
  style.TextQuality = fqClearType;
  return style;
}

TKvoMenuStyle LightMenuStyle() {
  TKvoMenuStyle style;
  style.BackgroundFrom = 0x00E9ECED;
  style.BackgroundTo = 0x00E9ECED;
  style.IconBarFrom = kMainAreaFrom;
  style.IconBarTo = 0x00C9D7DA;
  style.IconBarLine = clNone;
  style.IconBarWidth = 26;
  style.ItemFont = {kWindowFontName, 12, 0x00242424};
  style.SelectedFrom = 0x00899598;
  style.SelectedTo = 0x00717E82;
  style.SelectedBorder = 0x00A5B4B6;
  style.SelectedFont = {kWindowFontName, 12, 0x00F3F3F3};
  style.SeparatorColor = 0x00B4C9CB;
  style.BorderColor = 0x00B4C9CB;
  style.TextQuality = fqNonAntialiased;
  return style;
}

}  // namespace mirto
