#pragma once

// The program's icon in the desktop's notification area (tray): an icon with
// a hint, reacting to clicks and opening a popup menu on a right click.

#include <QString>
#include <functional>
#include <memory>

#include "platform/drawing/Types.h"
#include "platform/toolkit/Component.h"

namespace mirto {

class TIcon;
class TPopupMenu;

class TTrayIcon : public TComponent {
 public:
  explicit TTrayIcon(TComponent* owner = nullptr);
  ~TTrayIcon() override;

  // Whether the desktop offers a notification area at all. Without one a
  // visible tray icon shows nowhere, so a window should not hide itself
  // into the tray.
  static bool IsSystemTrayAvailable();

  // Hidden by default. Showing needs an icon; one without shows a blank icon.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // The owned icon; changes to it show at once.
  const TIcon& Icon() const { return *icon_; }
  TIcon& Icon() { return *icon_; }
  // Copies icon into the owned one.
  void SetIcon(const TIcon& icon);

  // Tooltip text.
  const QString& Hint() const { return hint_; }
  void SetHint(const QString& hint);

  // Opened at the pointer on a right click. Where the desktop's panel
  // draws tray menus itself (a StatusNotifier host on the session bus), the
  // panel is given the menu's entries to draw, and chosen entries are
  // clicked as in the menu. Not owned; forgotten when the menu is destroyed.
  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* menu);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

  // While the icon is visible the notification area is watched (twice a
  // second, through AreaAvailable, IsSystemTrayAvailable by default); when
  // it goes away (the tray host ended), OnAreaGone is called once. A window
  // hidden in the tray has to come back then, or the program is out of reach.
  std::function<bool()> AreaAvailable;
  TNotifyEvent OnAreaGone;
  // One look at the notification area, as the watch takes it.
  void CheckArea();

  // What a click, a double click or a right click at the screen point
  // (x, y) on the icon does; the desktop's events end here. The popup menu
  // opens at (x, y) and ContextPopup returns at once, so the desktop that
  // asked is not kept waiting.
  void Click();
  void DblClick();
  void ContextPopup(int x, int y);

 private:
  friend struct TrayIconAccess;
  struct Native;
  void UpdateNative();
  // Shows, updates or removes the icon as an item of a StatusNotifier host;
  // false when the icon is not (or no longer) shown that way.
  bool UpdateStatusNotifierItem();

  bool visible_ = false;
  // Whether the area was there at the last look (OnAreaGone fires on the
  // change only).
  bool areaSeen_ = true;
  std::unique_ptr<TIcon> icon_;
  QString hint_;
  // The menu is not owned: it counts only while its watch says it lives.
  TPopupMenu* popupMenu_ = nullptr;
  TLifeWatch popupMenuWatch_;
  std::unique_ptr<Native> native_;
};

}  // namespace mirto
