#include "components/ButtonEx.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/TextLayout.h"

namespace mirto {

TButtonEx::TButtonEx(TComponent* owner) : TBitBtn(owner) {
  fontOver_.SetColor(clWindowText);
  fontDown_.SetColor(clWindowText);
}

void TButtonEx::SetShowFocusRect(bool value) { SetAndRepaint(showFocusRect_, value); }

void TButtonEx::SetFontOver(const TFont& value) {
  fontOver_.Assign(&value);
  Repaint();
}

void TButtonEx::SetFontDown(const TFont& value) {
  fontDown_.Assign(&value);
  Repaint();
}

void TButtonEx::SetFontFocus(const TFont& value) {
  fontFocus_.Assign(&value);
  Repaint();
}

void TButtonEx::MouseEnter() { PointerMoved(true, OnMouseEnter); }

void TButtonEx::MouseLeave() { PointerMoved(false, OnMouseLeave); }

void TButtonEx::PointerMoved(bool over, const TNotifyEvent& handler) {
  over_ = over;
  if (ComponentState().Contains(csDesigning)) return;
  const TLifeWatch watch = LifeWatch();
  CallHandler(handler, this);
  // The handler may have destroyed the button.
  if (watch.Alive()) Repaint();
}

TButtonExLook TButtonEx::LookFor(const TButtonExState& state) const {
  TButtonExLook look;
  look.Background = colorBg_;
  look.GradientStart = colorBgGradientStart_;
  look.Border = colorBorder_;
  if (state.Over) {
    look.Background = colorOver_;
    look.GradientStart = colorOverGradientStart_;
    look.Border = colorBorderOver_;
  }
  if (state.Down) {
    look.Background = colorDown_;
    look.GradientStart = colorDownGradientStart_;
    look.Border = colorBorderDown_;
  }
  if (!state.Enabled) {
    look.Background = colorInactive_;
    look.GradientStart = colorInactiveGradientStart_;
    look.Border = colorBorderInactive_;
  }

  look.FocusFrame = state.Focused && showFocusRect_;
  look.FocusFrameColor = state.Down   ? colorFocusRectDown_
                         : state.Over ? colorFocusRectOver_
                                      : colorFocusRect_;
  look.DefaultFrame = state.Default;

  if (state.Focused && !state.Down && !state.Over)
    look.Font = &fontFocus_;
  else if (state.Down)
    look.Font = &fontDown_;
  else if (state.Over)
    look.Font = &fontOver_;
  else
    look.Font = &Font();
  look.GrayText = !state.Enabled;
  return look;
}

void TButtonEx::DrawItem(const TDrawItemStruct& item) {
  TButtonExState state;
  state.Down = item.ItemState.Contains(odSelected);
  state.Over = over_;
  // The record's focus flag marks the window's active button; the look
  // follows the keyboard focus itself.
  state.Enabled = Enabled();
  state.Focused = Focused();
  state.Default = Default();
  PaintState(*item.Canvas, state);
}

void TButtonEx::PaintState(TCanvas& canvas, const TButtonExState& state) {
  const TButtonExLook look = LookFor(state);
  const TRect client = ClientRect();
  const int w = client.Width();
  const int h = client.Height();
  DrawBackground(canvas, look, w, h);
  DrawFrames(canvas, look, w, h);
  DrawCaptionAndGlyph(canvas, look, state.Enabled, w, h);
}

void TButtonEx::DrawBackground(TCanvas& canvas, const TButtonExLook& look, int w, int h) const {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(look.Background);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(penWidth_);
  canvas.Pen().SetColor(look.Border);
  if (useGradient_) {
    GradientFillCanvas(canvas, look.GradientStart, look.Background, canvas.ClipRect(),
                       gdHorizontal);
    canvas.Brush().SetStyle(bsClear);
  }
  canvas.RoundRect(0, 0, w, h, roundingX_, roundingY_);
}

void TButtonEx::DrawFrames(TCanvas& canvas, const TButtonExLook& look, int w, int h) const {
  if (look.FocusFrame) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetWidth(0);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(look.FocusFrameColor);
    canvas.RoundRect(dxf, dxf, w - dxf, h - dxf, roundingX_, roundingY_);
  }
  if (look.DefaultFrame) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetWidth(penWidthDefault_);
    canvas.Pen().SetColor(look.Border);
    canvas.Pen().SetStyle(psSolid);
    canvas.RoundRect(0, 0, w, h, roundingX_, roundingY_);
  }
}

void TButtonEx::DrawCaptionAndGlyph(TCanvas& canvas, const TButtonExLook& look, bool enabled, int w,
                                    int h) {
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().Assign(look.Font);
  if (look.GrayText) canvas.Font().SetColor(clGrayText);

  // The caption is drawn as it stands: an "&" is a letter of it, never an
  // accelerator mark (the catalog's program names hold single ones).
  const QString text = DrawnCaption();
  const int tw = canvas.TextWidth(text);
  const int th = canvas.TextHeight(text);
  TBitmap& glyph = Glyph();
  const bool hasGlyph = !glyph.Empty();
  const int gw = glyph.Width();
  const int gh = glyph.Height();
  const int s = Spacing();

  int tx = 0;
  int ty = Div(h, 2) - Div(th, 2);
  if (!hasGlyph) {
    switch (textAlignment_) {
      case taCenter:
        tx = textMargin_ + Div(w, 2) - Div(tw, 2);
        break;
      case taLeftJustify:
        tx = textMargin_;
        break;
      case taRightJustify:
        tx = w - tw - textMargin_;
        break;
    }
  } else {
    switch (Layout()) {
      case blGlyphLeft:
        tx = Div(w - tw + gw + s, 2);
        break;
      case blGlyphRight:
        tx = Div(w, 2) - Div(gw + s + tw, 2);
        break;
      case blGlyphTop:
        tx = Div(w, 2) - Div(tw, 2);
        ty = Div(h, 2) + Div(gh, 2) + Div(s, 2) - Div(th, 2);
        break;
      case blGlyphBottom:
        tx = Div(w, 2) - Div(tw, 2);
        ty = Div(h, 2) - Div(gh, 2) - Div(s, 2) - Div(th, 2);
        break;
    }
  }
  canvas.TextOut(tx + 1, ty + 1, text);
  if (!hasGlyph) return;

  // The settings stay on the glyph; a change must not schedule another
  // paint from inside this one.
  {
    const TChangeMute mute(glyph);
    glyph.SetTransparentMode(glyphTransparentMode_);
    glyph.SetTransparent(true);
    glyph.SetTransparentColor(glyphTransparentColor_);
  }

  int gx = 0;
  int gy = Div(Height(), 2) - Div(gh, 2);
  switch (Layout()) {
    case blGlyphLeft:
      gx = tx - s - gw;
      break;
    case blGlyphRight:
      gx = tx + tw + s;
      break;
    case blGlyphTop:
      gx = Div(w, 2) - Div(gw, 2);
      gy = ty - s - gh;
      break;
    case blGlyphBottom:
      gx = Div(w, 2) - Div(gw, 2);
      gy = ty + th + s;
      break;
  }
  if (enabled) {
    canvas.Draw(gx, gy, glyph);
    return;
  }
  TBitmap copy;
  copy.Assign(&glyph);
  copy.SetPixelFormat(pf32bit);
  copy.SetTransparentColor(glyph.TransparentColor());
  copy.SetTransparentMode(glyph.TransparentMode());
  copy.SetTransparent(glyph.Transparent());
  canvas.Draw(gx, gy, copy);
}

}  // namespace mirto
