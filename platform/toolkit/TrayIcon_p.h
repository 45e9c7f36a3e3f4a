#pragma once

// Platform-internal: the toolkit's tray icon behind a TTrayIcon. Only
// platform sources and tests include this header.

class QSystemTrayIcon;

namespace mirto {

class TTrayIcon;

struct TrayIconAccess {
  // Null until the tray icon was first shown.
  static QSystemTrayIcon* Native(const TTrayIcon& tray);
};

}  // namespace mirto
