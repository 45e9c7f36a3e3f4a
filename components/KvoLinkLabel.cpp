#include "components/KvoLinkLabel.h"

#include "platform/system/Shell.h"
#include "platform/toolkit/Action.h"

namespace mirto {

TKvoCustomLinkLabel::TKvoCustomLinkLabel(TComponent* owner) : TCustomLabel(owner), tagExt_(this) {
  SetAccessibleRole(arLink);
  fontNormal_.SetColor(clBlue);
  fontNormal_.SetStyle({});
  ShowFont(fontNormal_);
  fontNormal_.OnChange = [this](TObject*) { FontNormalChanged(); };
  fontHot_.SetColor(clBlue);
  fontHot_.SetStyle({fsUnderline});
  fontDisabled_.SetColor(clBtnShadow);
  fontDisabled_.SetStyle({fsUnderline});
  fontVisitedNormal_.SetColor(clPurple);
  fontVisitedNormal_.SetStyle(fontNormal_.Style());
  fontVisitedNormal_.OnChange = [this](TObject*) { FontVisitedNormalChanged(); };
  fontVisitedHot_.SetColor(fontVisitedNormal_.Color());
  fontVisitedHot_.SetStyle(fontHot_.Style());
  SetCursor(crHandPoint);
}

TKvoCustomLinkLabel::~TKvoCustomLinkLabel() = default;

void TKvoCustomLinkLabel::SetTagExt(const TKvoTagExt& value) {
  tagExt_.SetIntValue(value.IntValue());
  tagExt_.SetStrValue(value.StrValue());
  tagExt_.SetRealValue(value.RealValue());
  tagExt_.SetDateValue(value.DateValue());
  tagExt_.SetPointerValue(value.PointerValue());
}

void TKvoCustomLinkLabel::SetFontsNameAndSize(const QString& fontName, int fontSize) {
  for (TFont* font :
       {&fontNormal_, &fontHot_, &fontDisabled_, &fontVisitedNormal_, &fontVisitedHot_}) {
    font->SetName(fontName);
    font->SetSize(fontSize);
  }
}

TBasicAction* TKvoCustomLinkLabel::Action() const {
  return actionLink_ != nullptr ? actionLink_->Action() : nullptr;
}

void TKvoCustomLinkLabel::SetAction(TBasicAction* value) {
  if (value == nullptr) {
    actionLink_.reset();
    return;
  }
  if (actionLink_ == nullptr) actionLink_ = std::make_unique<TBasicActionLink>(this);
  actionLink_->SetAction(value);
}

void TKvoCustomLinkLabel::SetEnabled(bool value) {
  enabled_ = value;
  if (value) {
    ShowFont(RestingFont());
    SetCursor(cursorHot_);
  } else {
    ShowFont(fontDisabled_);
    SetCursor(cursorDisabled_);
  }
}

void TKvoCustomLinkLabel::SetVisited(bool value) {
  visited_ = value;
  if (enabled_) ShowFont(RestingFont());
}

void TKvoCustomLinkLabel::FontNormalChanged() {
  if (enabled_) ShowFont(RestingFont());
}

void TKvoCustomLinkLabel::FontVisitedNormalChanged() {
  if (enabled_ && visited_) ShowFont(fontVisitedNormal_);
}

void TKvoCustomLinkLabel::MouseEnter() { PointerMoved(true); }

void TKvoCustomLinkLabel::MouseLeave() { PointerMoved(false); }

void TKvoCustomLinkLabel::PointerMoved(bool entered) {
  // The label's own processing fires OnMouseEnter / OnMouseLeave, once.
  const auto watch = life_.MakeWatch();
  if (entered)
    TCustomLabel::MouseEnter();
  else
    TCustomLabel::MouseLeave();
  if (!watch.Alive()) return;
  if (!enabled_) {
    ShowFont(fontDisabled_);
    SetCursor(cursorDisabled_);
    return;
  }
  if (entered)
    ShowFont(visited_ ? fontVisitedHot_ : fontHot_);
  else
    ShowFont(RestingFont());
  SetCursor(cursorHot_);
}

void TKvoCustomLinkLabel::Click() {
  const auto watch = life_.MakeWatch();
  TCustomLabel::Click();
  if (!watch.Alive()) return;
  if (ComponentState().Contains(csDesigning) || !enabled_) return;
  if (clickActionType_ == catGoToURL && !url_.isEmpty()) {
    visited_ = true;
    ShowFont(fontVisitedHot_);
    const QString url = url_;
    ShellExecuteW(0, QStringLiteral("open"), url, QString(), QString(), SW_SHOW);
    return;
  }
  if (clickActionType_ == catExecuteAction && Action() != nullptr) {
    visited_ = true;
    ShowFont(fontVisitedHot_);
    Action()->Execute();
  }
}

}  // namespace mirto
