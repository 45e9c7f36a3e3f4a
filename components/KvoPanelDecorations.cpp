#include "components/KvoPanelDecorations.h"

#include "graphics/ColorHelpers.h"
#include "graphics/KvoGraphics.h"
#include "platform/drawing/Canvas.h"

namespace mirto {

void TKvoPanelDecoration::PropsChanged() {
  Changed(false);
  CallHandler(onChange_, this);
}

TKvoPanelVerticalLine::TKvoPanelVerticalLine(TCollection* collection)
    : TKvoPanelDecoration(collection) {
  pen_.OnChange = [this](TObject*) { PropsChanged(); };
}

void TKvoPanelVerticalLine::SetPen(const TPen& value) {
  pen_.Assign(&value);
  PropsChanged();
}

void TKvoPanelVerticalLine::Assign(const TPersistent* source) {
  const auto* line = dynamic_cast<const TKvoPanelVerticalLine*>(source);
  if (line == nullptr) {
    TKvoPanelDecoration::Assign(source);
    return;
  }
  pen_.Assign(&line->pen_);
  topMargin_ = line->topMargin_;
  bottomMargin_ = line->bottomMargin_;
  visible_ = line->visible_;
  onChange_ = line->onChange_;
  posX_ = line->posX_;
  linePosition_ = line->linePosition_;
  PropsChanged();
}

TKvoPanelHorizontalLine::TKvoPanelHorizontalLine(TCollection* collection)
    : TKvoPanelDecoration(collection) {
  pen_.OnChange = [this](TObject*) { PropsChanged(); };
}

void TKvoPanelHorizontalLine::SetPen(const TPen& value) {
  pen_.Assign(&value);
  PropsChanged();
}

void TKvoPanelHorizontalLine::Assign(const TPersistent* source) {
  const auto* line = dynamic_cast<const TKvoPanelHorizontalLine*>(source);
  if (line == nullptr) {
    TKvoPanelDecoration::Assign(source);
    return;
  }
  pen_.Assign(&line->pen_);
  leftMargin_ = line->leftMargin_;
  rightMargin_ = line->rightMargin_;
  visible_ = line->visible_;
  onChange_ = line->onChange_;
  posY_ = line->posY_;
  linePosition_ = line->linePosition_;
  PropsChanged();
}

TKvoPanelCaption::TKvoPanelCaption(TCollection* collection) : TKvoPanelDecoration(collection) {
  font_.OnChange = [this](TObject*) { PropsChanged(); };
}

void TKvoPanelCaption::SetFont(const TFont& value) {
  font_.Assign(&value);
  PropsChanged();
}

void TKvoPanelCaption::Assign(const TPersistent* source) {
  const auto* caption = dynamic_cast<const TKvoPanelCaption*>(source);
  if (caption == nullptr) {
    TKvoPanelDecoration::Assign(source);
    return;
  }
  font_.Assign(&caption->font_);
  posX_ = caption->posX_;
  posY_ = caption->posY_;
  marginX_ = caption->marginX_;
  marginY_ = caption->marginY_;
  verticalPosition_ = caption->verticalPosition_;
  horizontalPosition_ = caption->horizontalPosition_;
}

TKvoPanelHorizontalBar::TKvoPanelHorizontalBar(TCollection* collection)
    : TKvoPanelDecoration(collection) {
  border_.OnChange = [this](TObject*) { PropsChanged(); };
  gradient_.SetOnChange([this](TObject*) { PropsChanged(); });
}

void TKvoPanelHorizontalBar::SetBorder(const TPen& value) {
  border_.Assign(&value);
  PropsChanged();
}

void TKvoPanelHorizontalBar::SetGradient(const TKvoGradientEx& value) {
  gradient_.Assign(&value);
  PropsChanged();
}

TRect TKvoPanelHorizontalBar::BarRect(const TRect& r, const TKvoBorderWidths& b) const {
  const int h = r.Bottom - r.Top;
  int y = 0;
  switch (barPosition_) {
    case hbpFromTop:
      y = r.Top + b.Top + posY_;
      break;
    case hbpCenter:
      y = Div(r.Bottom - r.Top, 2) - Div(height_, 2) + b.Top - b.Bottom;
      break;
    case hbpFromBottom:
      y = r.Bottom - b.Bottom - posY_ - height_;
      break;
    case hbpPercentFromTop:
      y = r.Top + b.Top + PercentOf(posY_, h - b.Top - b.Bottom);
      break;
    case hbpPercentFromBottom:
      y = r.Bottom - b.Bottom - PercentOf(posY_, h - b.Top - b.Bottom) - height_;
      break;
  }
  return {r.Left + b.Left + leftMargin_, y, r.Right - b.Right - rightMargin_, y + height_};
}

namespace {

bool LineShows(bool visible, const TPen& pen) {
  return visible && pen.Style() != psClear && pen.Width() > 0;
}

// Whether text has anything but control characters and spaces.
bool HasVisibleText(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() > 32) return true;
  return false;
}

}  // namespace

void DrawHorizontalBars(TCanvas& canvas, const TKvoPanelHorizontalBars& bars, const TRect& r,
                        const TKvoBorderWidths& b) {
  for (int i = 0; i < bars.Count(); ++i) {
    TKvoPanelHorizontalBar& bar = *bars.Items(i);
    if (!bar.Visible() || bar.Height() <= 0) continue;
    TRect rect = bar.BarRect(r, b);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(bar.BackgroundColor());
    canvas.FillRect(rect);
    if (bar.DrawGradient()) bar.Gradient().Draw(canvas, rect);
    if (bar.Border().Width() > 0) {
      canvas.Brush().SetStyle(bsClear);
      canvas.Pen().Assign(&bar.Border());
      DrawRectFrame(canvas, rect, bar.Border().Color(), bar.Border().Width());
    }
  }
}

void DrawVerticalLines(TCanvas& canvas, const TKvoPanelVerticalLines& lines, const TRect& r,
                       const TKvoBorderWidths& b) {
  const int w = r.Right - r.Left;
  for (int i = 0; i < lines.Count(); ++i) {
    const TKvoPanelVerticalLine& line = *lines.Items(i);
    if (!LineShows(line.Visible(), line.Pen())) continue;
    canvas.Pen().Assign(&line.Pen());
    int x = 0;
    switch (line.LinePosition()) {
      case vlpFromLeft:
        x = line.PosX() + b.Left;
        break;
      case vlpFromRight:
        x = r.Right - line.PosX() - b.Right;
        break;
      case vlpCenter:
        x = Div(w, 2) + b.Left - b.Right;
        break;
    }
    canvas.MoveTo(x, r.Top + b.Top + line.TopMargin());
    canvas.LineTo(x, r.Bottom - b.Bottom - line.BottomMargin());
  }
}

void DrawHorizontalLines(TCanvas& canvas, const TKvoPanelHorizontalLines& lines, const TRect& r,
                         const TKvoBorderWidths& b) {
  const int h = r.Bottom - r.Top;
  for (int i = 0; i < lines.Count(); ++i) {
    const TKvoPanelHorizontalLine& line = *lines.Items(i);
    if (!LineShows(line.Visible(), line.Pen())) continue;
    canvas.Pen().Assign(&line.Pen());
    int y = 0;
    switch (line.LinePosition()) {
      case hlpFromTop:
        y = line.PosY() + b.Top;
        break;
      case hlpFromBottom:
        y = r.Bottom - line.PosY() - b.Bottom;
        break;
      case hlpCenter:
        y = Div(h, 2) + b.Top - b.Bottom;
        break;
    }
    canvas.MoveTo(r.Left + b.Left + line.LeftMargin(), y);
    canvas.LineTo(r.Right - b.Right - line.RightMargin(), y);
  }
}

void DrawCaptions(TCanvas& canvas, const TKvoPanelCaptions& captions, const TRect& r,
                  const TKvoBorderWidths& b) {
  canvas.Brush().SetStyle(bsClear);
  for (int i = 0; i < captions.Count(); ++i) {
    const TKvoPanelCaption& caption = *captions.Items(i);
    if (!caption.Visible() || !HasVisibleText(caption.Text())) continue;
    canvas.Font().Assign(&caption.Font());
    const int tw = canvas.TextWidth(caption.Text());
    const int th = canvas.TextHeight(caption.Text());
    int x = 0;
    switch (caption.HorizontalPosition()) {
      case thpFromLeft:
        x = r.Left + caption.PosX() + b.Left + caption.MarginX();
        break;
      case thpFromRight:
        x = r.Right - caption.PosX() - b.Right - caption.MarginX() - tw;
        break;
      case thpCenter:
        x = Div(r.Right - r.Left, 2) - Div(tw, 2) + b.Left - b.Right;
        break;
    }
    int y = 0;
    switch (caption.VerticalPosition()) {
      case tvpFromTop:
        y = r.Top + caption.PosY() + b.Top + caption.MarginY();
        break;
      case tvpFromBottom:
        y = r.Bottom - caption.PosY() - b.Bottom - caption.MarginY() - th;
        break;
      case tvpCenter:
        y = Div(r.Bottom - r.Top, 2) - Div(th, 2) + b.Top - b.Bottom;
        break;
    }
    canvas.TextOut(x, y, caption.Text());
  }
}

}  // namespace mirto
