#include "platform/drawing/Brush.h"

namespace mirto {

void TBrush::SetColor(TColor value) {
  if (color_ == value && style_ == bsSolid) return;
  color_ = value;
  style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void TBrush::Assign(const TPersistent* source) {
  const auto* brush = dynamic_cast<const TBrush*>(source);
  if (!brush) {
    TPersistent::Assign(source);
    return;
  }
  if (brush == this) return;
  const bool differs = color_ != brush->color_ || style_ != brush->style_;
  color_ = brush->color_;
  style_ = brush->style_;
  if (differs) Changed();
}

void TBrush::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace mirto
