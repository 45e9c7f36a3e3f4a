#pragma once

// Platform-internal: the native widget behind every control, and the way
// from a control to its widget and back. Only platform .cpp files (and the
// tests) include this header.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/toolkit/Control.h"

class QAccessibleInterface;
class QMouseEvent;

namespace mirto {

// The widget a control owns. It forwards Qt's events to the control's
// virtual notifications and survives the control while it is still handling
// one of them (a handler may destroy its own control).
class ControlWidget : public QWidget {
 public:
  explicit ControlWidget(TControl* control);
  ~ControlWidget() override;

  // nullptr once the control is gone.
  TControl* Control() const { return control_; }
  // Events of this widget being handled right now (nested ones counted).
  int Dispatching() const { return dispatching_; }

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  friend class TControl;
  friend class ControlAccess;
  using KeyHandler = void (*)(TWinControl&, std::uint16_t& key, TShiftState);
  // Hands a key press or release to the control's handler in virtual-key terms.
  void DispatchKey(QKeyEvent* event, KeyHandler handler);
  using MouseButtonHandler = std::function<void(TMouseButton, TShiftState, QPoint)>;
  // Hands a press, release or double click of a button the control knows to
  // handler, with the shift state and the point in client coordinates.
  void DispatchMouseButton(QMouseEvent* event, const MouseButtonHandler& handler);

  TControl* control_;
  int dispatching_ = 0;
  // On a window: the control that has the window's focus (entered last).
  QPointer<ControlWidget> entered_;
  // On a window: the screen's device pixel ratio its size was last taken at.
  double ratio_ = 0;
};

// The widget that shows control (never nullptr while the control lives).
QWidget* NativeWidget(const TControl& control);
// The control a widget belongs to: the widget's own control or that of its
// nearest ancestor; nullptr when none.
TControl* ControlFromWidget(const QWidget* widget);

// Counts one event of a widget as being handled, by its widget and
// program-wide; the end of the outermost one posts the flush of what waits
// for it (ControlDispatch.cpp).
class DispatchScope {
 public:
  explicit DispatchScope(int& widgetCounter);
  ~DispatchScope();
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;

 private:
  int& counter_;
};

// Whether an event of any control is being handled right now: deletions of
// widgets are deferred until it ends.
bool ControlEventInProgress();
// Paints being made right now (a repaint inside one is only scheduled).
int& PaintsInProgress();
// Destroys the widget of a control that is going away; while a control
// event is being handled it is hidden and destroyed after the outermost one.
void DisposeWidget(ControlWidget* widget);
// Destroys the control of widget after the current (outermost) event.
void ReleaseLater(ControlWidget& widget);
// Moves the keyboard focus to the window when widget (or one inside it)
// holds it and is about to be hidden, disabled or destroyed.
void ParkFocusOnWindow(QWidget& widget);
// Lets the controls of the current application object hear the focus move
// (idempotent per application object; ControlFocus.cpp).
void ConnectFocusTracking();
// Destroys what waits for the end of the outermost control event, unless an
// event is still being handled.
void FlushDeferredDeletions();
// How often a flush of deferred deletions was posted to the event loop.
int DeferredFlushPosts();

// Where the pointer was, and which buttons were held, at the last mouse
// event a control received.
struct PointerState {
  QPoint global;
  Qt::MouseButtons buttons;
};
const PointerState& LastPointer();
// Notes a mouse event a control received (PointerState.cpp).
void NotePointer(const QMouseEvent& event);
// The left button went down on widget's control: its release there clicks.
void NoteLeftPress(ControlWidget& widget);
// Whether a window move may start now: the left button is held since a
// press that has not started a move yet. A yes uses that press up, so one
// press moves the window once. The release of a move the window manager
// carries out never reaches the program, so the events after it may still
// say the button is held; only the next press makes a move possible again.
bool TakeLeftPressForMove();
// The left button counts as released (the window manager took its release).
void ForgetLeftButton();
// The control pressed with the left button last no longer turns the
// release into a click.
void CancelPendingClick();

// Clicks control as a press of the user would, as one control event (what
// the click handler destroys is destroyed once it has returned).
void PressControl(TControl& control);

// Runs work as one event of control (deletions wait until it is done).
void DispatchFor(TControl& control, const std::function<void()>& work);
// The pointer enters or leaves control as far as the control can tell (a
// drag over it shows its pointer-over look through these).
void EnterControl(TControl& control);
void LeaveControl(TControl& control);

// Lets the widgets of controls, open popup menus and their entries and the
// application's root answer accessibility queries (idempotent). Installed
// before the first query of the root, which is then answered by the
// program's own.
void InstallControlAccessibility();
// The application's root: its windows and the popups open on their own;
// null for other objects.
QAccessibleInterface* ApplicationAccessible(const QString& className, QObject* object);

// The flags of a window that belongs to another one: a plain window becomes
// a dialog, which the window manager keeps above its owner and off the
// taskbar.
Qt::WindowFlags OwnedWindowFlags(Qt::WindowFlags flags);

// Shift state of Qt's keyboard modifiers and mouse buttons.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

}  // namespace mirto
