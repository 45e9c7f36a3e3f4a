#include "platform/toolkit/Menus.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "platform/toolkit/Action.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/Menus_p.h"

namespace mirto {

struct TMenuItem::Native {
  QPointer<QAction> action;
};

namespace {
class BorrowedWindow;
}  // namespace

struct TPopupMenu::Native {
  QPointer<QMenu> menu;
  // The hidden window shown for the open menu, where a menu needs a shown
  // parent; null otherwise.
  std::unique_ptr<BorrowedWindow> borrowed;
  // CloseMenu came before the menu was on the screen (while its window
  // was being shown for it).
  bool closedEarly = false;

  // Tells OnPopup, then builds the toolkit menu and records it as the open
  // one; null when OnPopup destroyed the popup menu, or when the menu was
  // closed before it could be shown (OnClose has been told then).
  static QMenu* Open(TPopupMenu& popup);
  // After the open menu is gone: tells OnClose, then clicks chosen if it is
  // still an entry of the menu.
  static void Closed(TPopupMenu& popup, TMenuItem* chosen);
};

QString StripHotkey(const QString& caption) {
  QString result;
  result.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption.at(i) == u'&') {
      if (i + 1 < caption.size() && caption.at(i + 1) == u'&') {
        result += u'&';
        ++i;
      }
      continue;
    }
    result += caption.at(i);
  }
  return result;
}

// ---------------------------------------------------------------------------
// Menu item

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), native_(std::make_unique<Native>()) {}

TMenuItem::~TMenuItem() {
  // An open menu keeps showing the entry until it closes; it must no longer
  // lead here.
  if (QAction* shown = native_->action.data()) {
    shown->setData(QVariant());
    shown->setVisible(false);
  }
  Clear();
  if (parent_ != nullptr) parent_->Remove(this);
  actionLink_.reset();
}

TBasicAction* TMenuItem::Action() const {
  return actionLink_ ? actionLink_->TBasicActionLink::Action() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* action) {
  if (action == nullptr) {
    // The item keeps what it showed, as a control does.
    actionLink_.reset();
    return;
  }
  if (!actionLink_) {
    actionLink_ = std::make_unique<TActionLink>(this);
    actionLink_->OnChange = [this](TObject* sender) {
      if (sender != nullptr) ActionChange(sender, false);
    };
  }
  actionLink_->SetAction(action);
  ActionChange(action, ComponentState().Contains(csLoading));
}

void TMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TAction*>(sender);
  if (action == nullptr) return;
  if (!checkDefaults || caption_.isEmpty()) caption_ = action->Caption();
  if (!checkDefaults || hint_.isEmpty()) hint_ = action->Hint();
  if (!checkDefaults || shortCut_ == scNone) shortCut_ = action->ShortCut();
  if (!checkDefaults || imageIndex_ == -1) imageIndex_ = action->ImageIndex();
  if (!checkDefaults || enabled_) enabled_ = action->Enabled();
  if (!checkDefaults || visible_) visible_ = action->Visible();
  if (!checkDefaults || !checked_) checked_ = action->Checked();
  Changed();
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (OnClick) {
    CallHandler(OnClick, this);
  } else if (actionLink_) {
    actionLink_->Execute(this);
  }
}

void TMenuItem::Changed() {
  if (QAction* shown = native_->action.data()) {
    const TPopupMenu* menu = GetParentMenu();
    ApplyMenuItem(*shown, *this, menu != nullptr ? menu->Images() : nullptr);
  }
  CallHandler(OnChange, this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::MenuIndex() const {
  if (parent_ == nullptr) return -1;
  const auto& siblings = parent_->items_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr) return;
  // An item cannot hold itself or one of its ancestors.
  for (const TMenuItem* p = this; p != nullptr; p = p->parent_)
    if (p == item) return;
  if (item->parent_ != nullptr) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  const auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

void TMenuItem::Delete(int index) {
  if (TMenuItem* item = Items(index)) delete item;
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Find(const QString& caption) const {
  const QString wanted = StripHotkey(caption);
  for (TMenuItem* item : items_)
    if (StripHotkey(item->caption_).compare(wanted, Qt::CaseInsensitive) == 0) return item;
  return nullptr;
}

TPopupMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_ != nullptr) root = root->parent_;
  return root->menu_;
}

QAction* MenuItemAccess::ShownAction(const TMenuItem& item) { return item.native_->action.data(); }

void MenuItemAccess::Bind(TMenuItem& item, QAction* action) { item.native_->action = action; }

TMenuItem* MenuItemAccess::ItemShownBy(const QAction* action) {
  if (action == nullptr) return nullptr;
  return reinterpret_cast<TMenuItem*>(action->data().value<quintptr>());
}

// ---------------------------------------------------------------------------
// Opening a popup menu

namespace {

TMenuItem* ItemOf(const QAction* action) { return MenuItemAccess::ItemShownBy(action); }

bool Contains(const TMenuItem& root, const TMenuItem* wanted) {
  for (int i = 0; i < root.Count(); ++i) {
    const TMenuItem* child = root.Items(i);
    if (child == wanted || Contains(*child, wanted)) return true;
  }
  return false;
}

// The control the menu is opened for: the one it pops up for, else the one
// that owns it.
const TControl* MenuControl(const TPopupMenu& popup) {
  if (const auto* control = dynamic_cast<const TControl*>(popup.PopupComponent())) return control;
  for (const TComponent* owner = popup.Owner(); owner != nullptr; owner = owner->Owner())
    if (const auto* control = dynamic_cast<const TControl*>(owner)) return control;
  return nullptr;
}

// The window the menu is opened for, the menu's parent. The window system
// places a menu with a parent where it is asked to; on Wayland the menu is
// a popup of its parent's surface, and one without a shown parent would be
// a window of its own.
QWidget* MenuWindow(const TPopupMenu& popup) {
  const TControl* control = MenuControl(popup);
  return control != nullptr ? NativeWidget(*control)->window() : nullptr;
}

// Whether a popup can only open beside a shown window of the program: on
// Wayland a popup is a child of a shown surface, and the compositor places
// it relative to that surface only.
bool PopupsNeedAShownParent() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The window of a hidden form, shown for as long as a menu of the form is
// open where popups need a shown parent: the tray icon's menu while the
// window is hidden in the tray. The form stays hidden throughout (Visible
// false), and its window is hidden again once the menu has closed, unless
// the form was shown meanwhile.
class BorrowedWindow {
 public:
  explicit BorrowedWindow(const TControl* control) {
    TForm* form = control != nullptr ? GetParentForm(*control) : nullptr;
    if (form == nullptr || form->Visible() || !PopupsNeedAShownParent()) return;
    form_ = form;
    watch_ = form->LifeWatch();
    window_ = NativeWidget(*form);
    window_->show();
    WaitUntilShown();
  }
  BorrowedWindow(const BorrowedWindow&) = delete;
  BorrowedWindow& operator=(const BorrowedWindow&) = delete;
  ~BorrowedWindow() {
    if (window_.isNull() || !watch_.Alive() || form_->Visible()) return;
    window_->hide();
  }

 private:
  // A popup opened before its parent is on the screen and has the keyboard
  // would get no keys (the compositor keeps the keyboard where it was while
  // a popup holds the input): wait for the window to be shown and active,
  // for a moment at most; a compositor may refuse to activate it.
  void WaitUntilShown() {
    constexpr int kMostMs = 500;
    const QDeadlineTimer deadline(kMostMs);
    const auto ready = [this] {
      const QWindow* handle = window_.isNull() ? nullptr : window_->windowHandle();
      return handle == nullptr || (handle->isExposed() && handle->isActive());
    };
    if (ready()) return;
    QEventLoop loop;
    QTimer look;
    look.setInterval(10);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
      if (ready() || deadline.hasExpired()) loop.quit();
    });
    look.start();
    loop.exec();
  }

  TForm* form_ = nullptr;
  TLifeWatch watch_;
  QPointer<QWidget> window_;
};

}  // namespace

// ---------------------------------------------------------------------------
// Popup menu

TPopupMenu::TPopupMenu(TComponent* owner)
    : TComponent(owner),
      items_(new TMenuItem(this)),
      imagesLink_(std::make_unique<TChangeLink>()),
      native_(std::make_unique<Native>()) {
  items_->menu_ = this;
  InstallControlAccessibility();
}

TPopupMenu::~TPopupMenu() {
  ExpireLife();
  if (QMenu* menu = native_->menu.data()) {
    // Destroyed while open (from a timer or a handler): the toolkit menu is
    // still inside its own event loop and is deleted once it has left it.
    menu->close();
    menu->deleteLater();
  }
  delete items_;
}

TCustomImageList* TPopupMenu::Images() const { return imagesLink_->Sender(); }

void TPopupMenu::SetImages(TCustomImageList* images) { imagesLink_->SetSender(images); }

bool TPopupMenu::IsOpen() const { return !native_->menu.isNull(); }

void TPopupMenu::CloseMenu() {
  QMenu* menu = native_->menu.data();
  if (menu == nullptr) return;
  if (!menu->isVisible()) native_->closedEarly = true;
  menu->close();
}

QMenu* PopupMenuAccess::OpenMenu(const TPopupMenu& menu) { return menu.native_->menu.data(); }

QMenu* TPopupMenu::Native::Open(TPopupMenu& popup) {
  const TLifeWatch watch = popup.LifeWatch();
  CallHandler(popup.OnPopup, &popup);
  if (!watch.Alive()) return nullptr;
  // The window may be destroyed while the menu is open, and the menu with it.
  QPointer<QMenu> menu = NewMenuWidget(popup, MenuWindow(popup));
  FillMenu(*menu, *popup.items_, popup);
  Native& native = *popup.native_;
  native.menu = menu;
  native.closedEarly = false;
  // Events run while a borrowed window comes onto the screen.
  native.borrowed = std::make_unique<BorrowedWindow>(MenuControl(popup));
  if (!watch.Alive()) return nullptr;
  if (menu.isNull() || native.closedEarly) {
    delete menu.data();
    Closed(popup, nullptr);
    return nullptr;
  }
  return menu;
}

void TPopupMenu::Native::Closed(TPopupMenu& popup, TMenuItem* chosen) {
  popup.native_->menu = nullptr;
  popup.native_->borrowed.reset();
  const TLifeWatch watch = popup.LifeWatch();
  CallHandler(popup.OnClose, &popup);
  if (!watch.Alive()) return;
  // The entry may have been destroyed while the menu was open.
  if (chosen != nullptr && Contains(*popup.items_, chosen)) chosen->Click();
}

void TPopupMenu::Popup(int x, int y) {
  if (IsOpen()) return;
  const TLifeWatch watch = LifeWatch();
  // The window may be destroyed while the menu is open, and the menu with it.
  QPointer<QMenu> menu = Native::Open(*this);
  if (menu.isNull()) return;
  QAction* chosen = menu->exec(QPoint(x, y));
  if (!watch.Alive()) return;
  TMenuItem* item = menu.isNull() ? nullptr : ItemOf(chosen);
  delete menu.data();
  Native::Closed(*this, item);
}

void TPopupMenu::PopupWithoutWaiting(int x, int y) {
  if (IsOpen()) return;
  QMenu* menu = Native::Open(*this);
  if (menu == nullptr) return;
  // A choice hides the menu first and triggers the entry right after (an
  // entry triggered while the menu stays open is no choice, as in Popup), so
  // the menu ends one turn of the event loop after it hid.
  struct Ending {
    bool hidden = false;
    QPointer<QAction> chosen;
  };
  auto ending = std::make_shared<Ending>();
  QObject::connect(menu, &QMenu::triggered, menu, [ending](QAction* action) {
    if (ending->hidden) ending->chosen = action;
  });
  QObject::connect(menu, &QMenu::aboutToHide, menu, [this, watch = LifeWatch(), menu, ending] {
    ending->hidden = true;
    QTimer::singleShot(0, menu, [this, watch, menu, ending] {
      if (!watch.Alive() || native_->menu != menu) return;
      TMenuItem* item = ItemOf(ending->chosen.data());
      menu->deleteLater();
      Native::Closed(*this, item);
    });
  });
  menu->popup(QPoint(x, y));
}

}  // namespace mirto
