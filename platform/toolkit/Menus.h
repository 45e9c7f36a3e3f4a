#pragma once

// Popup menus: a tree of menu items, each showing a caption, an image of the
// menu's image list and a shortcut, or a separator line. An item bound to an
// action shows the action's properties and executes it when chosen.
//
// Captions use the accelerator rule: "&" marks the next letter as the
// accelerator and "&&" shows one ampersand. The caption "-" is a separator.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/drawing/Types.h"
#include "platform/toolkit/CommandProperties.h"
#include "platform/toolkit/Component.h"
#include "platform/toolkit/OwnerDrawState.h"
#include "platform/toolkit/ShortCut.h"

namespace mirto {

class TBasicAction;
class TActionLink;
class TCanvas;
class TChangeLink;
class TCustomImageList;
class TPopupMenu;

constexpr const char* cLineCaption = "-";

class TMenuItem : public TComponent, public TCommandProperties {
 public:
  explicit TMenuItem(TComponent* owner = nullptr);
  // Destroys the sub-items and leaves the parent item.
  ~TMenuItem() override;

  // A separator line ("-").
  bool IsLine() const { return caption_ == QLatin1String(cLineCaption); }

  // The bound action; the item takes over its caption, hint, shortcut,
  // image, enabled, visible and checked state and follows its changes.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* action);

  // Runs OnClick when set, otherwise executes the action. A disabled item
  // does nothing.
  virtual void Click();
  TNotifyEvent OnClick;

  // Sub-items, in menu order. An item added here belongs to this item from
  // then on and is destroyed with it; it leaves any previous parent.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  void Add(TMenuItem* item);
  // index is clamped to 0..Count.
  void Insert(int index, TMenuItem* item);
  // Takes the item out without destroying it (the caller owns it again).
  void Remove(TMenuItem* item);
  // Destroys the sub-item at index; other indexes are ignored.
  void Delete(int index);
  // Destroys every sub-item.
  void Clear();
  // The first sub-item whose caption without accelerator marks equals
  // caption, ignoring case.
  TMenuItem* Find(const QString& caption) const;

  // The popup menu whose tree this item belongs to, or null.
  TPopupMenu* GetParentMenu() const;

  // Called with the item after any property that changes its look.
  TNotifyEvent OnChange;

 protected:
  // Copies the action's properties; with checkDefaults only those the item
  // still has at their default.
  virtual void ActionChange(TObject* sender, bool checkDefaults);
  void Changed();
  void PropertiesChanged() override { Changed(); }

 private:
  friend class TPopupMenu;
  friend struct MenuItemAccess;
  struct Native;

  TMenuItem* parent_ = nullptr;
  TPopupMenu* menu_ = nullptr;  // set on the root item only
  std::vector<TMenuItem*> items_;
  std::unique_ptr<TActionLink> actionLink_;
  std::unique_ptr<Native> native_;
};

// Removes the accelerator marks: "&Open" -> "Open", "A && B" -> "A & B".
QString StripHotkey(const QString& caption);

// Measuring an owner-drawn entry: width and height arrive with the
// toolkit's size and may be changed.
using TMenuMeasureItemEvent =
    std::function<void(TMenuItem* item, TCanvas* canvas, int& width, int& height)>;
// Drawing an owner-drawn entry into rect of canvas.
using TMenuDrawItemEvent =
    std::function<void(TMenuItem* item, TCanvas* canvas, const TRect& rect, TOwnerDrawState state)>;
// Drawing the menu's background and border (rect is the whole menu).
using TMenuDrawBackgroundEvent =
    std::function<void(TPopupMenu* menu, TCanvas* canvas, const TRect& rect)>;

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner = nullptr);
  ~TPopupMenu() override;

  // The root item; the entries are its sub-items.
  TMenuItem* Items() const { return items_; }

  // Images of the entries. Not owned; forgotten when the list is destroyed.
  TCustomImageList* Images() const;
  void SetImages(TCustomImageList* images);

  // The component the menu was opened for (set by the caller of Popup).
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component) { popupComponent_ = component; }

  // Opens the menu with its top-left corner at the screen point (x, y) and
  // returns when it closes; events and timers keep running meanwhile. The
  // chosen entry, if any, is clicked after the menu has closed. A second
  // Popup while the menu is open does nothing.
  virtual void Popup(int x, int y);
  // Opens the menu as Popup does but returns at once, the menu still open,
  // for a caller that must not wait (a desktop service asking for the menu).
  // The chosen entry is clicked after the menu has closed, from the event
  // loop. A second call while the menu is open does nothing.
  void PopupWithoutWaiting(int x, int y);
  // Closes the open menu (Popup then returns without a choice).
  void CloseMenu();
  bool IsOpen() const;

  TNotifyEvent OnPopup;  // before the menu opens
  TNotifyEvent OnClose;  // after it closed, before the chosen entry is clicked

  // Owner drawing: when set, entries and background are painted by the
  // handlers below on a canvas instead of by the toolkit.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw) { ownerDraw_ = ownerDraw; }
  // Width of the border around the entries when owner-drawn.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width) { borderWidth_ = width < 0 ? 0 : width; }
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;
  TMenuDrawBackgroundEvent OnDrawBackground;

 private:
  friend struct PopupMenuAccess;
  struct Native;

  TMenuItem* items_;
  std::unique_ptr<TChangeLink> imagesLink_;
  TComponent* popupComponent_ = nullptr;
  bool ownerDraw_ = false;
  int borderWidth_ = 1;
  std::unique_ptr<Native> native_;
};

}  // namespace mirto
