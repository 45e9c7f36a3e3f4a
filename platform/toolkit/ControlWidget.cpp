// The Qt widget bridge: the widget behind every control turns Qt's events
// into the control's notifications (mouse, keys, wheel, the window's own
// events) and its paint requests into the control's picture, each as one
// control event. The jobs around it have units of their own: the picture
// (ControlPainting.cpp), the focus (ControlFocus.cpp), the counting of
// events and what waits for their end (ControlDispatch.cpp), the pointer's
// last state (PointerState.cpp) and the window's geometry
// (WindowGeometry.cpp).

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QWheelEvent>
#include <optional>
#include <utility>
#include <vector>

#include "platform/toolkit/ControlAccess_p.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/ShortCut_p.h"

namespace mirto {

namespace {

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

}  // namespace

// --- helpers shared by the platform ---------------------------------------

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
    if (button == mbLeft) NoteLeftPress(*this);
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

}  // namespace mirto
