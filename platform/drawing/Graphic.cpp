#include "platform/drawing/Graphic.h"

namespace mirto {

void TGraphic::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Changed();
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace mirto
