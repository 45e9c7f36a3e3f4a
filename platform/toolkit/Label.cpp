#include "platform/toolkit/Label.h"

namespace mirto {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  // The size a label has until it is given a caption.
  TGraphicControl::SetBounds(0, 0, 65, 17);
  SetParentColor(true);
  SetAccessibleRole(arStaticText);
}

void TCustomLabel::SetAutoSize(bool value) {
  if (ChangeValue(autoSize_, value)) AdjustBounds();
}

void TCustomLabel::ChangeText(bool& field, bool value) {
  if (!ChangeValue(field, value)) return;
  AdjustBounds();
  Invalidate();
}

TTextFormat TCustomLabel::TextFlags() const {
  TTextFormat flags = DT_EXPANDTABS;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (alignment_ == taCenter) flags |= DT_CENTER;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  return DrawTextBiDiModeFlags(flags);
}

void TCustomLabel::DoDrawText(TCanvas& canvas, TRect& rect, TTextFormat flags) {
  QString text = Caption();
  // An empty caption still measures one line high.
  if ((flags & DT_CALCRECT) && (text.isEmpty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  canvas.Font().Assign(&Font());
  if (!Enabled()) {
    TRect engraved = rect;
    OffsetRect(engraved, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, engraved, flags);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.DrawText(text, rect, flags);
}

void TCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TRect rect = client;
  const TTextFormat flags = TextFlags();
  if (layout_ != tlTop) {
    TRect measured = rect;
    DoDrawText(canvas, measured, flags | DT_CALCRECT);
    const int free = client.Height() - measured.Height();
    OffsetRect(rect, 0, layout_ == tlBottom ? free : Div(free, 2));
  }
  DoDrawText(canvas, rect, flags);
}

void TCustomLabel::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != Width() || height != Height();
  TGraphicControl::SetBounds(left, top, width, height);
  // A label given a size after its caption would otherwise keep a size its
  // text does not have (0 x 0 shows nothing); a label only moved keeps the
  // size its text gave it.
  if (resized && !fitting_ && !wordWrap_) AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading)) return;
  TCanvas measure;
  TRect rect = ClientRect();
  DoDrawText(measure, rect, TextFlags() | DT_CALCRECT);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - rect.Width();
  const bool outer = fitting_;
  fitting_ = true;
  SetBounds(left, Top(), rect.Width(), rect.Height());
  fitting_ = outer;
}

void TCustomLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

}  // namespace mirto
