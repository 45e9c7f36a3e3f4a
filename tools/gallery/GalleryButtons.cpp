// Gallery section: the owner-drawn push button in each state, with and
// without gradient, with a glyph in every layout and the three caption
// alignments.

#include "components/ButtonEx.h"
#include "platform/drawing/Canvas.h"
#include "tools/gallery/GallerySheet.h"

namespace mirto::gallery {
namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 32;

void Shot(TSection& section, TButtonEx& button, const QString& label, const TButtonExState& state) {
  TBitmap& picture = section.Add(label, button.Width(), button.Height(), clBtnFace);
  button.PaintState(picture.Canvas(), state);
}

void MakeGlyph(TBitmap& glyph) {
  glyph.SetSize(16, 16);
  TCanvas& c = glyph.Canvas();
  c.Brush().SetColor(clFuchsia);
  c.FillRect({0, 0, 16, 16});
  c.Brush().SetColor(RGB(30, 120, 200));
  c.Pen().SetColor(RGB(10, 60, 120));
  c.Ellipse(1, 1, 15, 15);
  c.Brush().SetColor(clWhite);
  c.FillRect({6, 4, 10, 12});
}

void StateRow(TSection& section, TButtonEx& button, const QString& prefix) {
  Shot(section, button, prefix + "normal", {});
  Shot(section, button, prefix + "over", {.Over = true});
  Shot(section, button, prefix + "down", {.Down = true, .Over = true});
  Shot(section, button, prefix + "focused", {.Focused = true});
  Shot(section, button, prefix + "focused, over", {.Over = true, .Focused = true});
  button.SetDefault(true);
  Shot(section, button, prefix + "default", {.Default = true});
  button.SetDefault(false);
  button.SetEnabled(false);
  Shot(section, button, prefix + "disabled", {.Enabled = false});
  button.SetEnabled(true);
  section.NewRow();
}

void DrawButtons(TSection& section) {
  TButtonEx plain;
  plain.SetBounds(0, 0, kWidth, kHeight);
  plain.SetCaption(QStringLiteral("Video & Audio"));
  plain.SetShowFocusRect(true);
  plain.FontFocus().SetStyle({fsBold});
  StateRow(section, plain, QString());

  TButtonEx styled;
  styled.SetBounds(0, 0, kWidth, kHeight);
  styled.SetCaption(QStringLiteral("Gradient, rounded"));
  styled.SetUseGradient(true);
  styled.SetRoundingX(8);
  styled.SetRoundingY(8);
  styled.SetShowFocusRect(true);
  styled.SetColorBg(RGB(200, 220, 245));
  styled.SetColorOver(RGB(247, 239, 223));
  styled.SetColorOverGradientStart(RGB(255, 255, 255));
  styled.SetColorDownGradientStart(RGB(255, 250, 220));
  styled.SetColorBorder(RGB(90, 120, 170));
  styled.FontOver().SetColor(RGB(0, 70, 160));
  StateRow(section, styled, QStringLiteral("gradient: "));

  TBitmap glyph;
  MakeGlyph(glyph);
  TButtonEx withGlyph;
  withGlyph.SetBounds(0, 0, kWidth, 48);
  withGlyph.SetCaption(QStringLiteral("Glyph"));
  withGlyph.SetGlyph(glyph);
  const struct {
    TButtonLayout layout;
    const char* name;
  } layouts[] = {{blGlyphLeft, "glyph left"},
                 {blGlyphRight, "glyph right"},
                 {blGlyphTop, "glyph top"},
                 {blGlyphBottom, "glyph bottom"}};
  for (const auto& l : layouts) {
    withGlyph.SetLayout(l.layout);
    Shot(section, withGlyph, QString::fromUtf8(l.name), {});
  }
  withGlyph.SetLayout(blGlyphLeft);
  withGlyph.SetEnabled(false);
  Shot(section, withGlyph, QStringLiteral("glyph, disabled"), {.Enabled = false});
  section.NewRow();

  TButtonEx aligned;
  aligned.SetBounds(0, 0, kWidth, kHeight);
  aligned.SetTextMargin(6);
  aligned.SetCaption(QStringLiteral("Caption"));
  const struct {
    TAlignment alignment;
    const char* name;
  } alignments[] = {{taLeftJustify, "left, margin 6"},
                    {taCenter, "centre, margin 6"},
                    {taRightJustify, "right, margin 6"}};
  for (const auto& a : alignments) {
    aligned.SetTextAlignment(a.alignment);
    Shot(section, aligned, QString::fromUtf8(a.name), {});
  }
}

const TSectionRegistration registration(40, "Owner-drawn button (TButtonEx)", &DrawButtons);

}  // namespace
}  // namespace mirto::gallery
