#include "platform/toolkit/CustomPanel.h"

namespace mirto {

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetParentBackground(true);
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
  TCustomControl::AdjustClientRect(rect);
  if (bevelOuter_ != bvNone) InflateRect(rect, -bevelWidth_, -bevelWidth_);
  if (bevelInner_ != bvNone) InflateRect(rect, -bevelWidth_, -bevelWidth_);
}

void TCustomPanel::Paint() {
  TCanvas& canvas = Canvas();
  TRect rect = ClientRect();
  DrawBevel(canvas, rect, bevelOuter_, bevelWidth_);
  if (ParentBackground())
    InflateRect(rect, -BorderWidth(), -BorderWidth());
  else
    Frame3D(canvas, rect, Color(), Color(), BorderWidth());
  DrawBevel(canvas, rect, bevelInner_, bevelWidth_);
  if (!ParentBackground()) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
  }
  if (showCaption_ && !Caption().isEmpty()) {
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().Assign(&Font());
    TTextFormat flags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
    if (alignment_ == taCenter) flags |= DT_CENTER;
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    canvas.DrawText(Caption(), rect, DrawTextBiDiModeFlags(flags));
  }
}

}  // namespace mirto
