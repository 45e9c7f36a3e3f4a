#include "components/KvoPngButtonStyleHook.h"

#include "components/KvoPngButton.h"
#include "components/KvoPngButtonPainting.h"
#include "graphics/PngFunctions.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/StylePainting.h"

namespace mirto {

namespace {

TColor StyleColorOr(TThemedElement element, TElementColor kind, TColor fallback) {
  TColor color = clNone;
  if (TStyleServices::GetElementColor(element, kind, color) && color != clNone) return color;
  return fallback;
}

}  // namespace

void DrawStyledPushButton(TCanvas& canvas, const TRect& rect, TThemedElement element) {
  TRect r = rect;
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(StyleColorOr(element, ecFillColor, clBtnFace));
  canvas.FillRect(r);
  Frame3D(canvas, r, StyleColorOr(element, ecEdgeHighLightColor, clBtnHighlight),
          StyleColorOr(element, ecEdgeShadowColor, clBtnShadow), 1);
}

TThemedElement TKvoPngButtonStyleHook::ElementState(bool mouseInControl) const {
  if (pressed_) return tbPushButtonPressed;
  if (mouseInControl) return tbPushButtonHot;
  if (focused_ || control_.Default()) return tbPushButtonDefaulted;
  if (control_.Enabled()) return tbPushButtonNormal;
  return tbPushButtonDisabled;
}

void TKvoPngButtonStyleHook::DrawPlainButton(TCanvas& canvas, bool mouseInControl) const {
  TThemedElement element = tbPushButtonNormal;
  if (!control_.Enabled())
    element = tbPushButtonDisabled;
  else if (pressed_)
    element = tbPushButtonPressed;
  else if (mouseInControl)
    element = tbPushButtonHot;
  else if (focused_ || control_.Default())
    element = tbPushButtonDefaulted;
  const TRect client = control_.ClientRect();
  DrawStyledPushButton(canvas, client, element);
  canvas.Font().Assign(&control_.Font());
  canvas.Font().SetColor(StyleColorOr(element, ecTextColor, canvas.Font().Color()));
  canvas.Brush().SetStyle(bsClear);
  TRect text = client;
  canvas.DrawText(control_.Caption(), text,
                  control_.DrawTextBiDiModeFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
}

void TKvoPngButtonStyleHook::DrawButton(TCanvas& canvas, bool mouseInControl) const {
  const TCanvasStateGuard guard(canvas);
  const auto* button = dynamic_cast<const TKvoPngButton*>(&control_);
  if (button == nullptr) {
    DrawPlainButton(canvas, mouseInControl);
    return;
  }
  const TThemedElement element = ElementState(mouseInControl);
  const TRect client = button->ClientRect();
  DrawStyledPushButton(canvas, client, element);
  canvas.Font().Assign(&button->Font());

  const QString& caption = button->Caption();
  const TTextFormat biDi = button->DrawTextBiDiModeFlags(0);
  TPoint glyphPos;
  TPoint textPos;
  const TPngImage& glyph = button->PngImage();
  LayoutGlyphAndCaption(canvas, &glyph, client, pressed_, false, caption, button->Layout(),
                        button->Margin(), button->Spacing(), glyphPos, textPos, biDi);
  if (button->Kind() == bkCustom && !glyph.Empty()) {
    DrawPngWithEffects(&glyph, canvas,
                       Bounds(glyphPos.X, glyphPos.Y, glyph.Width(), glyph.Height()),
                       button->Enabled() ? TPngOptions{} : button->PngOptions());
  }

  canvas.Brush().SetStyle(bsClear);
  const bool styleColorsFont =
      TStyleServices::IsCustomStyleActive() && button->StyleElements().Contains(seFont);
  if (!button->Enabled() || styleColorsFont)
    canvas.Font().SetColor(StyleColorOr(element, ecTextColor, canvas.Font().Color()));
  TTextFormat flags = biDi | DT_CENTER | DT_VCENTER | DT_NOCLIP;
  if (button->WordWrap()) flags |= DT_WORDBREAK;
  TRect text{};
  if (!caption.isEmpty()) {
    text = {0, 0, client.Width(), 0};
    canvas.DrawText(caption, text, biDi | DT_CALCRECT);
  }
  OffsetRect(text, textPos.X + client.Left, textPos.Y + client.Top);
  canvas.DrawText(caption, text, flags);
}

}  // namespace mirto
