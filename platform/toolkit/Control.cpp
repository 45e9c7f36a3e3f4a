#include "platform/toolkit/Control.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <optional>

#include "platform/drawing/Canvas_p.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/ShortCut_p.h"

namespace mirto {

namespace {

int g_eventsInProgress = 0;
int g_paintsInProgress = 0;
PointerState g_lastPointer;
QPointer<ControlWidget> g_pressedWidget;

void NotePointer(const QMouseEvent& e) {
  g_lastPointer.global = e.globalPosition().toPoint();
  g_lastPointer.buttons = e.buttons();
}

// What waits for the end of the outermost control event: the widgets of
// destroyed controls (one of them may still be on the call stack) and the
// controls to release. Nothing is re-posted while a nested loop runs: the
// end of the outermost event posts one flush.
struct DeferredDeletions {
  std::vector<QPointer<ControlWidget>> widgets;
  std::vector<QPointer<ControlWidget>> released;  // by their controls' widgets
  bool flushPosted = false;
  int posts = 0;
};

DeferredDeletions& Deferred() {
  static DeferredDeletions deferred;
  return deferred;
}

void PostDeferredFlush() {
  DeferredDeletions& deferred = Deferred();
  if (deferred.flushPosted || QCoreApplication::instance() == nullptr) return;
  if (deferred.widgets.empty() && deferred.released.empty()) return;
  deferred.flushPosted = true;
  ++deferred.posts;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [] {
        Deferred().flushPosted = false;
        FlushDeferredDeletions();
      },
      Qt::QueuedConnection);
}

// Counts one event as being handled, by its widget and program-wide.
class DispatchScope {
 public:
  explicit DispatchScope(int& widgetCounter) : counter_(widgetCounter) {
    ++counter_;
    ++g_eventsInProgress;
  }
  ~DispatchScope() {
    --counter_;
    if (--g_eventsInProgress == 0) PostDeferredFlush();
  }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;

 private:
  int& counter_;
};

// Destroys the widget of a control that is going away. While any control
// event is being handled the widget may still be on the call stack, so it is
// only hidden now and destroyed after the outermost event.
void DisposeWidget(ControlWidget* widget) {
  // Windows that belong to this one (owned forms) live on by themselves.
  const auto children = widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children)
    if (child->isWindow()) child->setParent(nullptr, child->windowFlags());
  if (ControlEventInProgress() && QCoreApplication::instance() != nullptr) {
    widget->hide();
    Deferred().widgets.emplace_back(widget);
    return;
  }
  delete widget;
}

std::optional<TMouseButton> MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return mbLeft;
    case Qt::RightButton:
      return mbRight;
    case Qt::MiddleButton:
      return mbMiddle;
    default:
      return std::nullopt;
  }
}

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

void ConnectFocusTracking();
void ParkFocusOnWindow(QWidget& widget);

}  // namespace

// Reaches the private parts of controls for the widget and painting code.
class ControlAccess {
 public:
  // Paints control into buffer, whose pixel (0, 0) lies at origin in the
  // control's coordinates; area is the part of the buffer that counts.
  static void PaintLayer(TControl& control, QImage& buffer, TPoint origin, const TRect& area,
                         int depth) {
    TWinControl* parent = control.parent_;
    if (control.ShowsParentBackground() && parent != nullptr && !parent->painting_ && depth < 64) {
      PaintLayer(*parent, buffer, Point(origin.X + control.left_, origin.Y + control.top_), area,
                 depth + 1);
    } else {
      QPainter fill(&buffer);
      fill.fillRect(ToQRect(area), ToQColor(control.color_));
    }
    TCanvas& canvas = control.canvas_;
    struct Binding {
      TControl& control;
      ~Binding() {
        control.painting_ = false;
        --g_paintsInProgress;
        TCanvasAccess::Bind(control.canvas_, nullptr);
      }
    };
    TCanvasAccess::Bind(canvas, &buffer);
    ++g_paintsInProgress;
    control.painting_ = true;
    Binding binding{control};
    TCanvasAccess::SetPaintArea(canvas, area);
    canvas.ClearClipRegion();
    canvas.SetWindowOrg(origin);
    canvas.SetPenPos(Point(0, 0));
    const TPen defaultPen;
    canvas.Pen().Assign(&defaultPen);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(control.color_);
    canvas.Font().Assign(&control.font_);
    control.PaintWindow(canvas);
  }

  static void Paint(TControl& control, QWidget& widget, const QRect& rect) {
    if (control.width_ <= 0 || control.height_ <= 0) return;
    QImage buffer(control.width_, control.height_, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    const TRect area =
        Rect(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
    PaintLayer(control, buffer, Point(0, 0), area, 0);
    QPainter painter(&widget);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(rect.topLeft(), buffer, rect);
  }

  static void WindowMoved(TControl& control, QPoint position) {
    control.left_ = position.x();
    control.top_ = position.y();
  }

  static void WindowResized(TControl& control, QSize size) {
    if (size.width() == control.width_ && size.height() == control.height_) return;
    control.PlaceBounds(control.left_, control.top_, size.width(), size.height());
  }

  static ControlWidget* Widget(const TControl& control) { return control.widget_; }
  static QPointer<ControlWidget>& Entered(ControlWidget& window) { return window.entered_; }
  static int& Dispatching(ControlWidget& widget) { return widget.dispatching_; }
  static bool& LeftPressed(TControl& control) { return control.leftPressed_; }
  static bool ClicksOnRelease(const TControl& control) { return control.ClicksOnRelease(); }

  static void MouseDown(TControl& c, TMouseButton b, TShiftState s, int x, int y) {
    c.MouseDown(b, s, x, y);
  }
  static void MouseMove(TControl& c, TShiftState s, int x, int y) { c.MouseMove(s, x, y); }
  static void MouseUp(TControl& c, TMouseButton b, TShiftState s, int x, int y) {
    c.MouseUp(b, s, x, y);
  }
  static void Click(TControl& c) { c.Click(); }
  static void DblClick(TControl& c) { c.DblClick(); }
  static void MouseEnter(TControl& c) { c.MouseEnter(); }
  static bool MouseWheel(TControl& c, TShiftState s, int delta, TPoint p) {
    return c.DoMouseWheel(s, delta, p);
  }
  static void MouseLeave(TControl& c) { c.MouseLeave(); }
  static void DoEnter(TWinControl& c) { c.DoEnter(); }
  static void DoExit(TWinControl& c) { c.DoExit(); }
  static void KeyDown(TWinControl& c, std::uint16_t& key, TShiftState s) { c.KeyDown(key, s); }
  static void KeyUp(TWinControl& c, std::uint16_t& key, TShiftState s) { c.KeyUp(key, s); }
  static bool WindowEvent(TControl& c, QEvent& e) { return c.WindowEvent(e); }
  static void BroadcastFocusChange(TWinControl& root, TWinControl* focused) {
    root.BroadcastFocusChange(focused);
  }
};

namespace {

// The focus moved to now: the window's previous control is left and the new
// one entered (unless it is the same one, as when the window is activated
// again), then every control of the window hears of it.
void FocusMoved(QWidget* now) {
  TControl* control = ControlFromWidget(now);
  while (control != nullptr && dynamic_cast<TWinControl*>(control) == nullptr)
    control = control->Parent();
  if (control == nullptr) return;
  TControl* root = control;
  while (root->Parent() != nullptr) root = root->Parent();
  ControlWidget* rootWidget = ControlAccess::Widget(*root);
  QPointer<ControlWidget> focusedWidget = ControlAccess::Widget(*control);
  QPointer<ControlWidget> previousWidget = ControlAccess::Entered(*rootWidget);
  if (previousWidget != focusedWidget) {
    ControlAccess::Entered(*rootWidget) = focusedWidget;
    DispatchScope scope(ControlAccess::Dispatching(*rootWidget));
    if (!previousWidget.isNull())
      if (auto* previous = dynamic_cast<TWinControl*>(previousWidget->Control()))
        ControlAccess::DoExit(*previous);
    if (!focusedWidget.isNull() && focusedWidget->Control() != nullptr)
      ControlAccess::DoEnter(*static_cast<TWinControl*>(focusedWidget->Control()));
  }
  if (focusedWidget.isNull() || focusedWidget->Control() == nullptr) return;
  if (auto* window = dynamic_cast<TWinControl*>(root))
    ControlAccess::BroadcastFocusChange(*window,
                                        static_cast<TWinControl*>(focusedWidget->Control()));
}

// Each application object gets the connection once (a program may create a
// second one after the first is gone); the marker lives and dies with it.
void ConnectFocusTracking() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr) return;
  const QString marker = QStringLiteral("mirto-focus-tracking");
  if (app->findChild<QObject*>(marker, Qt::FindDirectChildrenOnly) != nullptr) return;
  auto* tracker = new QObject(app);
  tracker->setObjectName(marker);
  QObject::connect(app, &QApplication::focusChanged, tracker,
                   [](QWidget*, QWidget* now) { FocusMoved(now); });
}

// Before the widget holding the keyboard focus (or one of its parents) is
// hidden, disabled or destroyed, the focus goes to its window: the toolkit
// would move it along the tab chain to a control the user never chose.
void ParkFocusOnWindow(QWidget& widget) {
  // The window's focus child: the keyboard focus while the window is active,
  // what gets it back when the window is activated again otherwise.
  QWidget* focused = widget.window()->focusWidget();
  if (focused == nullptr || widget.isWindow()) return;
  if (focused != &widget && !widget.isAncestorOf(focused)) return;
  QWidget* window = widget.window();
  if (const TControl* owner = ControlFromWidget(window))
    if (owner->ComponentState().Contains(csDestroying)) return;
  window->setFocus(Qt::OtherFocusReason);
}

}  // namespace

// --- helpers shared by the platform ---------------------------------------

bool ControlEventInProgress() { return g_eventsInProgress > 0; }

void FlushDeferredDeletions() {
  // Inside a nested loop of an event: the end of that event flushes.
  if (ControlEventInProgress()) return;
  DeferredDeletions& deferred = Deferred();
  while (!deferred.released.empty() || !deferred.widgets.empty()) {
    const auto released = std::move(deferred.released);
    deferred.released.clear();
    for (const QPointer<ControlWidget>& widget : released)
      if (!widget.isNull() && widget->Control() != nullptr) delete widget->Control();
    const auto widgets = std::move(deferred.widgets);
    deferred.widgets.clear();
    for (const QPointer<ControlWidget>& widget : widgets) delete widget.data();
  }
}

int DeferredFlushPosts() { return Deferred().posts; }

const PointerState& LastPointer() { return g_lastPointer; }

void CancelPendingClick() {
  if (g_pressedWidget.isNull() || g_pressedWidget->Control() == nullptr) return;
  ControlAccess::LeftPressed(*g_pressedWidget->Control()) = false;
}

void PressControl(TControl& control) {
  ControlWidget* widget = ControlAccess::Widget(control);
  DispatchScope scope(ControlAccess::Dispatching(*widget));
  ControlAccess::Click(control);
}

QWidget* NativeWidget(const TControl& control) { return ControlAccess::Widget(control); }

TControl* ControlFromWidget(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (const auto* cw = dynamic_cast<const ControlWidget*>(w))
      if (cw->Control() != nullptr) return cw->Control();
  }
  return nullptr;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (buttons & Qt::LeftButton) shift.Include(ssLeft);
  if (buttons & Qt::RightButton) shift.Include(ssRight);
  if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
  return shift;
}

// --- ControlWidget ----------------------------------------------------------

ControlWidget::ControlWidget(TControl* control) : control_(control) {
  // Every pixel comes from the control's own picture.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  ConnectFocusTracking();
  InstallControlAccessibility();
}

ControlWidget::~ControlWidget() = default;

bool ControlWidget::event(QEvent* e) {
  if (control_ != nullptr) {
    switch (e->type()) {
      case QEvent::Close:
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::WindowStateChange:
      case QEvent::WindowActivate:
      case QEvent::WindowDeactivate: {
        DispatchScope scope(dispatching_);
        if (ControlAccess::WindowEvent(*control_, *e)) return true;
        if (control_ == nullptr) return true;
        break;
      }
      default:
        break;
    }
  }
  return QWidget::event(e);
}

void ControlWidget::paintEvent(QPaintEvent* e) {
  if (control_ == nullptr) return;
  DispatchScope scope(dispatching_);
  ControlAccess::Paint(*control_, *this, e->rect());
}

void ControlWidget::mousePressEvent(QMouseEvent* e) {
  NotePointer(*e);
  const auto button = MouseButtonOf(e->button());
  if (control_ == nullptr || !button) return;
  DispatchScope scope(dispatching_);
  const QPoint p = e->position().toPoint();
  if (*button == mbLeft) {
    ControlAccess::LeftPressed(*control_) = true;
    g_pressedWidget = this;
  }
  ControlAccess::MouseDown(*control_, *button, ShiftStateOf(e->modifiers(), e->buttons()), p.x(),
                           p.y());
}

void ControlWidget::mouseMoveEvent(QMouseEvent* e) {
  NotePointer(*e);
  if (control_ == nullptr) return;
  DispatchScope scope(dispatching_);
  const QPoint p = e->position().toPoint();
  ControlAccess::MouseMove(*control_, ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* e) {
  NotePointer(*e);
  const auto button = MouseButtonOf(e->button());
  if (control_ == nullptr || !button) return;
  DispatchScope scope(dispatching_);
  const QPoint p = e->position().toPoint();
  const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
  if (*button == mbLeft && ControlAccess::LeftPressed(*control_)) {
    ControlAccess::LeftPressed(*control_) = false;
    if (ControlAccess::ClicksOnRelease(*control_) && rect().contains(p))
      ControlAccess::Click(*control_);
    if (control_ == nullptr) return;  // the click handler destroyed the control
  }
  ControlAccess::MouseUp(*control_, *button, shift, p.x(), p.y());
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  NotePointer(*e);
  const auto button = MouseButtonOf(e->button());
  if (control_ == nullptr || !button) return;
  DispatchScope scope(dispatching_);
  const QPoint p = e->position().toPoint();
  TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
  shift.Include(ssDouble);
  if (*button == mbLeft) ControlAccess::DblClick(*control_);
  if (control_ == nullptr) return;
  ControlAccess::MouseDown(*control_, *button, shift, p.x(), p.y());
}

void ControlWidget::enterEvent(QEnterEvent*) {
  if (control_ == nullptr) return;
  DispatchScope scope(dispatching_);
  ControlAccess::MouseEnter(*control_);
}

void ControlWidget::leaveEvent(QEvent*) {
  if (control_ == nullptr) return;
  DispatchScope scope(dispatching_);
  ControlAccess::MouseLeave(*control_);
}

void ControlWidget::focusInEvent(QFocusEvent* e) {
  // Entering and leaving controls is tracked per window (FocusMoved), so
  // that activating the window again does not enter its control again.
  QWidget::focusInEvent(e);
}

void ControlWidget::focusOutEvent(QFocusEvent* e) { QWidget::focusOutEvent(e); }

void ControlWidget::wheelEvent(QWheelEvent* e) {
  const int delta = e->angleDelta().y();
  if (control_ == nullptr || delta == 0) {
    e->ignore();
    return;
  }
  DispatchScope scope(dispatching_);
  const QPoint global = e->globalPosition().toPoint();
  const TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
  // An unused turn goes on to the parent, and so on up to the window.
  QPointer<ControlWidget> widget = this;
  while (!widget.isNull() && widget->control_ != nullptr) {
    TControl* control = widget->control_;
    TWinControl* parent = control->Parent();
    QPointer<ControlWidget> parentWidget =
        parent != nullptr ? ControlAccess::Widget(*parent) : nullptr;
    if (ControlAccess::MouseWheel(*control, shift, delta, Point(global.x(), global.y()))) break;
    widget = parentWidget;
  }
  e->accept();
}

void ControlWidget::keyPressEvent(QKeyEvent* e) { DispatchKey(e, &ControlAccess::KeyDown); }

void ControlWidget::keyReleaseEvent(QKeyEvent* e) { DispatchKey(e, &ControlAccess::KeyUp); }

void ControlWidget::DispatchKey(QKeyEvent* e, KeyHandler handler) {
  auto* control = dynamic_cast<TWinControl*>(control_);
  std::uint16_t key = VirtualKeyOf(e->key(), e->modifiers());
  if (control == nullptr || key == 0) {
    e->ignore();
    return;
  }
  DispatchScope scope(dispatching_);
  handler(*control, key, ShiftStateOf(e->modifiers(), Qt::NoButton));
  // A key the control did not take (left non-zero) goes on to its parent.
  e->setAccepted(key == 0);
}

void ControlWidget::resizeEvent(QResizeEvent*) {
  // Only the window manager resizes windows behind the control's back.
  if (control_ == nullptr || !isWindow() || !isVisible()) return;
  DispatchScope scope(dispatching_);
  ControlAccess::WindowResized(*control_, size());
}

void ControlWidget::moveEvent(QMoveEvent*) {
  if (control_ == nullptr || !isWindow() || !isVisible()) return;
  ControlAccess::WindowMoved(*control_, pos());
}

// --- TMargins, TSizeConstraints ------------------------------------------------

void TMargins::Set(int& field, int value) {
  if (field == value) return;
  field = value;
  CallHandler(OnChange, this);
}

void TMargins::SetBounds(int left, int top, int right, int bottom) {
  if (left == left_ && top == top_ && right == right_ && bottom == bottom_) return;
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  CallHandler(OnChange, this);
}

void TMargins::Assign(const TPersistent* source) {
  if (const auto* m = dynamic_cast<const TMargins*>(source)) {
    SetBounds(m->left_, m->top_, m->right_, m->bottom_);
    return;
  }
  TPersistent::Assign(source);
}

void TSizeConstraints::Set(int& field, int value) {
  value = std::max(0, value);
  if (field == value) return;
  field = value;
  CallHandler(OnChange, this);
}

void TSizeConstraints::Assign(const TPersistent* source) {
  if (const auto* c = dynamic_cast<const TSizeConstraints*>(source)) {
    minWidth_ = c->minWidth_;
    maxWidth_ = c->maxWidth_;
    minHeight_ = c->minHeight_;
    maxHeight_ = c->maxHeight_;
    CallHandler(OnChange, this);
    return;
  }
  TPersistent::Assign(source);
}

int TSizeConstraints::ConstrainWidth(int width) const {
  if (maxWidth_ > 0) width = std::min(width, maxWidth_);
  if (minWidth_ > 0) width = std::max(width, minWidth_);
  return width;
}

int TSizeConstraints::ConstrainHeight(int height) const {
  if (maxHeight_ > 0) height = std::min(height, maxHeight_);
  if (minHeight_ > 0) height = std::max(height, minHeight_);
  return height;
}

// --- TControl -----------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner), widget_(new ControlWidget(this)) {
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
  if (parent_ != nullptr) parent_->RemoveControl(this);
  parent_ = nullptr;
  widget_->control_ = nullptr;
  ParkFocusOnWindow(*widget_);
  DisposeWidget(widget_);
}

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

void TControl::SetClientWidth(int value) { SetWidth(width_ - ClientWidth() + value); }

void TControl::SetClientHeight(int value) { SetHeight(height_ - ClientHeight() + value); }

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  if (value == alNone) RememberAnchorOrigin();
  RequestParentRealign();
}

void TControl::SetAlignWithMargins(bool value) {
  if (value == alignWithMargins_) return;
  alignWithMargins_ = value;
  if (align_ != alNone) RequestParentRealign();
}

void TControl::SetAnchors(TAnchors value) {
  anchors_ = value;
  RememberAnchorOrigin();
}

void TControl::RememberAnchorOrigin() {
  if (parent_ == nullptr) {
    anchorOrigin_.valid = false;
    return;
  }
  anchorOrigin_.bounds = BoundsRect();
  anchorOrigin_.parentSize = {parent_->ClientWidth(), parent_->ClientHeight()};
  anchorOrigin_.valid = true;
}

// Keeps the distances to the anchored edges the control had when it was
// placed. Computed from that placement, so shrinking and growing the parent
// again brings the control back exactly.
void TControl::ParentClientResized() {
  if (align_ != alNone || parent_ == nullptr) return;
  if (ComponentState().Contains(csLoading)) return;
  if (!anchorOrigin_.valid) return;
  if (anchors_ == TAnchors{akLeft, akTop}) return;
  const TRect& b = anchorOrigin_.bounds;
  const int dx = parent_->ClientWidth() - anchorOrigin_.parentSize.cx;
  const int dy = parent_->ClientHeight() - anchorOrigin_.parentSize.cy;
  int left = b.Left;
  int width = b.Width();
  int top = b.Top;
  int height = b.Height();
  if (anchors_.Contains(akRight)) {
    if (anchors_.Contains(akLeft))
      width += dx;
    else
      left += dx;
  } else if (!anchors_.Contains(akLeft)) {
    left += Div(dx, 2);
  }
  if (anchors_.Contains(akBottom)) {
    if (anchors_.Contains(akTop))
      height += dy;
    else
      top += dy;
  } else if (!anchors_.Contains(akTop)) {
    top += Div(dy, 2);
  }
  PlaceBounds(left, top, width, height);
}

void TControl::RequestParentRealign() {
  if (parent_ != nullptr && !parent_->aligning_) parent_->Realign();
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const QPoint q = widget_->mapToGlobal(QPoint(p.X, p.Y));
  return Point(q.x(), q.y());
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const QPoint q = widget_->mapFromGlobal(QPoint(p.X, p.Y));
  return Point(q.x(), q.y());
}

void TControl::BringToFront() {
  widget_->raise();
  if (parent_ != nullptr && align_ != alNone) parent_->Realign();
}

void TControl::SendToBack() {
  widget_->lower();
  if (parent_ != nullptr && align_ != alNone) parent_->Realign();
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
  widget_->setVisible(visible_ && (parent_ != nullptr || topLevelWindow_));
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
  if (value == text_) return;
  text_ = value;
  TextChanged();
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

void TControl::ApplyHint() { widget_->setToolTip(ShowHint() ? hint_ : QString()); }

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

void TControl::SetStyleElements(TStyleElements value) {
  if (value == styleElements_) return;
  styleElements_ = value;
  Invalidate();
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

QString TControl::AccessibleName() const {
  const QString caption = StripAccelerators(text_).Text;
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
  if (g_paintsInProgress > 0 || !widget_->isVisible()) {
    widget_->update();
    return;
  }
  widget_->repaint();
}

void TControl::Update() {
  if (g_paintsInProgress > 0 || !widget_->isVisible()) return;
  QCoreApplication::sendPostedEvents(widget_->window(), QEvent::UpdateRequest);
  QCoreApplication::sendPostedEvents(widget_->window(), QEvent::UpdateLater);
}

void TControl::Release() {
  if (releasePending_) return;
  releasePending_ = true;
  Deferred().released.emplace_back(widget_);
  // Outside an event the next turn of the event loop destroys it; inside one,
  // the end of the outermost event does.
  if (!ControlEventInProgress()) PostDeferredFlush();
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

void TWinControl::SetParentBackground(bool value) {
  if (value == parentBackground_) return;
  parentBackground_ = value;
  Invalidate();
}

void TWinControl::SetBorderWidth(int value) {
  value = std::max(0, value);
  if (value == borderWidth_) return;
  borderWidth_ = value;
  Realign();
  Invalidate();
}

void TWinControl::DisableAlign() { ++alignDisabled_; }

void TWinControl::EnableAlign() {
  if (alignDisabled_ == 0) return;
  if (--alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
  if (ComponentState().Contains(csDestroying)) return;
  if (alignDisabled_ > 0 || aligning_ || ComponentState().Contains(csLoading)) {
    alignPending_ = true;
    return;
  }
  alignPending_ = false;
  aligning_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{aligning_};
  TRect rect = ClientRect();
  AdjustClientRect(rect);
  AlignControls(rect);
}

void TWinControl::AdjustClientRect(TRect& rect) const {
  InflateRect(rect, -borderWidth_, -borderWidth_);
}

void TWinControl::AlignControls(TRect& rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> group;
    for (TControl* c : controls_)
      if (c->align_ == align && c->visible_) group.push_back(c);
    // Controls keep their order along the edge they stack against.
    std::stable_sort(group.begin(), group.end(), [align](const TControl* a, const TControl* b) {
      switch (align) {
        case alTop:
          return a->top_ < b->top_;
        case alBottom:
          return a->top_ + a->height_ > b->top_ + b->height_;
        case alLeft:
          return a->left_ < b->left_;
        case alRight:
          return a->left_ + a->width_ > b->left_ + b->width_;
        default:
          return false;
      }
    });
    for (TControl* c : group) {
      TMargins none;
      none.SetBounds(0, 0, 0, 0);
      const TMargins& m = c->alignWithMargins_ ? c->margins_ : none;
      const int across = rect.Width() - m.Left() - m.Right();
      const int down = rect.Height() - m.Top() - m.Bottom();
      switch (align) {
        case alTop:
          c->PlaceBounds(rect.Left + m.Left(), rect.Top + m.Top(), across, c->height_);
          rect.Top += c->height_ + m.Top() + m.Bottom();
          break;
        case alBottom:
          c->PlaceBounds(rect.Left + m.Left(), rect.Bottom - m.Bottom() - c->height_, across,
                         c->height_);
          rect.Bottom -= c->height_ + m.Top() + m.Bottom();
          break;
        case alLeft:
          c->PlaceBounds(rect.Left + m.Left(), rect.Top + m.Top(), c->width_, down);
          rect.Left += c->width_ + m.Left() + m.Right();
          break;
        case alRight:
          c->PlaceBounds(rect.Right - m.Right() - c->width_, rect.Top + m.Top(), c->width_, down);
          rect.Right -= c->width_ + m.Left() + m.Right();
          break;
        case alClient:
          c->PlaceBounds(rect.Left + m.Left(), rect.Top + m.Top(), across, down);
          break;
        case alNone:
          break;
      }
    }
  }
}

void TWinControl::ClientSizeChanged(TSize previous) {
  if (previous == TSize{ClientWidth(), ClientHeight()}) return;
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) child->ParentClientResized();
  Realign();
}

void TWinControl::Resize() { TControl::Resize(); }

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

// --- painting controls ------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::PaintWindow(TCanvas&) { Paint(); }

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(TCanvas&) { Paint(); }

}  // namespace mirto
