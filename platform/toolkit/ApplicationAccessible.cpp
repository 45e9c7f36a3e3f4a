// What assistive technology finds at the root of the program: its windows
// and the popups open on their own. The toolkit's root leaves every popup
// out, assuming each is reached through the menu bar or menu it drops from;
// a popup menu opened at a point (the title bar's menus, the program
// buttons' and the tray icon's) drops from nothing, and would be reachable
// by no one.

#include <QAccessible>
#include <QAccessibleObject>
#include <QGuiApplication>
#include <QWindow>
#include <vector>

#include "platform/toolkit/Control_p.h"

namespace mirto {

namespace {

// A popup is listed while it shows, unless it belongs to something else (a
// sub-menu is the child of the entry it drops from).
bool ListedPopup(const QWindow& popup, const QAccessibleInterface& root) {
  if (!popup.isVisible()) return false;
  const QAccessibleInterface* parent = root.parent();
  return parent != nullptr && parent->object() == QCoreApplication::instance();
}

std::vector<QAccessibleInterface*> TopLevels() {
  std::vector<QAccessibleInterface*> listed;
  for (QWindow* window : QGuiApplication::topLevelWindows()) {
    if (window->type() == Qt::Desktop) continue;
    QAccessibleInterface* root = window->accessibleRoot();
    if (root == nullptr || root->object() == nullptr) continue;
    if (window->type() == Qt::Popup && !ListedPopup(*window, *root)) continue;
    listed.push_back(root);
  }
  return listed;
}

class ApplicationInterface : public QAccessibleObject {
 public:
  ApplicationInterface() : QAccessibleObject(QCoreApplication::instance()) {}

  QAccessible::Role role() const override { return QAccessible::Application; }
  QAccessible::State state() const override { return {}; }
  QString text(QAccessible::Text kind) const override {
    switch (kind) {
      case QAccessible::Name:
        return QCoreApplication::applicationName();
      case QAccessible::Description:
        return QCoreApplication::applicationFilePath();
      default:
        return {};
    }
  }
  // The program has several windows; none of them is the application's.
  QWindow* window() const override { return nullptr; }

  QAccessibleInterface* parent() const override { return nullptr; }
  int childCount() const override { return static_cast<int>(TopLevels().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QAccessibleInterface*> listed = TopLevels();
    if (index < 0 || index >= static_cast<int>(listed.size())) return nullptr;
    return listed[static_cast<std::size_t>(index)];
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<QAccessibleInterface*> listed = TopLevels();
    for (std::size_t i = 0; i < listed.size(); ++i)
      if (listed[i] == child) return static_cast<int>(i);
    return -1;
  }

  // An open popup has the keyboard, whichever window the system calls active.
  QAccessibleInterface* focusChild() const override {
    for (QWindow* window : QGuiApplication::topLevelWindows())
      if (QAccessibleInterface* root = window->accessibleRoot();
          root != nullptr && window->type() == Qt::Popup && ListedPopup(*window, *root))
        return root;
    QWindow* focused = QGuiApplication::focusWindow();
    return focused != nullptr ? focused->accessibleRoot() : nullptr;
  }
};

}  // namespace

QAccessibleInterface* ApplicationAccessible(const QString&, QObject* object) {
  if (object == nullptr || object != QCoreApplication::instance()) return nullptr;
  return new ApplicationInterface;
}

}  // namespace mirto
