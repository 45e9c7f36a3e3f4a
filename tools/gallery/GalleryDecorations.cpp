// Gallery section: panel decorations (bars, lines, captions) on 200 x 100
// panels with four 2-pixel borders.

#include "components/KvoPanel.h"
#include "platform/drawing/Canvas.h"
#include "tools/gallery/GallerySheet.h"

namespace mirto::gallery {
namespace {

void Prepare(TKvoPanel& panel) {
  panel.SetBounds(0, 0, 200, 100);
  TKvoPanelBorders& b = panel.Appearance().Borders();
  for (TKvoPanelBorder* side : {&b.Left(), &b.Right(), &b.Top(), &b.Bottom()}) {
    side->Pen().SetWidth(2);
    side->Pen().SetColor(RGB(90, 90, 90));
  }
}

void Shot(TSection& section, TKvoPanel& panel, const QString& label) {
  TBitmap& picture = section.Add(label, panel.Width(), panel.Height());
  panel.PaintTo(picture.Canvas());
}

void DrawDecorations(TSection& section) {
  {
    TKvoPanel panel;
    Prepare(panel);
    const struct {
      TKvoVerticalLinePosition position;
      TColor color;
    } lines[] = {{vlpFromLeft, clRed}, {vlpCenter, RGB(0, 150, 0)}, {vlpFromRight, clBlue}};
    for (const auto& l : lines) {
      TKvoPanelVerticalLine* line = panel.VerticalLines().Add();
      line->SetLinePosition(l.position);
      line->Pen().SetColor(l.color);
    }
    const struct {
      TKvoHorizontalLinePosition position;
      TColor color;
    } rows[] = {{hlpFromTop, clRed}, {hlpCenter, RGB(0, 150, 0)}, {hlpFromBottom, clBlue}};
    for (const auto& r : rows) {
      TKvoPanelHorizontalLine* line = panel.HorizontalLines().Add();
      line->SetLinePosition(r.position);
      line->SetLeftMargin(20);
      line->SetRightMargin(20);
      line->Pen().SetColor(r.color);
    }
    Shot(section, panel, QStringLiteral("lines at each position"));
  }
  {
    TKvoPanel panel;
    Prepare(panel);
    panel.HorizontalBars().Add();  // the defaults
    TKvoPanelHorizontalBar* centre = panel.HorizontalBars().Add();
    centre->SetBarPosition(hbpCenter);
    centre->SetLeftMargin(30);
    centre->SetRightMargin(30);
    centre->Gradient().SetColorFrom(RGB(255, 220, 160));
    centre->Gradient().SetColorTo(RGB(200, 110, 20));
    centre->Border().SetWidth(3);
    centre->Border().SetColor(RGB(120, 60, 0));
    TKvoPanelHorizontalBar* bottom = panel.HorizontalBars().Add();
    bottom->SetBarPosition(hbpPercentFromBottom);
    bottom->SetPosY(5);
    bottom->SetHeight(12);
    bottom->SetDrawGradient(false);
    bottom->SetBackgroundColor(RGB(160, 200, 240));
    bottom->Border().SetWidth(0);
    Shot(section, panel, QStringLiteral("bars: new, centred, 5 % up"));
  }
  {
    TKvoPanel panel;
    Prepare(panel);
    const struct {
      TKvoTextHorizontalPosition h;
      TKvoTextVerticalPosition v;
      const char* text;
    } captions[] = {{thpFromLeft, tvpFromTop, "top left"},
                    {thpCenter, tvpCenter, "centre"},
                    {thpFromRight, tvpFromBottom, "bottom right"}};
    for (const auto& c : captions) {
      TKvoPanelCaption* caption = panel.Captions().Add();
      caption->SetHorizontalPosition(c.h);
      caption->SetVerticalPosition(c.v);
      caption->SetText(QString::fromUtf8(c.text));
    }
    panel.Captions().Items(1)->Font().SetStyle({fsBold});
    TKvoPanelCaption* blank = panel.Captions().Add();
    blank->SetText(QStringLiteral("   "));
    Shot(section, panel, QStringLiteral("captions (+ a blank one)"));
  }
  {
    TKvoPanel panel;
    Prepare(panel);
    TKvoPanelHorizontalBar* bar = panel.HorizontalBars().Add();
    bar->SetBarPosition(hbpCenter);
    bar->SetHeight(40);
    TKvoPanelVerticalLine* line = panel.VerticalLines().Add();
    line->SetLinePosition(vlpCenter);
    line->Pen().SetWidth(3);
    line->Pen().SetColor(clRed);
    TKvoPanelCaption* caption = panel.Captions().Add();
    caption->SetHorizontalPosition(thpCenter);
    caption->SetVerticalPosition(tvpCenter);
    caption->SetText(QStringLiteral("over the line"));
    caption->Font().SetColor(clBlue);
    panel.Appearance().Borders().Left().Pen().SetWidth(8);
    Shot(section, panel, QStringLiteral("bar < line < caption < border"));
  }
}

const TSectionRegistration registration(20, "Panel decorations", &DrawDecorations);

}  // namespace
}  // namespace mirto::gallery
