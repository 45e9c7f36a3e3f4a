// The Qt widget bridge: the widget behind every control forwards Qt's
// events to the control's notifications, counts the events being handled and
// keeps the widgets and controls whose destruction has to wait for the end of
// the outermost one. Focus tracking and painting into the control's picture
// live here too.

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "platform/drawing/Canvas_p.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/PaintFactor.h"
#include "platform/toolkit/ShortCut_p.h"
#include "platform/toolkit/WindowManagerHints.h"

namespace mirto {

namespace {

int g_eventsInProgress = 0;
int g_paintsInProgress = 0;
PointerState g_lastPointer;
QPointer<ControlWidget> g_pressedWidget;
// Whether the left press last seen may still start a window move.
bool g_leftPressUnused = false;

void NotePointer(const QMouseEvent& e) {
  g_lastPointer.global = e.globalPosition().toPoint();
  g_lastPointer.buttons = e.buttons();
  const bool press =
      e.type() == QEvent::MouseButtonPress || e.type() == QEvent::MouseButtonDblClick;
  if (press && e.button() == Qt::LeftButton) g_leftPressUnused = true;
  if (!(e.buttons() & Qt::LeftButton)) g_leftPressUnused = false;
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

void ConnectFocusTracking();

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

  // The picture covers the part of the control to be painted, with the
  // screen's whole factor of pixels per logical pixel; the toolkit scales it
  // by whatever fraction of the screen's ratio is left.
  static void Paint(TControl& control, QWidget& widget, const QRect& rect) {
    const QRect part = rect.intersected(QRect(0, 0, control.width_, control.height_));
    if (part.isEmpty()) return;
    int factor = PaintFactorFor(widget.devicePixelRatioF());
    // A picture too large for its factor falls back to logical pixels.
    constexpr long long kMaxSide = 1LL << 15;
    if (1LL * part.width() * factor > kMaxSide || 1LL * part.height() * factor > kMaxSide)
      factor = 1;
    QImage buffer(part.width() * factor, part.height() * factor,
                  QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(factor);
    buffer.fill(Qt::transparent);
    PaintLayer(control, buffer, Point(part.left(), part.top()),
               Rect(0, 0, part.width(), part.height()), 0);
    QPainter painter(&widget);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(part), buffer, QRectF(buffer.rect()));
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
  static void KeyPress(TWinControl& c, QChar& key) { c.KeyPress(key); }
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

}  // namespace

int& PaintsInProgress() { return g_paintsInProgress; }

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

void ReleaseLater(ControlWidget& widget) {
  Deferred().released.emplace_back(&widget);
  // Outside an event the next turn of the event loop destroys it; inside one,
  // the end of the outermost event does.
  if (!ControlEventInProgress()) PostDeferredFlush();
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

bool TakeLeftPressForMove() {
  if (!(g_lastPointer.buttons & Qt::LeftButton) || !g_leftPressUnused) return false;
  g_leftPressUnused = false;
  return true;
}

void ForgetLeftButton() {
  g_lastPointer.buttons &= ~Qt::MouseButtons(Qt::LeftButton);
  g_leftPressUnused = false;
}

void CancelPendingClick() {
  if (g_pressedWidget.isNull() || g_pressedWidget->Control() == nullptr) return;
  ControlAccess::LeftPressed(*g_pressedWidget->Control()) = false;
}

void DispatchFor(TControl& control, const std::function<void()>& work) {
  ControlWidget* widget = ControlAccess::Widget(control);
  DispatchScope scope(ControlAccess::Dispatching(*widget));
  work();
}

void EnterControl(TControl& control) {
  DispatchFor(control, [&control] { ControlAccess::MouseEnter(control); });
}

void LeaveControl(TControl& control) {
  DispatchFor(control, [&control] { ControlAccess::MouseLeave(control); });
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

Qt::WindowFlags OwnedWindowFlags(Qt::WindowFlags flags) {
  if ((flags & Qt::WindowType_Mask) != Qt::Window) return flags;
  return (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
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
  if (e->type() == QEvent::Show && isWindow()) ratio_ = devicePixelRatioF();
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

void ControlWidget::changeEvent(QEvent* e) {
  // Assistive technology reads a window's states when the window first
  // shows, so a window never on screen has nobody to announce a change to;
  // announcing it anyway starts the toolkit's accessibility bridge, whose
  // connection to the session bus would hold up the building of the first
  // window.
  if (e->type() == QEvent::EnabledChange) {
    if (const TControl* owner = ControlFromWidget(window());
        owner != nullptr && !owner->everShown_) {
      update();
      return;
    }
  }
  QWidget::changeEvent(e);
}

void ControlWidget::paintEvent(QPaintEvent* e) {
  if (control_ == nullptr) return;
  DispatchScope scope(dispatching_);
  ControlAccess::Paint(*control_, *this, e->rect());
}

void ControlWidget::DispatchMouseButton(QMouseEvent* e, const MouseButtonHandler& handler) {
  NotePointer(*e);
  const auto button = MouseButtonOf(e->button());
  if (control_ == nullptr || !button) return;
  DispatchScope scope(dispatching_);
  handler(*button, ShiftStateOf(e->modifiers(), e->buttons()), e->position().toPoint());
}

void ControlWidget::mousePressEvent(QMouseEvent* e) {
  DispatchMouseButton(e, [this](TMouseButton button, TShiftState shift, QPoint p) {
    if (button == mbLeft) {
      ControlAccess::LeftPressed(*control_) = true;
      g_pressedWidget = this;
    }
    ControlAccess::MouseDown(*control_, button, shift, p.x(), p.y());
  });
}

void ControlWidget::mouseMoveEvent(QMouseEvent* e) {
  NotePointer(*e);
  if (control_ == nullptr) return;
  DispatchScope scope(dispatching_);
  const QPoint p = e->position().toPoint();
  ControlAccess::MouseMove(*control_, ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* e) {
  DispatchMouseButton(e, [this](TMouseButton button, TShiftState shift, QPoint p) {
    if (button == mbLeft && ControlAccess::LeftPressed(*control_)) {
      ControlAccess::LeftPressed(*control_) = false;
      if (ControlAccess::ClicksOnRelease(*control_) && rect().contains(p))
        ControlAccess::Click(*control_);
      if (control_ == nullptr) return;  // the click handler destroyed the control
    }
    ControlAccess::MouseUp(*control_, button, shift, p.x(), p.y());
  });
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  DispatchMouseButton(e, [this](TMouseButton button, TShiftState shift, QPoint p) {
    shift.Include(ssDouble);
    if (button == mbLeft) ControlAccess::DblClick(*control_);
    if (control_ == nullptr) return;  // the handler destroyed the control
    ControlAccess::MouseDown(*control_, button, shift, p.x(), p.y());
  });
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

namespace {

// The printable character a key press types, when neither Ctrl nor Alt is
// held; the null character otherwise.
QChar TypedCharacter(const QKeyEvent& e) {
  if (e.type() != QEvent::KeyPress) return {};
  if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
  const QString text = e.text();
  if (text.size() != 1 || !text[0].isPrint()) return {};
  return text[0];
}

}  // namespace

void ControlWidget::DispatchKey(QKeyEvent* e, KeyHandler handler) {
  const std::uint16_t virtualKey = VirtualKeyOf(e->key(), e->modifiers());
  auto* start = dynamic_cast<TWinControl*>(control_);
  if (start == nullptr) {
    e->ignore();
    return;
  }
  DispatchScope scope(dispatching_);
  // The controls whose turn it is, in order: the focused one, then its
  // parents up to the window; a window with KeyPreview takes its turn first.
  TForm* form = GetParentForm(*start);
  const bool preview = form != nullptr && form != start && form->KeyPreview();
  std::vector<std::pair<TWinControl*, TLifeWatch>> turns;
  if (preview) turns.emplace_back(form, form->LifeWatch());
  for (TWinControl* c = start; c != nullptr; c = c->Parent())
    if (!(preview && c == form)) turns.emplace_back(c, c->LifeWatch());
  const TShiftState shift = ShiftStateOf(e->modifiers(), Qt::NoButton);
  const QChar typed = TypedCharacter(*e);
  // One control's turn: the key, then the character it types; true when the
  // control took either, or when a handler destroyed it (the key ends there).
  const auto takes = [&](TWinControl& control, const TLifeWatch& watch) {
    std::uint16_t key = virtualKey;
    if (key != 0) handler(control, key, shift);
    if ((virtualKey != 0 && key == 0) || !watch.Alive()) return true;
    if (typed.isNull()) return false;
    QChar character = typed;
    ControlAccess::KeyPress(control, character);
    return character.isNull() || !watch.Alive();
  };
  for (const auto& [control, watch] : turns)
    if (watch.Alive() && takes(*control, watch)) break;
  // Every control up to the window has had its turn: the toolkit hands the
  // key to no parent.
  e->accept();
}

void ControlWidget::resizeEvent(QResizeEvent*) {
  // Only the window manager resizes windows behind the control's back.
  if (control_ == nullptr || !isWindow() || !isVisible()) return;
  // A window moved to a screen of another scale keeps its size in the
  // screen's pixels, so its logical size would shrink or grow by the ratio
  // of the two scales; it keeps its logical size instead (once the move has
  // settled), since every layout is in logical pixels.
  const double before = std::exchange(ratio_, devicePixelRatioF());
  if (before > 0 && ratio_ != before) {
    const QSize kept(control_->Width(), control_->Height());
    const auto near = [](int seen, double wanted) { return std::abs(seen - wanted) <= 1.0; };
    if (near(width(), kept.width() * before / ratio_) &&
        near(height(), kept.height() * before / ratio_)) {
      QTimer::singleShot(0, this, [this, kept] { resize(kept); });
      return;
    }
  }
  {
    DispatchScope scope(dispatching_);
    ControlAccess::WindowResized(*control_, size());
  }
  // A size the window's limits forbid (a window manager that maximises a
  // window of fixed size, say) is undone: the window asks for the size its
  // control kept, once out of a maximised state (which many window managers
  // keep up against any request).
  if (control_ != nullptr && size() != QSize(control_->Width(), control_->Height()))
    QTimer::singleShot(0, this, [this] {
      if (control_ == nullptr) return;
      LeaveMaximisedStates(*this);
      resize(control_->Width(), control_->Height());
    });
}

void ControlWidget::moveEvent(QMoveEvent*) {
  if (control_ == nullptr || !isWindow() || !isVisible()) return;
  ControlAccess::WindowMoved(*control_, pos());
}

}  // namespace mirto
