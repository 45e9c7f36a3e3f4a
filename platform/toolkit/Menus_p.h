#pragma once

// Platform-internal: the toolkit menu behind an open popup menu and the
// toolkit action behind a shown entry. Only platform sources and tests
// include this header.

class QAccessibleInterface;
class QAction;
class QImage;
class QObject;
class QString;
class QMenu;
class QWidget;

namespace mirto {

class TCustomImageList;
class TMenuItem;
class TPopupMenu;

struct PopupMenuAccess {
  // The open menu, or null while the popup menu is closed.
  static QMenu* OpenMenu(const TPopupMenu& menu);
  // Whether object is a toolkit menu showing the entries of a popup menu
  // (the open menu or one of its sub-menus).
  static bool ShowsPopupMenu(const QObject* object);
};

struct MenuItemAccess {
  // The toolkit action showing item in the open menu, or null.
  static QAction* ShownAction(const TMenuItem& item);
  // Records action as the one showing item while the menu is open.
  static void Bind(TMenuItem& item, QAction* action);
  // The item a toolkit action shows, or null (not an entry of a popup menu,
  // or the item is gone).
  static TMenuItem* ItemShownBy(const QAction* action);
};

// Shows item's text, picture and state in action (MenuEntries.cpp).
void ApplyMenuItem(QAction& action, const TMenuItem& item, TCustomImageList* images);
// A new toolkit menu for popup's entries (a sub-menu's too), owner-drawn
// when popup is; parent is the window it opens for, or null.
QMenu* NewMenuWidget(TPopupMenu& popup, QWidget* parent);
// Adds an entry to menu for each of parent's items, a sub-menu for each
// item with items of its own, each bound to the item it shows.
void FillMenu(QMenu& menu, TMenuItem& parent, TPopupMenu& popup);

// Picture index of images as a menu entry shows it, enabled or disabled, at a
// whole factor (its pixel ratio tells the toolkit how large it shows).
QImage MenuEntryPicture(TCustomImageList& images, int index, bool enabled, int factor);

// What an open popup menu and its entries tell assistive technology (an
// entry's caption as its name); null for other objects.
QAccessibleInterface* PopupMenuAccessible(const QString& className, QObject* object);

}  // namespace mirto
