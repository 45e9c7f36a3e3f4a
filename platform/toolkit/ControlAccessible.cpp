// What assistive technology learns about a control: its widget answers the
// platform's accessibility queries from the control's own fields.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/Memo_p.h"
#include "platform/toolkit/Menus_p.h"

namespace mirto {

namespace {

QAccessible::Role QtRoleOf(TAccessibleRole role) {
  switch (role) {
    case arWindow:
      return QAccessible::Window;
    case arPushButton:
      return QAccessible::PushButton;
    case arStaticText:
      return QAccessible::StaticText;
    case arLink:
      return QAccessible::Link;
    case arEdit:
      return QAccessible::EditableText;
    case arPanel:
      break;
  }
  return QAccessible::Pane;
}

bool Pressable(TAccessibleRole role) { return role == arPushButton || role == arLink; }

// The control may be destroyed or disabled before its turn comes.
void QueuePress(ControlWidget* widget) {
  QMetaObject::invokeMethod(
      widget,
      [target = QPointer<ControlWidget>(widget)] {
        TControl* control = target.isNull() ? nullptr : target->Control();
        if (control != nullptr && control->Enabled()) PressControl(*control);
      },
      Qt::QueuedConnection);
}

class ControlAccessible : public QAccessibleWidget {
 public:
  explicit ControlAccessible(ControlWidget* widget) : QAccessibleWidget(widget) {}

  QAccessible::Role role() const override {
    const TControl* control = Control();
    return control != nullptr ? QtRoleOf(control->AccessibleRole()) : QAccessibleWidget::role();
  }

  QString text(QAccessible::Text kind) const override {
    const TControl* control = Control();
    if (control == nullptr) return QAccessibleWidget::text(kind);
    switch (kind) {
      case QAccessible::Name:
        // A widget inside that takes the focus (a memo's text box) carries
        // the name; saying it twice would read it twice.
        return widget()->focusProxy() != nullptr ? QString() : control->AccessibleName();
      case QAccessible::Description:
        return control->Hint();
      case QAccessible::Accelerator:
        return control->HintKey();
      default:
        return QAccessibleWidget::text(kind);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State result = QAccessibleWidget::state();
    const TControl* control = Control();
    if (control == nullptr) return result;
    result.pressed = control->AccessiblePressed();
    result.disabled = !control->AccessibleEnabled();
    result.focused = widget()->hasFocus();
    result.invisible = !control->Showing();
    return result;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    const TControl* control = Control();
    if (control != nullptr && Pressable(control->AccessibleRole())) names.prepend(pressAction());
    return names;
  }

  // The press returns at once and the click runs from the event loop: a
  // click may open a popup menu or a modal window, and the assistive
  // technology waiting for the answer must not wait for those to close.
  void doAction(const QString& name) override {
    TControl* control = Control();
    if (control != nullptr && name == pressAction() && Pressable(control->AccessibleRole())) {
      if (control->Enabled()) QueuePress(static_cast<ControlWidget*>(widget()));
      return;
    }
    QAccessibleWidget::doAction(name);
  }

 private:
  TControl* Control() const { return static_cast<const ControlWidget*>(widget())->Control(); }
};

QAccessibleInterface* ControlAccessibleFactory(const QString&, QObject* object) {
  if (auto* widget = dynamic_cast<ControlWidget*>(object)) return new ControlAccessible(widget);
  return nullptr;
}

}  // namespace

void InstallControlAccessibility() {
  // The factory list belongs to the process, not to one application object.
  static const bool installed = [] {
    QAccessible::installFactory(&ApplicationAccessible);
    QAccessible::installFactory(&ControlAccessibleFactory);
    QAccessible::installFactory(&PopupMenuAccessible);
    QAccessible::installFactory(&MemoTableAccessible);
    return true;
  }();
  (void)installed;
}

}  // namespace mirto
