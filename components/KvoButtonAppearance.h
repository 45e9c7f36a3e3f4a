#pragma once

// The looks of the PNG button: one TKvoItemStateParams per state (normal,
// hot, down, focused, disabled) and the appearance object that holds all five
// with the focus rectangle options, the default-button border pen and the
// glyph-effect factors.
//
// Every setter notifies, also when the value is unchanged, so assigning a
// look property always costs its button one invalidation. Changes travel
// look -> appearance -> button; the default-button pen reports nothing.

#include <cstdint>

#include "components/KvoCommon.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/Pen.h"
#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"

namespace mirto {

class TComponent;

// The look of one button state: background colour, caption font, border pen
// and two stacked gradient bands, with switches that leave the background or
// the frame unpainted.
class TKvoItemStateParams : public TKvoPersistent {
 public:
  explicit TKvoItemStateParams(TComponent* owner = nullptr);

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  // Copies the font's attributes; the owned font stays the same object.
  void SetFont(const TFont& value);
  TPen& Border() { return border_; }
  const TPen& Border() const { return border_; }
  void SetBorder(const TPen& value);
  bool GradientEnabled() const { return gradientEnabled_; }
  void SetGradientEnabled(bool value);
  TKvoGradientEx& UpperGradient() { return upperGradient_; }
  const TKvoGradientEx& UpperGradient() const { return upperGradient_; }
  void SetUpperGradient(const TKvoGradientEx& value);
  TKvoGradientEx& BottomGradient() { return bottomGradient_; }
  const TKvoGradientEx& BottomGradient() const { return bottomGradient_; }
  void SetBottomGradient(const TKvoGradientEx& value);
  // Height of the upper band in percent of the button; above 100 paints as 100.
  std::uint8_t UpperGradientPercent() const { return upperGradientPercent_; }
  void SetUpperGradientPercent(std::uint8_t value);
  // Inset of the bands from the left, right and outer edges; negative paints as 0.
  int BorderToGradientMargin() const { return borderToGradientMargin_; }
  void SetBorderToGradientMargin(int value);
  bool TransparentBackground() const { return transparentBackground_; }
  void SetTransparentBackground(bool value);
  bool TransparentFrame() const { return transparentFrame_; }
  void SetTransparentFrame(bool value);

  // OnChange is called with the look as sender after any change of the look
  // or of its font, pen or gradients. Setting it only stores the handler.

  // Copies every setting of another look in a fixed order (font, border,
  // colour, gradient switch, gradients, band percent, margin, transparency
  // switches); OnChange stays.
  void Assign(const TPersistent* source) override;

 private:
  void Changed();

  TColor color_ = clBlack;
  TFont font_;
  TPen border_;
  bool gradientEnabled_ = true;
  TKvoGradientEx upperGradient_;
  TKvoGradientEx bottomGradient_;
  std::uint8_t upperGradientPercent_ = 0;
  int borderToGradientMargin_ = 2;
  bool transparentBackground_ = false;
  bool transparentFrame_ = false;
};

// All looks of one button. A new appearance carries the button's standard
// light-blue scheme.
class TKvoButtonAppearance : public TKvoPersistent {
 public:
  explicit TKvoButtonAppearance(TComponent* owner = nullptr);

  // Paint like the platform's push button instead of the custom looks.
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool value);

  TKvoItemStateParams& Normal() { return normal_; }
  const TKvoItemStateParams& Normal() const { return normal_; }
  void SetNormal(const TKvoItemStateParams& value) { normal_.Assign(&value); }
  TKvoItemStateParams& Hot() { return hot_; }
  const TKvoItemStateParams& Hot() const { return hot_; }
  void SetHot(const TKvoItemStateParams& value) { hot_.Assign(&value); }
  TKvoItemStateParams& Down() { return down_; }
  const TKvoItemStateParams& Down() const { return down_; }
  void SetDown(const TKvoItemStateParams& value) { down_.Assign(&value); }
  TKvoItemStateParams& Disabled() { return disabled_; }
  const TKvoItemStateParams& Disabled() const { return disabled_; }
  void SetDisabled(const TKvoItemStateParams& value) { disabled_.Assign(&value); }
  TKvoItemStateParams& Focused() { return focused_; }
  const TKvoItemStateParams& Focused() const { return focused_; }
  void SetFocused(const TKvoItemStateParams& value) { focused_.Assign(&value); }

  TKvoFocusRectParams& FocusRect() { return focusRect_; }
  const TKvoFocusRectParams& FocusRect() const { return focusRect_; }
  // Border of a button that is the window's default button without holding
  // the focus. Changing it invalidates nothing.
  TPen& BorderWhenDefault() { return borderWhenDefault_; }
  const TPen& BorderWhenDefault() const { return borderWhenDefault_; }
  void SetBorderWhenDefault(const TPen& value) { borderWhenDefault_.Assign(&value); }

  std::uint8_t GlyphDisabledGrayscaleFactor() const { return glyphDisabledGrayscaleFactor_; }
  void SetGlyphDisabledGrayscaleFactor(std::uint8_t value);
  std::uint8_t GlyphDisabledBlendFactor() const { return glyphDisabledBlendFactor_; }
  void SetGlyphDisabledBlendFactor(std::uint8_t value);
  // Gamma of the hot or pressed glyph in hundredths (130 is 1.30).
  std::uint8_t GlyphHotGammaFactor() const { return glyphHotGammaFactor_; }
  void SetGlyphHotGammaFactor(std::uint8_t value);
  // Glyph and caption move one pixel right and down while pressed.
  bool MoveWhenDown() const { return moveWhenDown_; }
  void SetMoveWhenDown(bool value);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool value);

  // Called with the appearance as sender after every change. A newly set
  // handler is called once at once.
  void SetOnChange(TNotifyEvent handler);

  // Copies another appearance setting by setting, each through the ordinary
  // notification (so the button repaints with the source's looks); OnChange
  // stays. Other sources raise EConvertError.
  void Assign(const TPersistent* source) override;

 private:
  void PropsChanged();

  TKvoItemStateParams normal_;
  TKvoItemStateParams hot_;
  bool defaultDrawing_ = false;
  TKvoFocusRectParams focusRect_;
  TPen borderWhenDefault_;
  TKvoItemStateParams down_;
  TKvoItemStateParams disabled_;
  std::uint8_t glyphDisabledGrayscaleFactor_ = 255;
  std::uint8_t glyphDisabledBlendFactor_ = 127;
  bool moveWhenDown_ = false;
  std::uint8_t glyphHotGammaFactor_ = 130;
  TKvoItemStateParams focused_;
  bool showCaption_ = true;
};

}  // namespace mirto
