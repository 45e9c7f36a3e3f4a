#include "components/KvoButtonAppearance.h"

#include "graphics/ColorHelpers.h"

namespace mirto {

namespace {

constexpr TColor kFocusBlue = RGB(36, 170, 208);

struct LookColors {
  TColor color;
  TColor upperFrom;
  TColor upperTo;
  TColor bottomFrom;
  TColor bottomTo;
  TColor border;
  TColor font;
};

void Fill(TKvoItemStateParams& look, const LookColors& colors, std::uint8_t upperPercent) {
  look.SetColor(colors.color);
  look.UpperGradient().SetColorFrom(colors.upperFrom);
  look.UpperGradient().SetColorTo(colors.upperTo);
  look.BottomGradient().SetColorFrom(colors.bottomFrom);
  look.BottomGradient().SetColorTo(colors.bottomTo);
  look.Border().SetColor(colors.border);
  look.Font().SetColor(colors.font);
  look.SetUpperGradientPercent(upperPercent);
}

LookColors ColorsOf(const TKvoItemStateParams& look) {
  return {look.Color(),
          look.UpperGradient().ColorFrom(),
          look.UpperGradient().ColorTo(),
          look.BottomGradient().ColorFrom(),
          look.BottomGradient().ColorTo(),
          look.Border().Color(),
          look.Font().Color()};
}

}  // namespace

// --- TKvoItemStateParams -------------------------------------------------------

TKvoItemStateParams::TKvoItemStateParams(TComponent* owner)
    : upperGradient_(owner), bottomGradient_(owner) {
  const TNotifyEvent forward = [this](TObject*) { Changed(); };
  upperGradient_.SetOnChange(forward);
  bottomGradient_.SetOnChange(forward);
  font_.OnChange = forward;
  border_.OnChange = forward;
}

void TKvoItemStateParams::Changed() { PropsChanged(this); }

void TKvoItemStateParams::SetColor(TColor value) {
  color_ = value;
  Changed();
}

void TKvoItemStateParams::SetFont(const TFont& value) {
  font_.Assign(&value);
  Changed();
}

void TKvoItemStateParams::SetBorder(const TPen& value) {
  border_.Assign(&value);
  Changed();
}

void TKvoItemStateParams::SetGradientEnabled(bool value) {
  gradientEnabled_ = value;
  Changed();
}

void TKvoItemStateParams::SetUpperGradient(const TKvoGradientEx& value) {
  upperGradient_.Assign(&value);
  Changed();
}

void TKvoItemStateParams::SetBottomGradient(const TKvoGradientEx& value) {
  bottomGradient_.Assign(&value);
  Changed();
}

void TKvoItemStateParams::SetUpperGradientPercent(std::uint8_t value) {
  upperGradientPercent_ = value;
  Changed();
}

void TKvoItemStateParams::SetBorderToGradientMargin(int value) {
  borderToGradientMargin_ = value;
  Changed();
}

void TKvoItemStateParams::SetTransparentBackground(bool value) {
  transparentBackground_ = value;
  Changed();
}

void TKvoItemStateParams::SetTransparentFrame(bool value) {
  transparentFrame_ = value;
  Changed();
}

void TKvoItemStateParams::Assign(const TPersistent* source) {
  const auto* look = dynamic_cast<const TKvoItemStateParams*>(source);
  if (look == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (look == this) return;
  SetFont(look->font_);
  SetBorder(look->border_);
  SetColor(look->color_);
  SetGradientEnabled(look->gradientEnabled_);
  SetUpperGradient(look->upperGradient_);
  SetBottomGradient(look->bottomGradient_);
  SetUpperGradientPercent(look->upperGradientPercent_);
  SetBorderToGradientMargin(look->borderToGradientMargin_);
  SetTransparentBackground(look->transparentBackground_);
  SetTransparentFrame(look->transparentFrame_);
}

// --- TKvoButtonAppearance ------------------------------------------------------

TKvoButtonAppearance::TKvoButtonAppearance(TComponent* owner)
    : normal_(owner),
      hot_(owner),
      focusRect_(owner),
      down_(owner),
      disabled_(owner),
      focused_(owner) {
  // Later looks copy values of earlier ones, so the order matters.
  Fill(normal_,
       {RGB(243, 243, 243), RGB(241, 241, 241), RGB(235, 235, 235), RGB(221, 221, 221),
        RGB(207, 207, 207), RGB(112, 112, 112), clBlack},
       46);
  const std::uint8_t percent = normal_.UpperGradientPercent();
  Fill(hot_,
       {RGB(232, 245, 252), RGB(234, 246, 253), RGB(217, 240, 252), RGB(190, 230, 253),
        RGB(167, 217, 245), RGB(60, 127, 177), clBlack},
       percent);
  LookColors focused = ColorsOf(normal_);
  focused.border = kFocusBlue;
  Fill(focused_, focused, percent);
  Fill(down_,
       {RGB(197, 226, 241), RGB(229, 244, 252), RGB(196, 229, 246), RGB(152, 209, 239),
        RGB(114, 185, 223), ColorSetPercentBrightness(hot_.Border().Color(), 50, false), clBlack},
       52);
  const TColor disabledFace = RGB(244, 244, 244);
  Fill(disabled_,
       {disabledFace, disabledFace, disabledFace, disabledFace, disabledFace, RGB(173, 178, 181),
        RgbToColor(160, 160, 160)},
       percent);

  focusRect_.Pen().SetColor(kFocusBlue);
  borderWhenDefault_.SetColor(kFocusBlue);
  const TNotifyEvent forward = [this](TObject*) { PropsChanged(); };
  for (TKvoItemStateParams* look : {&normal_, &hot_, &down_, &focused_, &disabled_})
    look->SetOnChange(forward);
  focusRect_.SetOnChange(forward);
}

void TKvoButtonAppearance::PropsChanged() { TKvoPersistent::PropsChanged(this); }

void TKvoButtonAppearance::SetOnChange(TNotifyEvent handler) {
  TKvoPersistent::SetOnChange(std::move(handler));
  PropsChanged();
}

void TKvoButtonAppearance::SetDefaultDrawing(bool value) {
  defaultDrawing_ = value;
  PropsChanged();
}

void TKvoButtonAppearance::SetGlyphDisabledGrayscaleFactor(std::uint8_t value) {
  glyphDisabledGrayscaleFactor_ = value;
  PropsChanged();
}

void TKvoButtonAppearance::SetGlyphDisabledBlendFactor(std::uint8_t value) {
  glyphDisabledBlendFactor_ = value;
  PropsChanged();
}

void TKvoButtonAppearance::SetGlyphHotGammaFactor(std::uint8_t value) {
  glyphHotGammaFactor_ = value;
  PropsChanged();
}

void TKvoButtonAppearance::SetMoveWhenDown(bool value) {
  moveWhenDown_ = value;
  PropsChanged();
}

void TKvoButtonAppearance::SetShowCaption(bool value) {
  showCaption_ = value;
  PropsChanged();
}

void TKvoButtonAppearance::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TKvoButtonAppearance*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  SetDefaultDrawing(other->defaultDrawing_);
  SetGlyphDisabledGrayscaleFactor(other->glyphDisabledGrayscaleFactor_);
  SetGlyphDisabledBlendFactor(other->glyphDisabledBlendFactor_);
  SetGlyphHotGammaFactor(other->glyphHotGammaFactor_);
  SetMoveWhenDown(other->moveWhenDown_);
  borderWhenDefault_.Assign(&other->borderWhenDefault_);
  focusRect_.SetFocusType(other->focusRect_.FocusType());
  focusRect_.SetSpacing(other->focusRect_.Spacing());
  focusRect_.SetPen(other->focusRect_.Pen());
  SetShowCaption(other->showCaption_);
  normal_.Assign(&other->normal_);
  hot_.Assign(&other->hot_);
  down_.Assign(&other->down_);
  focused_.Assign(&other->focused_);
  disabled_.Assign(&other->disabled_);
}

}  // namespace mirto
