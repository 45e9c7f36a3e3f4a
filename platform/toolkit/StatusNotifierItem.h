#pragma once

// Platform-internal: the tray icon as an item of a StatusNotifier host on
// the session bus (the desktop's panel draws the icon and, from the menu the
// item exports, the menu; it sends clicks and menu requests back). The item
// looks at the menu twice a second and tells the host of changes. Each
// shown item has a connection of its own, so that hiding it leaves the bus
// at once. Only platform sources include this header; it is built where the
// toolkit has D-Bus.

#include <QString>
#include <functional>
#include <memory>

class QIcon;

namespace mirto {

class TPopupMenu;

class TStatusNotifierItem {
 public:
  // menu() names the menu the host draws, at each of its requests.
  explicit TStatusNotifierItem(std::function<TPopupMenu*()> menu);
  ~TStatusNotifierItem();
  TStatusNotifierItem(const TStatusNotifierItem&) = delete;
  TStatusNotifierItem& operator=(const TStatusNotifierItem&) = delete;

  // Whether the session bus has a StatusNotifier watcher that a host has
  // registered with (a panel is there to show items).
  static bool HostAvailable();

  // Connects, puts the item and its menu on the bus and registers with the
  // watcher (again whenever a watcher starts); false when the bus cannot be
  // reached.
  bool Show();

  void SetIcon(const QIcon& icon);
  void SetToolTip(const QString& text);

  // The host's requests, each after its answer went out: a click on the
  // icon, and the menu asked for at a screen point (in the program's
  // coordinates).
  std::function<void()> OnActivate;
  std::function<void(int x, int y)> OnContextMenu;

 private:
  class Object;
  std::unique_ptr<Object> object_;
};

}  // namespace mirto
