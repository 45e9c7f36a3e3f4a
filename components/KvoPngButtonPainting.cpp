#include "components/KvoPngButtonPainting.h"

#include <algorithm>

#include "graphics/KvoGradient.h"
#include "graphics/KvoGraphics.h"
#include "graphics/PngFunctions.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"
#include "platform/drawing/StylePainting.h"
#include "platform/toolkit/StyleServices.h"

namespace mirto {

TKvoLookKind ChooseLook(const TKvoPngButtonState& state) {
  if (!state.Enabled) return lkDisabled;
  if (state.Over && !state.Pressed) return lkHot;
  if (state.Pressed) return lkDown;
  if (state.HoldsFocus) return lkFocused;
  return lkNormal;
}

const TKvoItemStateParams& LookOf(const TKvoButtonAppearance& appearance, TKvoLookKind kind) {
  switch (kind) {
    case lkHot:
      return appearance.Hot();
    case lkDown:
      return appearance.Down();
    case lkFocused:
      return appearance.Focused();
    case lkDisabled:
      return appearance.Disabled();
    case lkNormal:
      break;
  }
  return appearance.Normal();
}

// --- layout -------------------------------------------------------------------

void PlaceGlyphAndCaption(TSize glyph, TSize text, const TRect& client, bool pressed, bool down,
                          TButtonLayout layout, int margin, int spacing, TPoint& glyphPos,
                          TPoint& textPos, TTextFormat biDiFlags) {
  if ((biDiFlags & DT_RIGHT) != 0) {
    if (layout == blGlyphLeft)
      layout = blGlyphRight;
    else if (layout == blGlyphRight)
      layout = blGlyphLeft;
  }
  const int w = client.Right - client.Left;
  const int h = client.Bottom - client.Top;
  const int gw = glyph.cx;
  const int gh = glyph.cy;
  const int tw = text.cx;
  const int th = text.cy;
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  glyphPos = {};
  textPos = {};
  if (horizontal)
    glyphPos.Y = Div(h - gh + 1, 2);
  else
    glyphPos.X = Div(w - gw + 1, 2);

  if (tw == 0 || gw == 0) spacing = 0;
  const int length = horizontal ? w : h;
  const int glyphLength = horizontal ? gw : gh;
  const int textLength = horizontal ? tw : th;
  if (spacing == -1) {
    // Automatic spacing: with an automatic margin too, the free length is
    // split into equal margins and gap; with a fixed margin the caption is
    // centred in what the margin and the glyph leave.
    if (margin == -1) {
      margin = Div(length - (glyphLength + textLength), 3);
      spacing = std::max(0, margin);
    } else {
      spacing = std::max(0, Div(length - margin - glyphLength - textLength - margin, 2));
    }
  } else if (margin == -1) {
    margin = Div(length - (glyphLength + spacing + textLength), 2);
  }

  // Along the layout's axis the glyph stands margin from its own edge and
  // the caption spacing beyond it.
  int& glyphAlong = horizontal ? glyphPos.X : glyphPos.Y;
  int& textAlong = horizontal ? textPos.X : textPos.Y;
  if (layout == blGlyphLeft || layout == blGlyphTop) {
    glyphAlong = margin;
    textAlong = glyphAlong + glyphLength + spacing;
  } else {
    glyphAlong = length - margin - glyphLength;
    textAlong = glyphAlong - spacing - textLength;
  }
  if (horizontal)
    textPos.Y = Div(h - th, 2);
  else
    textPos.X = Div(w - tw, 2);
  const int shift = (pressed || down) ? 1 : 0;
  glyphPos.X += client.Left + shift;
  glyphPos.Y += client.Top + shift;
  textPos.X += client.Left + shift;
  textPos.Y += client.Top + shift;
}

void LayoutGlyphAndCaption(TCanvas& canvas, const TPngImage* png, const TRect& client, bool pressed,
                           bool down, const QString& caption, TButtonLayout layout, int margin,
                           int spacing, TPoint& glyphPos, TPoint& textPos, TTextFormat biDiFlags) {
  TSize glyph;
  if (png != nullptr) glyph = {png->Width(), png->Height()};
  TSize text;
  if (!caption.isEmpty()) {
    TRect measured{0, 0, client.Right - client.Left, 0};
    canvas.DrawText(caption, measured, biDiFlags | DT_CALCRECT);
    text = {measured.Width(), measured.Height()};
  }
  PlaceGlyphAndCaption(glyph, text, client, pressed, down, layout, margin, spacing, glyphPos,
                       textPos, biDiFlags);
}

// --- custom drawing -------------------------------------------------------------

namespace {

void FillGradient(TCanvas& canvas, const TRect& rect, const TKvoGradientEx& gradient) {
  GradientFillEx(canvas, rect, gradient.ColorFrom(), gradient.ColorTo(), gradient.Orientation(),
                 gradient.Balance(), gradient.AngleDegree(), gradient.BalanceMode(),
                 gradient.MaxDegrade(), gradient.SpeedPercent(), true, nullptr);
}

void PaintBackground(TCanvas& canvas, const TRect& client, const TKvoItemStateParams& look) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(look.Color());
  if (look.TransparentBackground()) return;
  canvas.FillRect(canvas.ClipRect());
  if (!look.GradientEnabled()) return;
  const TKvoGradientBands bands = GradientBandsOf(look, client);
  FillGradient(canvas, bands.Upper, look.UpperGradient());
  FillGradient(canvas, bands.Lower, look.BottomGradient());
}

// Draws the border and returns the area inside it (client when the frame is
// transparent).
TRect PaintFrame(const TKvoPngButton& button, TCanvas& canvas, const TRect& client,
                 const TKvoItemStateParams& look, const TKvoPngButtonState& state) {
  TRect r = client;
  if (look.TransparentFrame()) return r;
  const bool showsDefault = state.FocusFlag && state.Enabled && !state.Pressed && !state.HoldsFocus;
  canvas.Pen().Assign(showsDefault ? &button.Appearance().BorderWhenDefault() : &look.Border());
  DrawRectFrame(canvas, r, canvas.Pen().Color(), canvas.Pen().Width());
  return r;
}

void PaintCustomFocusRect(const TKvoPngButton& button, TCanvas& canvas, const TRect& inside,
                          const TKvoItemStateParams& look, const TKvoPngButtonState& state) {
  const TKvoFocusRectParams& focus = button.Appearance().FocusRect();
  if (!state.HoldsFocus || look.TransparentFrame() || focus.FocusType() == frtNone) return;
  TRect f = inside;
  InflateRect(f, -focus.Spacing(), -focus.Spacing());
  if (focus.FocusType() == frtCustom) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().Assign(&focus.Pen());
    DrawRectFrame(canvas, f, canvas.Pen().Color(), canvas.Pen().Width());
  } else {
    canvas.Brush().SetColor(clBtnFace);
    canvas.DrawFocusRect(f);
  }
}

void PaintCustomGlyph(const TKvoPngButton& button, TCanvas& canvas, TPoint at,
                      const TKvoPngButtonState& state) {
  const TPngImage& glyph = button.PngImage();
  if (glyph.Empty()) return;
  const TRect target = Bounds(at.X, at.Y, glyph.Width(), glyph.Height());
  const TKvoButtonAppearance& appearance = button.Appearance();
  if (state.Enabled && !(state.Over || state.Pressed)) {
    glyph.Draw(canvas, target);
    return;
  }
  TPngImage copy;
  copy.Assign(&glyph);
  if (state.Enabled) {
    PngApplyGamma(&copy, static_cast<float>(appearance.GlyphHotGammaFactor()) / 100.0f);
  } else {
    PngApplyGrayscale(&copy, appearance.GlyphDisabledGrayscaleFactor());
    PngApplyBlend(&copy, appearance.GlyphDisabledBlendFactor());
  }
  copy.Draw(canvas, target);
}

QString ShownCaption(const TKvoPngButton& button) {
  return button.Appearance().ShowCaption() ? button.Caption() : QString();
}

// The caption a button shows, its text direction, and where the glyph and
// the caption go in client as the button's layout, margin and spacing say,
// measured in the canvas's font (moved a pixel while pressed when the
// button moves its content then).
struct TLaidOutContent {
  QString caption;
  TTextFormat biDi;
  TPoint glyphPos;
  TPoint textPos;
};

TLaidOutContent LayOutContent(const TKvoPngButton& button, TCanvas& canvas, const TRect& client,
                              bool pressed) {
  TLaidOutContent content{ShownCaption(button), button.DrawTextBiDiModeFlags(0), {}, {}};
  LayoutGlyphAndCaption(canvas, &button.PngImage(), client,
                        pressed && button.Appearance().MoveWhenDown(), false, content.caption,
                        button.Layout(), button.Margin(), button.Spacing(), content.glyphPos,
                        content.textPos, content.biDi);
  return content;
}

}  // namespace

TKvoGradientBands GradientBandsOf(const TKvoItemStateParams& look, const TRect& client) {
  const int m = std::max(0, look.BorderToGradientMargin());
  const int percent = std::min<int>(100, look.UpperGradientPercent());
  const int boundary = Round(static_cast<double>(client.Height()) * percent / 100.0);
  return {{client.Left + m, client.Top + m, client.Right - m, boundary},
          {client.Left + m, boundary, client.Right - m, client.Bottom - m}};
}

void PaintPngButtonCustom(const TKvoPngButton& button, TCanvas& canvas, const TRect& client,
                          const TKvoPngButtonState& state) {
  const TCanvasStateGuard guard(canvas);
  const TKvoItemStateParams& look = LookOf(button.Appearance(), ChooseLook(state));
  PaintBackground(canvas, client, look);
  canvas.Brush().SetStyle(bsClear);
  const TRect inside = PaintFrame(button, canvas, client, look, state);
  PaintCustomFocusRect(button, canvas, inside, look, state);

  canvas.Font().Assign(&look.Font());
  const auto [caption, biDi, glyphPos, textPos] =
      LayOutContent(button, canvas, client, state.Pressed);
  PaintCustomGlyph(button, canvas, glyphPos, state);
  if (caption.isEmpty()) return;
  canvas.Brush().SetStyle(bsClear);
  TRect text{textPos.X, textPos.Y, client.Width(), client.Height()};
  canvas.DrawText(caption, text, biDi | DT_SINGLELINE);
}

// --- platform-style drawing -------------------------------------------------------

namespace {

enum class TPushButtonElementState { pbsNormal, pbsHot, pbsPressed, pbsDisabled, pbsDefaulted };
using enum TPushButtonElementState;

TPushButtonElementState PushButtonElementState(const TKvoPngButton& button,
                                               const TKvoPngButtonState& state) {
  if (!state.Enabled) return pbsDisabled;
  if (state.Pressed) return pbsPressed;
  if (state.MouseInControl) return pbsHot;
  if (button.IsFocused() || state.FocusFlag) return pbsDefaulted;
  return pbsNormal;
}

// The themed push-button element: a one-pixel outline with cut corners (the
// parent's background shows there) around a two-colour face.
struct ElementColors {
  TColor border;
  TColor top;
  TColor bottom;
};

ElementColors ElementColorsOf(TPushButtonElementState state) {
  switch (state) {
    case pbsHot:
      return {RGB(60, 127, 177), RGB(234, 246, 253), RGB(190, 230, 253)};
    case pbsPressed:
      return {RGB(44, 98, 139), RGB(196, 229, 246), RGB(152, 209, 239)};
    case pbsDisabled:
      return {RGB(173, 178, 181), RGB(244, 244, 244), RGB(244, 244, 244)};
    case pbsDefaulted:
      return {RGB(36, 170, 208), RGB(242, 242, 242), RGB(214, 214, 214)};
    case pbsNormal:
      break;
  }
  return {RGB(112, 112, 112), RGB(242, 242, 242), RGB(214, 214, 214)};
}

// Where the element leaves room for glyph and caption.
TRect ThemedPushButtonContent(const TRect& item) {
  TRect content = item;
  InflateRect(content, -3, -3);
  return content;
}

void DrawThemedPushButton(TCanvas& canvas, const TRect& item, TPushButtonElementState state) {
  if (item.Width() < 3 || item.Height() < 3) return;
  const ElementColors colors = ElementColorsOf(state);
  TRect face = item;
  InflateRect(face, -1, -1);
  GradientFillCanvas(canvas, colors.top, colors.bottom, face, gdHorizontal);
  canvas.Pen().SetColor(colors.border);
  canvas.Pen().SetWidth(1);
  canvas.MoveTo(item.Left + 1, item.Top);
  canvas.LineTo(item.Right - 1, item.Top);
  canvas.MoveTo(item.Left + 1, item.Bottom - 1);
  canvas.LineTo(item.Right - 1, item.Bottom - 1);
  canvas.MoveTo(item.Left, item.Top + 1);
  canvas.LineTo(item.Left, item.Bottom - 1);
  canvas.MoveTo(item.Right - 1, item.Top + 1);
  canvas.LineTo(item.Right - 1, item.Bottom - 1);
}

// The classic frame; returns the area inside it.
TRect PaintClassicFrame(TCanvas& canvas, const TRect& client, const TKvoPngButton& button,
                        const TKvoPngButtonState& state) {
  TRect r = client;
  if (button.IsFocused() || state.FocusFlag) {
    canvas.Pen().SetColor(clWindowFrame);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(r);
    InflateRect(r, -1, -1);
  }
  if (state.Pressed) {
    canvas.Pen().SetColor(clBtnShadow);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetColor(clBtnFace);
    canvas.Rectangle(r);
    InflateRect(r, -1, -1);
  } else {
    DrawPushButtonFace(canvas, r);
  }
  return r;
}

}  // namespace

void PaintPngButtonPlatformStyle(const TKvoPngButton& button, TCanvas& canvas, const TRect& client,
                                 const TKvoPngButtonState& state) {
  const TCanvasStateGuard guard(canvas);
  canvas.Font().Assign(&button.Font());
  const bool themed = TStyleServices::Enabled();
  if (themed)
    DrawThemedPushButton(canvas, client, PushButtonElementState(button, state));
  else
    PaintClassicFrame(canvas, client, button, state);

  const auto [caption, biDi, glyphPos, textPos] =
      LayOutContent(button, canvas, client, state.Pressed);
  const TPngImage& glyph = button.PngImage();
  if (button.Kind() == bkCustom && !glyph.Empty()) {
    DrawPngWithEffects(&glyph, canvas,
                       Bounds(glyphPos.X, glyphPos.Y, glyph.Width(), glyph.Height()),
                       state.Enabled ? TPngOptions{} : button.PngOptions());
  }
  if (!caption.isEmpty()) {
    TRect text{textPos.X, textPos.Y, client.Width(), client.Height()};
    canvas.Brush().SetStyle(bsClear);
    if (!state.Enabled) {
      OffsetRect(text, 1, 1);
      canvas.Font().SetColor(clBtnHighlight);
      canvas.DrawText(caption, text, biDi | DT_SINGLELINE);
      OffsetRect(text, -1, -1);
      canvas.Font().SetColor(clBtnShadow);
    }
    canvas.DrawText(caption, text, biDi | DT_SINGLELINE);
  }
  if (button.IsFocused() && state.FocusFlag) {
    TRect focus = themed ? ThemedPushButtonContent(client) : client;
    if (!themed) InflateRect(focus, -3, -3);
    canvas.Pen().SetColor(clWindowFrame);
    canvas.Brush().SetColor(clBtnFace);
    canvas.DrawFocusRect(focus);
  }
}

}  // namespace mirto
