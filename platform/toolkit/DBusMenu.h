#pragma once

// Platform-internal: a popup menu served on the session bus in the desktop's
// menu protocol (com.canonical.dbusmenu), for a tray host that draws the
// menu itself: the entries with their captions, pictures, shortcuts,
// separators and enabled states go out, the host's clicks come back to the
// entries. Only platform sources include this header; it is built where the
// toolkit has D-Bus.

#include <QString>
#include <functional>
#include <memory>

class QDBusConnection;

namespace mirto {

class TPopupMenu;

class TDBusMenu {
 public:
  // menu() names the menu at every request of the host; null serves an
  // empty menu.
  explicit TDBusMenu(std::function<TPopupMenu*()> menu);
  ~TDBusMenu();
  TDBusMenu(const TDBusMenu&) = delete;
  TDBusMenu& operator=(const TDBusMenu&) = delete;

  // Serves the menu at path on connection from now on; false when the path
  // is taken there.
  bool Export(QDBusConnection& connection, const QString& path);
  // Tells the host to fetch the menu again when it changed since the host
  // last did.
  void CheckForChanges();

 private:
  class Object;
  std::unique_ptr<Object> object_;
};

// A caption in the protocol's notation: "_" marks the accelerator and "__"
// is one underscore ("&Open" -> "_Open", "A && B" -> "A & B", "a_b" ->
// "a__b").
QString DBusMenuLabel(const QString& caption);

}  // namespace mirto
