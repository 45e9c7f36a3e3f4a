// The keyboard focus as the controls see it: Qt's focus changes become the
// controls' exit and enter notifications and a focus change every control
// of the window hears, and a control about to lose its widget's focus by
// hiding, disabling or destruction gives it to its window.

#include <QApplication>
#include <QPointer>

#include "platform/toolkit/ControlAccess_p.h"

namespace mirto {

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

}  // namespace

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

}  // namespace mirto
