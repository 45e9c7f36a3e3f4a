#pragma once

// The launcher's push button: a bitmap button that keeps the base's click,
// focus, default, glyph and layout behaviour and paints itself entirely:
// a rounded rectangle whose fill, border, font and optional vertical
// gradient follow the state (normal, mouse over, pressed, focused,
// disabled), an optional focus frame, a thicker frame when it is the
// window's default button, the caption and the glyph.
//
// Every setter stores its value and repaints, except the two glyph
// transparency setters, which only store (the next paint uses them).

#include "components/KvoLifeGuard.h"
#include "platform/drawing/Font.h"
#include "platform/toolkit/BitBtn.h"

namespace mirto {

// The state a paint is made for.
struct TButtonExState {
  bool Down = false;  // pressed
  bool Over = false;  // under the mouse pointer
  bool Enabled = true;
  bool Focused = false;  // has the keyboard focus
  bool Default = false;  // reacts to Enter as the window's default button
};

// Everything one paint draws with, folded from the state; later rules of
// the state order (normal, over, down, disabled) win.
struct TButtonExLook {
  TColor Background = 0;
  TColor GradientStart = 0;
  TColor Border = 0;
  bool FocusFrame = false;
  TColor FocusFrameColor = 0;
  bool DefaultFrame = false;
  const TFont* Font = nullptr;
  bool GrayText = false;
};

class TButtonEx : public TBitBtn {
 public:
  explicit TButtonEx(TComponent* owner = nullptr);

  // True while the mouse pointer is over the button.
  bool Over() const { return over_; }

  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool value);

  // The fonts of the hovered, pressed and focused states; setting one copies
  // the given font.
  const TFont& FontOver() const { return fontOver_; }
  TFont& FontOver() { return fontOver_; }
  void SetFontOver(const TFont& value);
  const TFont& FontDown() const { return fontDown_; }
  TFont& FontDown() { return fontDown_; }
  void SetFontDown(const TFont& value);
  const TFont& FontFocus() const { return fontFocus_; }
  TFont& FontFocus() { return fontFocus_; }
  void SetFontFocus(const TFont& value);

  TColor ColorBorder() const { return colorBorder_; }
  void SetColorBorder(TColor value) { SetAndRepaint(colorBorder_, value); }
  TColor ColorBorderOver() const { return colorBorderOver_; }
  void SetColorBorderOver(TColor value) { SetAndRepaint(colorBorderOver_, value); }
  TColor ColorBorderDown() const { return colorBorderDown_; }
  void SetColorBorderDown(TColor value) { SetAndRepaint(colorBorderDown_, value); }
  TColor ColorBorderInactive() const { return colorBorderInactive_; }
  void SetColorBorderInactive(TColor value) { SetAndRepaint(colorBorderInactive_, value); }

  // Applied to the glyph at the next paint (and left on it).
  TColor GlyphTransparentColor() const { return glyphTransparentColor_; }
  void SetGlyphTransparentColor(TColor value) { glyphTransparentColor_ = value; }
  TTransparentMode GlyphTransparentMode() const { return glyphTransparentMode_; }
  void SetGlyphTransparentMode(TTransparentMode value) { glyphTransparentMode_ = value; }

  TColor ColorFocusRect() const { return colorFocusRect_; }
  void SetColorFocusRect(TColor value) { SetAndRepaint(colorFocusRect_, value); }
  TColor ColorFocusRectOver() const { return colorFocusRectOver_; }
  void SetColorFocusRectOver(TColor value) { SetAndRepaint(colorFocusRectOver_, value); }
  TColor ColorFocusRectDown() const { return colorFocusRectDown_; }
  void SetColorFocusRectDown(TColor value) { SetAndRepaint(colorFocusRectDown_, value); }

  TColor ColorBg() const { return colorBg_; }
  void SetColorBg(TColor value) { SetAndRepaint(colorBg_, value); }
  TColor ColorDown() const { return colorDown_; }
  void SetColorDown(TColor value) { SetAndRepaint(colorDown_, value); }
  TColor ColorOver() const { return colorOver_; }
  void SetColorOver(TColor value) { SetAndRepaint(colorOver_, value); }
  TColor ColorInactive() const { return colorInactive_; }
  void SetColorInactive(TColor value) { SetAndRepaint(colorInactive_, value); }

  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value) { SetAndRepaint(penWidth_, value); }
  int PenWidthDefault() const { return penWidthDefault_; }
  void SetPenWidthDefault(int value) { SetAndRepaint(penWidthDefault_, value); }
  int RoundingX() const { return roundingX_; }
  void SetRoundingX(int value) { SetAndRepaint(roundingX_, value); }
  int RoundingY() const { return roundingY_; }
  void SetRoundingY(int value) { SetAndRepaint(roundingY_, value); }

  // Where the caption sits when there is no glyph (with a glyph, Layout
  // and Spacing place it).
  TAlignment TextAlignment() const { return textAlignment_; }
  void SetTextAlignment(TAlignment value) { SetAndRepaint(textAlignment_, value); }
  int TextMargin() const { return textMargin_; }
  void SetTextMargin(int value) { SetAndRepaint(textMargin_, value); }

  // A vertical gradient from the state's gradient start colour at the top
  // to its background colour at the bottom, instead of a plain fill.
  bool UseGradient() const { return useGradient_; }
  void SetUseGradient(bool value) { SetAndRepaint(useGradient_, value); }
  TColor ColorBgGradientStart() const { return colorBgGradientStart_; }
  void SetColorBgGradientStart(TColor value) { SetAndRepaint(colorBgGradientStart_, value); }
  TColor ColorOverGradientStart() const { return colorOverGradientStart_; }
  void SetColorOverGradientStart(TColor value) { SetAndRepaint(colorOverGradientStart_, value); }
  TColor ColorDownGradientStart() const { return colorDownGradientStart_; }
  void SetColorDownGradientStart(TColor value) { SetAndRepaint(colorDownGradientStart_, value); }
  TColor ColorInactiveGradientStart() const { return colorInactiveGradientStart_; }
  void SetColorInactiveGradientStart(TColor value) {
    SetAndRepaint(colorInactiveGradientStart_, value);
  }

  // Inset of the focus frame from every side.
  static constexpr int dxf = 5;

  // The look of the button in state.
  TButtonExLook LookFor(const TButtonExState& state) const;
  // Paints the button in state onto canvas over its client rectangle, as a
  // paint of the control does (previews, galleries). The gradient fills
  // the canvas's clip rectangle, so canvas should be the button's size.
  void PaintState(TCanvas& canvas, const TButtonExState& state);

 protected:
  void DrawItem(const TDrawItemStruct& item) override;
  // The caption is drawn as it stands, "&" included.
  QString DrawnCaption() const override { return Caption(); }
  // The pointer entering or leaving sets Over and, except while the button
  // is being designed, fires OnMouseEnter / OnMouseLeave once and repaints.
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  template <class T>
  void SetAndRepaint(T& field, T value) {
    field = value;
    Repaint();
  }
  void PointerMoved(bool over, const TNotifyEvent& handler);
  void DrawBackground(TCanvas& canvas, const TButtonExLook& look, int w, int h) const;
  void DrawFrames(TCanvas& canvas, const TButtonExLook& look, int w, int h) const;
  void DrawCaptionAndGlyph(TCanvas& canvas, const TButtonExLook& look, bool enabled, int w, int h);

  bool over_ = false;
  bool showFocusRect_ = false;
  TFont fontOver_;
  TFont fontDown_;
  TFont fontFocus_;
  TColor colorBorder_ = clBlack;
  TColor colorBorderOver_ = RGB(80, 80, 80);
  TColor colorBorderDown_ = RGB(120, 120, 120);
  TColor colorBorderInactive_ = clGrayText;
  TColor glyphTransparentColor_ = clFuchsia;
  TTransparentMode glyphTransparentMode_ = tmFixed;
  TColor colorFocusRect_ = RGB(128, 128, 128);
  TColor colorFocusRectOver_ = RGB(80, 80, 80);
  TColor colorFocusRectDown_ = RGB(120, 120, 120);
  TColor colorBg_ = clBtnFace;
  TColor colorDown_ = RGB(242, 235, 183);
  TColor colorOver_ = RGB(247, 239, 223);
  TColor colorInactive_ = clBtnFace;
  int penWidth_ = 1;
  int penWidthDefault_ = 3;
  int roundingX_ = 0;
  int roundingY_ = 0;
  TAlignment textAlignment_ = taCenter;
  int textMargin_ = 0;
  bool useGradient_ = false;
  TColor colorBgGradientStart_ = clWhite;
  TColor colorOverGradientStart_ = clBlack;
  TColor colorDownGradientStart_ = clBlack;
  TColor colorInactiveGradientStart_ = clBlack;
  TKvoLifeToken life_;
};

}  // namespace mirto
