#include "tests/support/ToolkitSeam.h"

#include "platform/toolkit/Action_p.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/Menus_p.h"
#include "platform/toolkit/ShortCut_p.h"
#include "platform/toolkit/TrayIcon_p.h"

namespace mirto::testing {

QWidget* NativeWidgetOf(const TControl& control) { return NativeWidget(control); }

int DeferredFlushPostsSoFar() { return DeferredFlushPosts(); }

QMenu* OpenMenuOf(const TPopupMenu& menu) { return PopupMenuAccess::OpenMenu(menu); }

QAction* ShownActionOf(const TMenuItem& item) { return MenuItemAccess::ShownAction(item); }

void BindShortcutsTo(TActionList& list, QWidget* widget) { SetShortcutWindow(list, widget); }

QWidget* ShortcutWindowOf(const TActionList& list) { return ShortcutWindow(list); }

std::uint16_t VirtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  return VirtualKeyOf(qtKey, modifiers);
}

TShortCut ShortCutOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  return ShortCutFromQtKey(qtKey, modifiers);
}

QKeySequence KeySequenceOf(TShortCut shortCut) { return ShortCutToKeySequence(shortCut); }

QSystemTrayIcon* NativeTrayIconOf(const TTrayIcon& tray) { return TrayIconAccess::Native(tray); }

}  // namespace mirto::testing
