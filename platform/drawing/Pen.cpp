#include "platform/drawing/Pen.h"

namespace mirto {

void TPen::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  Changed();
}

void TPen::SetWidth(int value) {
  if (width_ == value) return;
  width_ = value;
  Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void TPen::SetMode(TPenMode value) {
  if (mode_ == value) return;
  mode_ = value;
  Changed();
}

void TPen::Assign(const TPersistent* source) {
  const auto* pen = dynamic_cast<const TPen*>(source);
  if (!pen) {
    TPersistent::Assign(source);
    return;
  }
  if (pen == this) return;
  const bool differs = color_ != pen->color_ || width_ != pen->width_ || style_ != pen->style_ ||
                       mode_ != pen->mode_;
  color_ = pen->color_;
  width_ = pen->width_;
  style_ = pen->style_;
  mode_ = pen->mode_;
  if (differs) Changed();
}

void TPen::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace mirto
