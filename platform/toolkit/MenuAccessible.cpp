// What assistive technology learns about an open popup menu and its entries.
// The menu is a popup menu whose children are its entries, the one
// highlighted being its focus. The toolkit would name an entry by its whole
// text, shortcut included; an entry of a popup menu is named by its caption
// without accelerator marks, and its shortcut is its accelerator.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Menus_p.h"

namespace mirto {

namespace {

// The menu that shows action as one of its entries.
QMenu* MenuShowing(const QAction* action) {
  if (action == nullptr) return nullptr;
  for (QObject* object : action->associatedObjects())
    if (auto* menu = qobject_cast<QMenu*>(object); menu != nullptr && menu != action->menu())
      return menu;
  return nullptr;
}

// The open menu, or one of its sub-menus: a top-level popup of the
// application, or the child of the entry it drops from.
class MenuInterface : public QAccessibleWidget {
 public:
  explicit MenuInterface(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

  QAccessibleInterface* parent() const override {
    QAction* opener = Menu()->menuAction();
    if (MenuShowing(opener) != nullptr) return QAccessible::queryAccessibleInterface(opener);
    return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
  }

  // The entries in the order of the menu's actions, whose indexes the menu's
  // own focus events carry.
  int childCount() const override { return static_cast<int>(Menu()->actions().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QAction*> actions = Menu()->actions();
    if (index < 0 || index >= actions.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(actions.at(index));
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    return static_cast<int>(Menu()->actions().indexOf(qobject_cast<QAction*>(child->object())));
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAction* action = Menu()->actionAt(Menu()->mapFromGlobal(QPoint(x, y)));
    return action != nullptr ? QAccessible::queryAccessibleInterface(action) : nullptr;
  }

  // The highlighted entry.
  QAccessibleInterface* focusChild() const override {
    QAction* highlighted = Menu()->activeAction();
    return highlighted != nullptr ? QAccessible::queryAccessibleInterface(highlighted) : nullptr;
  }

 private:
  QMenu* Menu() const { return static_cast<QMenu*>(widget()); }
};

class MenuEntryInterface : public QAccessibleObject, public QAccessibleActionInterface {
 public:
  explicit MenuEntryInterface(QAction* action) : QAccessibleObject(action), action_(action) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QAccessibleInterface* parent() const override {
    QMenu* menu = action_.isNull() ? nullptr : MenuShowing(action_);
    return menu != nullptr ? QAccessible::queryAccessibleInterface(menu) : nullptr;
  }
  QWindow* window() const override {
    QAccessibleInterface* menu = parent();
    return menu != nullptr ? menu->window() : nullptr;
  }
  int childCount() const override { return SubMenu() != nullptr ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && SubMenu() != nullptr ? QAccessible::queryAccessibleInterface(SubMenu())
                                              : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() == SubMenu() ? 0 : -1;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QRect rect() const override {
    QMenu* menu = action_.isNull() ? nullptr : MenuShowing(action_);
    if (menu == nullptr) return {};
    const QRect local = menu->actionGeometry(action_);
    return QRect(menu->mapToGlobal(local.topLeft()), local.size());
  }

  QAccessible::Role role() const override {
    if (action_.isNull()) return QAccessible::NoRole;
    return action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
  }

  QString text(QAccessible::Text kind) const override {
    if (action_.isNull()) return {};
    const QString shown = action_->text();
    const qsizetype tab = shown.indexOf(u'\t');
    switch (kind) {
      case QAccessible::Name: {
        if (action_->isSeparator()) return {};
        const TMenuItem* item = MenuItemAccess::ItemShownBy(action_);
        return StripHotkey(item != nullptr ? item->Caption() : shown.left(tab));
      }
      case QAccessible::Accelerator:
        return tab < 0 ? QString() : shown.mid(tab + 1);
      case QAccessible::Description:
        return action_->statusTip();
      default:
        return {};
    }
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (action_.isNull()) {
      s.invalid = true;
      return s;
    }
    QMenu* menu = MenuShowing(action_);
    s.disabled = !action_->isEnabled();
    s.invisible = !action_->isVisible() || menu == nullptr || !menu->isVisible();
    s.focusable = !action_->isSeparator();
    s.focused = menu != nullptr && menu->activeAction() == action_;
    s.checkable = action_->isCheckable();
    s.checked = action_->isChecked();
    s.hasPopup = action_->menu() != nullptr;
    return s;
  }

  QStringList actionNames() const override {
    if (action_.isNull() || action_->isSeparator() || !action_->isEnabled()) return {};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    if (name != pressAction() || action_.isNull() || !action_->isEnabled()) return;
    QMenu* menu = MenuShowing(action_);
    if (menu == nullptr) return;
    // As a choice by key: the entry becomes active and Enter takes it.
    menu->setActiveAction(action_);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
  }
  // The entry's shortcut, as the menu shows it beside the caption.
  QStringList keyBindingsForAction(const QString& name) const override {
    const QString shortcut = text(QAccessible::Accelerator);
    if (name != pressAction() || shortcut.isEmpty()) return {};
    return {shortcut};
  }

 private:
  QMenu* SubMenu() const { return action_.isNull() ? nullptr : action_->menu(); }

  QPointer<QAction> action_;
};

}  // namespace

QAccessibleInterface* PopupMenuAccessible(const QString&, QObject* object) {
  if (PopupMenuAccess::ShowsPopupMenu(object))
    return new MenuInterface(qobject_cast<QMenu*>(object));
  auto* action = qobject_cast<QAction*>(object);
  if (action != nullptr && PopupMenuAccess::ShowsPopupMenu(MenuShowing(action)))
    return new MenuEntryInterface(action);
  return nullptr;
}

}  // namespace mirto
