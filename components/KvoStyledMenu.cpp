#include "components/KvoStyledMenu.h"

#include <memory>

#include "components/KvoMenuPainter.h"
#include "platform/toolkit/Menus.h"

namespace mirto {

void AttachMenuStyle(TPopupMenu& menu, const TKvoMenuStyle& style) {
  const auto painter = std::make_shared<const TKvoMenuPainter>(style);
  menu.SetOwnerDraw(true);
  menu.SetBorderWidth(TKvoMenuPainter::kBorderWidth);
  menu.OnMeasureItem = [painter](TMenuItem* item, TCanvas* canvas, int& width, int& height) {
    if (item == nullptr || canvas == nullptr) return;
    const TSize size = painter->MeasureItem(*canvas, *item);
    width = size.cx;
    height = size.cy;
  };
  menu.OnDrawItem = [painter](TMenuItem* item, TCanvas* canvas, const TRect& rect,
                              TOwnerDrawState state) {
    if (item != nullptr && canvas != nullptr) painter->DrawItem(*canvas, *item, rect, state);
  };
  menu.OnDrawBackground = [painter](TPopupMenu*, TCanvas* canvas, const TRect& rect) {
    if (canvas != nullptr) painter->DrawBackground(*canvas, rect);
  };
}

void DetachMenuStyle(TPopupMenu& menu) {
  menu.SetOwnerDraw(false);
  menu.OnMeasureItem = nullptr;
  menu.OnDrawItem = nullptr;
  menu.OnDrawBackground = nullptr;
}

}  // namespace mirto
