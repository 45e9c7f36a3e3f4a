#include "components/KvoPngButton.h"

#include "components/KvoPngButtonPainting.h"
#include "components/KvoPngButtonStyleHook.h"
#include "graphics/PngImageList.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/StyleServices.h"

namespace mirto {

TKvoPngButton::TKvoPngButton(TComponent* owner)
    : TBitBtn(owner), pngImage_(std::make_unique<TPngImage>()), tagExt_(this), appearance_(this) {
  appearance_.SetOnChange([this](TObject*) { AppearanceChanged(); });
}

TKvoPngButton::~TKvoPngButton() = default;

void TKvoPngButton::AppearanceChanged() {
  if (!ComponentState().Contains(csLoading)) Invalidate();
}

void TKvoPngButton::SetPngImage(const TPngImage* value) {
  if (value == nullptr)
    pngImage_->Clear();
  else if (value != pngImage_.get())
    pngImage_->Assign(value);
  const int colorType = pngImage_->Header().ColorType;
  if (!pngImage_->Empty() &&
      (colorType == COLOR_RGB || colorType == COLOR_PALETTE || colorType == COLOR_RGBALPHA))
    pngImage_->RemoveChunks("gAMA");
  imageFromAction_ = false;
  Repaint();
}

void TKvoPngButton::SetPngOptions(TPngOptions value) {
  if (value == pngOptions_) return;
  pngOptions_ = value;
  Repaint();
}

void TKvoPngButton::SetTagExt(const TKvoTagExt& value) {
  tagExt_.SetIntValue(value.IntValue());
  tagExt_.SetStrValue(value.StrValue());
  tagExt_.SetRealValue(value.RealValue());
  tagExt_.SetDateValue(value.DateValue());
  tagExt_.SetPointerValue(value.PointerValue());
}

void TKvoPngButton::SetColorMapType(TKvoPngButtonColorMapType value) {
  colorMapType_ = value;
  if (value == cmtCustom) return;
  TKvoPngButtonColorMap map{};
  GetPredefinedColorMap(value, map);
  ApplyColorMap(map);
}

void TKvoPngButton::ApplyColorMap(const TKvoPngButtonColorMap& colorMap) {
  appearance_.BorderWhenDefault().SetColor(colorMap.BorderWhenDefaultColor);
  appearance_.FocusRect().Pen().SetColor(colorMap.FocusRectColor);
  const auto apply = [](TKvoItemStateParams& look, const TKvoPngButtonStateColors& colors) {
    look.Border().SetColor(colors.BorderColor);
    look.Font().SetColor(colors.FontColor);
    look.SetColor(colors.Color);
    look.UpperGradient().SetColorFrom(colors.UpperGradientColorFrom);
    look.UpperGradient().SetColorTo(colors.UpperGradientColorTo);
    look.BottomGradient().SetColorFrom(colors.BottomGradientColorFrom);
    look.BottomGradient().SetColorTo(colors.BottomGradientColorTo);
  };
  apply(appearance_.Normal(), colorMap.Normal);
  apply(appearance_.Hot(), colorMap.Hot);
  apply(appearance_.Down(), colorMap.Down);
  apply(appearance_.Focused(), colorMap.Focused);
  apply(appearance_.Disabled(), colorMap.Disabled);
}

void TKvoPngButton::SetButtonStyle(bool isDefault) {
  TBitBtn::SetButtonStyle(isDefault);
  if (isDefault == isFocused_) return;
  isFocused_ = isDefault;
  Refresh();
}

void TKvoPngButton::MouseEnter() {
  over_ = true;
  if (TStyleServices::Enabled() && !mouseInControl_) {
    mouseInControl_ = true;
    Repaint();
    return;
  }
  // Painted before the handler runs: the handler may destroy the button.
  Repaint();
  if (TNotifyEvent handler = OnMouseEnter) handler(this);
}

void TKvoPngButton::MouseLeave() {
  over_ = false;
  if (TStyleServices::Enabled() && mouseInControl_) {
    mouseInControl_ = false;
    Repaint();
    return;
  }
  // Styles switched off while the pointer was inside: the pointer has still
  // left, so a later themed paint must not show the button hot.
  mouseInControl_ = false;
  Repaint();
  if (TNotifyEvent handler = OnMouseLeave) handler(this);
}

void TKvoPngButton::ActionChange(TObject* action, bool checkDefaults) {
  TBitBtn::ActionChange(action, checkDefaults);
  const auto* customAction = dynamic_cast<const TAction*>(action);
  if (customAction == nullptr) return;
  if (!pngImage_->Empty() && !imageFromAction_) return;
  const TActionList* list = customAction->ActionList();
  TCustomImageList* images = list != nullptr ? list->Images() : nullptr;
  const int index = customAction->ImageIndex();
  if (images == nullptr || index < 0 || index >= images->Count()) return;
  CopyPngFromImageList(pngImage_.get(), images, index);
  imageFromAction_ = true;
}

void TKvoPngButton::Paint(TCanvas& canvas, const TRect& client,
                          const TKvoPngButtonState& state) const {
  if (TStyleServices::IsCustomStyleActive()) {
    TKvoPngButtonStyleHook hook(*this);
    hook.SetPressed(state.Pressed);
    hook.SetFocused(state.HoldsFocus);
    hook.DrawButton(canvas, state.Over);
    return;
  }
  if (appearance_.DefaultDrawing())
    PaintPngButtonPlatformStyle(*this, canvas, client, state);
  else
    PaintPngButtonCustom(*this, canvas, client, state);
}

void TKvoPngButton::DrawItem(const TDrawItemStruct& item) {
  TKvoPngButtonState state;
  state.Enabled = !item.ItemState.Contains(odDisabled);
  state.Pressed = item.ItemState.Contains(odSelected);
  state.FocusFlag = item.ItemState.Contains(odFocus);
  state.HoldsFocus = Focused();
  state.Over = over_;
  state.MouseInControl = mouseInControl_;
  Paint(*item.Canvas, item.ItemRect, state);
  if (appearance_.DefaultDrawing()) lastKind_ = Kind();
}

void SetPngButtonFonts(TKvoPngButton& button, const QString& fontName, int fontSize) {
  TKvoButtonAppearance& appearance = button.Appearance();
  for (TFont* font :
       {&button.Font(), &appearance.Normal().Font(), &appearance.Hot().Font(),
        &appearance.Down().Font(), &appearance.Focused().Font(), &appearance.Disabled().Font()}) {
    font->SetName(fontName);
    font->SetSize(fontSize);
  }
}

}  // namespace mirto
