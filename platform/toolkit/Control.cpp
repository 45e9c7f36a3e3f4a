#include "platform/toolkit/Control.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <algorithm>

#include "platform/drawing/TextLayout.h"
#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

int g_liveControls = 0;

Qt::CursorShape CursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    case crNo:
      return Qt::ForbiddenCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

// --- TControl -----------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner), widget_(new ControlWidget(this)) {
  ++g_liveControls;
  widget_->hide();
  font_.OnChange = [this](TObject*) { NotifyFontChange(); };
  margins_.OnChange = [this](TObject*) {
    if (align_ != alNone && alignWithMargins_) RequestParentRealign();
  };
  constraints_.OnChange = [this](TObject*) {
    ApplyWindowConstraints();
    SetBounds(left_, top_, width_, height_);
  };
}

TControl::~TControl() {
  --g_liveControls;
  if (parent_ != nullptr) parent_->RemoveControl(this);
  parent_ = nullptr;
  widget_->control_ = nullptr;
  ParkFocusOnWindow(*widget_);
  DisposeWidget(widget_);
}

int TControl::LiveCount() { return g_liveControls; }

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) return;
  // A control cannot become its own descendant.
  for (TControl* p = parent; p != nullptr; p = p->parent_)
    if (p == this) return;
  TWinControl* previous = parent_;
  if (previous != nullptr) previous->RemoveControl(this);
  parent_ = parent;
  if (parent != nullptr) {
    widget_->setParent(parent->widget_);
    widget_->setGeometry(left_, top_, width_, height_);
    parent->InsertControl(this);
    if (parentFont_) ParentFontChanged();
    if (parentColor_) ParentColorChanged();
  } else {
    widget_->setParent(nullptr);
  }
  ApplyHint();
  ApplyWidgetVisibility();
  RememberAnchorOrigin();
  if (previous != nullptr && align_ != alNone) previous->Realign();
  if (parent != nullptr && align_ != alNone) parent->Realign();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  PlaceBounds(left, top, width, height);
  RememberAnchorOrigin();
  if (align_ != alNone) RequestParentRealign();
}

void TControl::PlaceBounds(int left, int top, int width, int height) {
  width = std::max(0, constraints_.ConstrainWidth(width));
  height = std::max(0, constraints_.ConstrainHeight(height));
  const bool moved = left != left_ || top != top_;
  const bool resized = width != width_ || height != height_;
  if (!moved && !resized) return;
  const TSize previousClient{ClientWidth(), ClientHeight()};
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  widget_->setGeometry(left, top, width, height);
  if (!resized) return;
  if (auto* self = dynamic_cast<TWinControl*>(this)) self->ClientSizeChanged(previousClient);
  Resize();
}

TRect TControl::ClientRect() const { return Rect(0, 0, width_, height_); }

TPoint TControl::ClientToScreen(TPoint p) const {
  const QPoint q = widget_->mapToGlobal(QPoint(p.X, p.Y));
  return Point(q.x(), q.y());
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  VisibleChanging();
  visible_ = value;
  if (!value) ParkFocusOnWindow(*widget_);
  ApplyWidgetVisibility();
  if (align_ != alNone) RequestParentRealign();
}

void TControl::ApplyWidgetVisibility() {
  // A control without a parent is shown only when it is a window itself.
  const bool shown = visible_ && (parent_ != nullptr || topLevelWindow_);
  widget_->setVisible(shown);
  if (shown && parent_ == nullptr) everShown_ = true;
}

void TControl::SetTopLevelWindow(bool value) {
  topLevelWindow_ = value;
  if (value) visible_ = false;
  ApplyWidgetVisibility();
  ApplyWindowConstraints();
}

// A window's limits bind the window manager too (0 is no limit).
void TControl::ApplyWindowConstraints() {
  if (!topLevelWindow_) return;
  const auto limit = [](int value) { return value > 0 ? value : QWIDGETSIZE_MAX; };
  widget_->setMinimumSize(constraints_.MinWidth(), constraints_.MinHeight());
  widget_->setMaximumSize(limit(constraints_.MaxWidth()), limit(constraints_.MaxHeight()));
}

bool TControl::Showing() const { return widget_->isVisible(); }

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (!value) ParkFocusOnWindow(*widget_);
  widget_->setEnabled(value);
  EnabledChanged();
}

void TControl::SetText(const QString& value) {
  if (ChangeValue(text_, value)) TextChanged();
}

void TControl::SetHint(const QString& value) {
  hint_ = value;
  ApplyHint();
}

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_ != nullptr) return parent_->ShowHint();
  return showHint_;
}

void TControl::SetShowHint(bool value) {
  showHint_ = value;
  parentShowHint_ = false;
  ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool value) {
  parentShowHint_ = value;
  ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  ApplyHint();
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (TControl* child : self->controls_)
      if (child->parentShowHint_) child->ParentShowHintChanged();
}

void TControl::SetHintKey(const QString& value) {
  hintKey_ = value;
  ApplyHint();
}

void TControl::ApplyHint() {
  QString tip = hint_;
  if (!hintKey_.isEmpty()) tip += QStringLiteral(" (") + hintKey_ + u')';
  widget_->setToolTip(ShowHint() ? tip : QString());
}

void TControl::SetCursor(TCursor value) {
  cursor_ = value;
  if (value == crDefault)
    widget_->unsetCursor();
  else
    widget_->setCursor(QCursor(CursorShapeOf(value)));
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value && parent_ != nullptr) ParentFontChanged();
}

void TControl::NotifyFontChange() {
  if (!applyingParentFont_) parentFont_ = false;
  FontChanged();
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (TControl* child : self->controls_)
      if (child->parentFont_) child->ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (parent_ == nullptr) return;
  applyingParentFont_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{applyingParentFont_};
  font_.Assign(&parent_->font_);
}

void TControl::SetColor(TColor value) {
  parentColor_ = false;
  if (value == color_) return;
  color_ = value;
  ColorChanged();
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (TControl* child : self->controls_)
      if (child->parentColor_) child->ParentColorChanged();
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value && parent_ != nullptr) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (parent_ == nullptr || parent_->color_ == color_) return;
  color_ = parent_->color_;
  ColorChanged();
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (TControl* child : self->controls_)
      if (child->parentColor_) child->ParentColorChanged();
}

TBiDiMode TControl::BiDiMode() const {
  if (parentBiDiMode_ && parent_ != nullptr) return parent_->BiDiMode();
  return biDiMode_;
}

void TControl::SetBiDiMode(TBiDiMode value) {
  const TBiDiMode previous = BiDiMode();
  biDiMode_ = value;
  parentBiDiMode_ = false;
  if (value != previous) NotifyBiDiModeChange();
}

void TControl::SetParentBiDiMode(bool value) {
  if (value == parentBiDiMode_) return;
  const TBiDiMode previous = BiDiMode();
  parentBiDiMode_ = value;
  if (BiDiMode() != previous) NotifyBiDiModeChange();
}

void TControl::NotifyBiDiModeChange() {
  BiDiModeChanged();
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (TControl* child : self->controls_)
      if (child->parentBiDiMode_) child->NotifyBiDiModeChange();
}

TTextFormat TControl::DrawTextBiDiModeFlags(TTextFormat flags) const {
  if (UseRightToLeftAlignment()) {
    if ((flags & DT_RIGHT) != 0)
      flags &= ~DT_RIGHT;
    else if ((flags & DT_CENTER) == 0)
      flags |= DT_RIGHT;
  }
  return flags | DrawTextBiDiModeFlagsReadingOnly();
}

TTextFormat TControl::DrawTextBiDiModeFlagsReadingOnly() const {
  return UseRightToLeftReading() ? DT_RTLREADING : 0;
}

QString TControl::DrawnCaption() const { return StripAccelerators(text_).Text; }

void TControl::SetAccessibleName(const QString& value) {
  if (!ChangeValue(accessibleName_, value)) return;
  AccessibleNameChanged();
}

QString TControl::AccessibleName() const {
  if (!accessibleName_.isEmpty()) return accessibleName_;
  const QString caption = DrawnCaption();
  return caption.isEmpty() ? hint_ : caption;
}

// A control that is still being loaded is not painted half-built: it is
// painted once when loading ends.
void TControl::Invalidate() {
  if (ComponentState().Contains(csLoading)) return;
  widget_->update();
}

void TControl::Repaint() {
  if (ComponentState().Contains(csLoading)) return;
  // Painting inside a paint would recurse: schedule it instead.
  if (PaintsInProgress() > 0 || !widget_->isVisible()) {
    widget_->update();
    return;
  }
  widget_->repaint();
}

void TControl::Update() {
  if (PaintsInProgress() > 0 || !widget_->isVisible()) return;
  QCoreApplication::sendPostedEvents(widget_->window(), QEvent::UpdateRequest);
  QCoreApplication::sendPostedEvents(widget_->window(), QEvent::UpdateLater);
}

void TControl::Release() {
  if (releasePending_) return;
  releasePending_ = true;
  ReleaseLater(*widget_);
}

void TControl::Click() { CallHandler(OnClick, this); }

void TControl::DblClick() { CallHandler(OnDblClick, this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  CallHandler(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  CallHandler(OnMouseMove, this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  CallHandler(OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseEnter() { CallHandler(OnMouseEnter, this); }

void TControl::MouseLeave() { CallHandler(OnMouseLeave, this); }

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  bool handled = false;
  CallHandler(OnMouseWheel, this, shift, wheelDelta, mousePos, handled);
  return handled;
}

void TControl::Resize() { CallHandler(OnResize, this); }

void TControl::Loaded() {
  TComponent::Loaded();
  RememberAnchorOrigin();
  Invalidate();
}

// --- TWinControl -------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  ++alignDisabled_;  // nothing to arrange any more
  // The children learn that they go with their parent before any of them goes.
  MarkDestroying();
  for (TControl* child : controls_) child->MarkDestroying();
  while (!controls_.empty()) delete controls_.back();
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return controls_[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c != nullptr; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) { controls_.push_back(control); }

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return Widget().window()->isVisible();
}

void TWinControl::SetFocus() {
  Widget().activateWindow();
  Widget().setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const { return Widget().hasFocus(); }

void TWinControl::SetTabStop(bool value) {
  tabStop_ = value;
  SetFocusable(focusable_);
}

void TWinControl::SetFocusable(bool value) {
  focusable_ = value;
  Widget().setFocusPolicy(!value ? Qt::NoFocus : tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinControl::Resize() { TControl::Resize(); }

// Every child shown announces itself to assistive technology, and the first
// announcement starts the toolkit's accessibility bridge, which connects to
// the session bus and waits for it (with no bus running, the system first
// tries to start one). Shown with the window, as the toolkit does, the
// children would make the window's own request to be shown wait for that;
// an empty window asks first. So a window new to the screen shows first and
// its children right after, before anything is painted. Each child then
// takes the visibility its control has, whatever the window's show handlers
// did meanwhile.
void TWinControl::ShowBeforeChildren() {
  std::vector<TControl*> held;
  if (!everShown_) {
    for (TControl* child : controls_) {
      if (child->widget_->isHidden()) continue;
      child->widget_->hide();
      held.push_back(child);
    }
  }
  SetVisible(true);
  for (TControl* child : held)
    if (std::find(controls_.begin(), controls_.end(), child) != controls_.end())
      child->ApplyWidgetVisibility();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (alignPending_ || !controls_.empty()) Realign();
}

// An override may destroy controls of the window (siblings, itself): only
// controls still alive and still children hear of the change.
void TWinControl::BroadcastFocusChange(TWinControl* focused) {
  const QPointer<ControlWidget> self = widget_;
  const auto alive = [&self, this] { return !self.isNull() && self->Control() == this; };
  FocusChanged(focused);
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) {
    if (!alive()) return;
    if (std::find(controls_.begin(), controls_.end(), child) == controls_.end()) continue;
    if (child->ComponentState().Contains(csDestroying)) continue;
    if (auto* win = dynamic_cast<TWinControl*>(child))
      win->BroadcastFocusChange(focused);
    else
      child->FocusChanged(focused);
  }
}

void TWinControl::DoEnter() { CallHandler(OnEnter, this); }

void TWinControl::DoExit() { CallHandler(OnExit, this); }

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  CallHandler(OnKeyDown, this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  CallHandler(OnKeyUp, this, key, shift);
}

void TWinControl::KeyPress(QChar& key) { CallHandler(OnKeyPress, this, key); }

// --- painting controls ------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::PaintWindow(TCanvas&) { Paint(); }

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(TCanvas&) { Paint(); }

}  // namespace mirto
