#include "platform/toolkit/BitBtn.h"

#include <iterator>

#include "platform/drawing/StylePainting.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Form.h"

namespace mirto {

namespace {

constexpr std::uint16_t kReturn = 0x0D;
constexpr std::uint16_t kSpace = 0x20;

struct KindDefaults {
  const char* caption;
  int modalResult;
};

// By TBitBtnKind, in declaration order.
constexpr KindDefaults kKindDefaults[] = {
    {"", mrNone},        {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},     {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", 12},
};
static_assert(std::size(kKindDefaults) == static_cast<std::size_t>(bkAll) + 1);

KindDefaults DefaultsOf(TBitBtnKind kind) { return kKindDefaults[static_cast<std::size_t>(kind)]; }

}  // namespace

TBitBtn::TBitBtn(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetColor(clBtnFace);
  SetParentBackground(true);
  SetFocusable(true);
  SetTabStop(true);
  SetAccessibleRole(arPushButton);
  glyph_.OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::Click() {
  const bool wasDown = Down();
  mouseDown_ = false;
  spaceDown_ = false;
  if (wasDown) Repaint();
  if (TForm* form = GetParentForm(*this)) {
    form->SetModalResult(modalResult_);
    if (kind_ == bkClose) {
      form->Close();
      return;
    }
  }
  if (OnClick) {
    CallHandler(OnClick, this);
  } else if (actionLink_ != nullptr) {
    actionLink_->Execute(this);
  }
}

void TBitBtn::SetKind(TBitBtnKind value) {
  kind_ = value;
  if (value == bkCustom) return;
  const KindDefaults defaults = DefaultsOf(value);
  SetCaption(QString::fromLatin1(defaults.caption));
  modalResult_ = defaults.modalResult;
  if (value == bkOK || value == bkYes) SetDefault(true);
  if (value == bkCancel || value == bkNo) cancel_ = true;
}

TBasicAction* TBitBtn::Action() const {
  return actionLink_ != nullptr ? actionLink_->TBasicActionLink::Action() : nullptr;
}

void TBitBtn::SetAction(TBasicAction* action) {
  if (action == nullptr) {
    actionLink_.reset();
    return;
  }
  if (actionLink_ == nullptr) {
    actionLink_ = std::make_unique<TActionLink>(this);
    actionLink_->OnChange = [this](TObject* sender) { ActionChange(sender, false); };
  }
  actionLink_->SetAction(action);
  ActionChange(action, true);
}

void TBitBtn::ActionChange(TObject* sender, bool checkDefaults) {
  const auto* action = dynamic_cast<const TAction*>(sender);
  if (action == nullptr) return;
  if (!checkDefaults || Caption().isEmpty() || Caption() == Name()) SetCaption(action->Caption());
  if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!checkDefaults || Hint().isEmpty()) SetHint(action->Hint());
  if (!checkDefaults || Visible()) SetVisible(action->Visible());
}

void TBitBtn::PaintWindow(TCanvas& canvas) {
  TDrawItemStruct item;
  item.Canvas = &canvas;
  item.ItemRect = ClientRect();
  if (Down()) item.ItemState.Include(odSelected);
  if (!Enabled()) item.ItemState.Include(odDisabled);
  if (activeButton_ || Focused()) item.ItemState.Include(odFocus);
  DrawItem(item);
}

void TBitBtn::DrawItem(const TDrawItemStruct& item) {
  TCanvas& canvas = *item.Canvas;
  TRect r = item.ItemRect;
  const bool down = item.ItemState.Contains(odSelected);
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(r);
  if (default_ || item.ItemState.Contains(odFocus)) Frame3D(canvas, r, clBlack, clBlack, 1);
  if (down)
    Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
  else
    Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow, 1);
  TRect text = r;
  if (down) OffsetRect(text, 1, 1);
  if (!glyph_.Empty()) {
    const int top = text.Top + (text.Height() - glyph_.Height()) / 2;
    canvas.Draw(text.Left + std::max(2, margin_), top, glyph_);
    text.Left += std::max(2, margin_) + glyph_.Width() + spacing_;
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  if (item.ItemState.Contains(odDisabled)) canvas.Font().SetColor(clGrayText);
  canvas.DrawText(Caption(), text, DrawTextBiDiModeFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
  if (item.ItemState.Contains(odFocus)) {
    TRect focus = item.ItemRect;
    InflateRect(focus, -4, -4);
    canvas.DrawFocusRect(focus);
  }
}

void TBitBtn::SetDownState(bool mouseDown, bool inside, bool spaceDown) {
  if (mouseDown == mouseDown_ && inside == mouseInside_ && spaceDown == spaceDown_) return;
  const bool wasDown = Down();
  mouseDown_ = mouseDown;
  mouseInside_ = inside;
  spaceDown_ = spaceDown;
  if (Down() != wasDown) Repaint();
}

void TBitBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) SetDownState(true, true, spaceDown_);
  TWinControl::MouseDown(button, shift, x, y);
}

void TBitBtn::MouseMove(TShiftState shift, int x, int y) {
  // A pressed button shows pressed only while the pointer is over it.
  if (mouseDown_) SetDownState(true, ClientRect().Contains(Point(x, y)), spaceDown_);
  TWinControl::MouseMove(shift, x, y);
}

void TBitBtn::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) SetDownState(false, false, spaceDown_);
  TWinControl::MouseUp(button, shift, x, y);
}

void TBitBtn::KeyDown(std::uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == kSpace && !shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) {
    SetDownState(mouseDown_, mouseInside_, true);
    key = 0;
  } else if (key == kReturn) {
    key = 0;
    Click();
  }
}

void TBitBtn::KeyUp(std::uint16_t& key, TShiftState shift) {
  TWinControl::KeyUp(key, shift);
  if (key == kSpace && spaceDown_) {
    key = 0;
    SetDownState(mouseDown_, mouseInside_, false);
    Click();
  }
}

void TBitBtn::DoEnter() {
  TWinControl::DoEnter();
  Invalidate();
}

void TBitBtn::DoExit() {
  spaceDown_ = false;
  TWinControl::DoExit();
  Invalidate();
}

void TBitBtn::EnabledChanged() {
  mouseDown_ = false;
  spaceDown_ = false;
  TWinControl::EnabledChanged();
}

void TBitBtn::SetButtonStyle(bool isDefault) {
  if (isDefault == activeButton_) return;
  activeButton_ = isDefault;
  Invalidate();
}

void TBitBtn::FocusChanged(TWinControl* focused) {
  TWinControl::FocusChanged(focused);
  const bool active = dynamic_cast<TBitBtn*>(focused) != nullptr ? focused == this : default_;
  // Recorded here as well, so that odFocus is right whatever an override does.
  if (active != activeButton_) {
    activeButton_ = active;
    Invalidate();
  }
  SetButtonStyle(active);
}

}  // namespace mirto
