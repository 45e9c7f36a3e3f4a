#pragma once

// The tests' door into the window toolkit: the native widget behind a
// control, the open menu behind a popup menu, the window an action list's
// shortcuts act in, the key translation and the tray icon, for handing them
// input and queries the way the window system would. Tests use this instead
// of the toolkit's internal headers.

#include <QKeySequence>
#include <QWidget>
#include <Qt>
#include <cstdint>

#include "platform/toolkit/ShortCut.h"

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace mirto {
class TActionList;
class TControl;
class TMenuItem;
class TPopupMenu;
class TTrayIcon;
}  // namespace mirto

namespace mirto::testing {

// The widget that shows control (never null while the control lives).
QWidget* NativeWidgetOf(const TControl& control);
// How often a flush of deferred deletions was posted to the event loop.
int DeferredFlushPostsSoFar();

// The open menu of a popup menu, or null while it is closed.
QMenu* OpenMenuOf(const TPopupMenu& menu);
// The toolkit action showing item in its open menu, or null.
QAction* ShownActionOf(const TMenuItem& item);

// Binds list's shortcuts to the window of widget.
void BindShortcutsTo(TActionList& list, QWidget* widget);
// The window list's shortcuts act in now, or null.
QWidget* ShortcutWindowOf(const TActionList& list);

// The key translation controls and menus use: the virtual-key code of a
// toolkit key, the shortcut a key press forms, and the key sequence a menu
// entry shows for a shortcut.
std::uint16_t VirtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
TShortCut ShortCutOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
QKeySequence KeySequenceOf(TShortCut shortCut);

// The toolkit's tray icon, null until the tray icon was first shown.
QSystemTrayIcon* NativeTrayIconOf(const TTrayIcon& tray);

}  // namespace mirto::testing
