#include "platform/toolkit/Menus.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/toolkit/Action.h"
#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/ImageList.h"
#include "platform/toolkit/Menus_p.h"
#include "platform/toolkit/PaintFactor.h"

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

namespace {
void ApplyItem(QAction& action, const TMenuItem& item, TCustomImageList* images);
}  // namespace

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
    ApplyItem(*shown, *this, menu != nullptr ? menu->Images() : nullptr);
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
// Showing items in a toolkit menu

namespace {

// The entry text: the caption keeps its accelerator marks (the toolkit reads
// them the same way); the shortcut shows after a tab.
QString EntryText(const TMenuItem& item) {
  const QString shortCut = ShortCutToText(item.ShortCut());
  return shortCut.isEmpty() ? item.Caption() : item.Caption() + u'\t' + shortCut;
}

}  // namespace

QImage MenuEntryPicture(TCustomImageList& images, int index, bool enabled, int factor) {
  if (images.Width() > 4096 || images.Height() > 4096) factor = 1;
  QImage image(images.Width() * factor, images.Height() * factor,
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(factor);
  image.fill(Qt::transparent);
  TCanvas canvas;
  TCanvasAccess::Bind(canvas, &image);
  images.Draw(&canvas, 0, 0, index, enabled);
  TCanvasAccess::Bind(canvas, nullptr);
  return image;
}

namespace {

// The whole factors of the screens: a menu opens on any of them, and may be
// moved to another.
std::vector<int> ScreenFactors() {
  std::vector<int> factors;
  for (const QScreen* screen : QGuiApplication::screens())
    factors.push_back(PaintFactorFor(screen->devicePixelRatio()));
  if (factors.empty()) factors.push_back(PaintFactorFor(1.0));
  std::sort(factors.begin(), factors.end());
  factors.erase(std::unique(factors.begin(), factors.end()), factors.end());
  return factors;
}

// One drawing per screen factor, so that the toolkit shows the picture drawn
// for the screen the menu is on rather than one scaled from another's.
QIcon EntryIcon(const TMenuItem& item, TCustomImageList* images) {
  if (images == nullptr || item.ImageIndex() < 0 || item.ImageIndex() >= images->Count()) return {};
  QIcon icon;
  for (int factor : ScreenFactors()) {
    icon.addPixmap(QPixmap::fromImage(MenuEntryPicture(*images, item.ImageIndex(), true, factor)),
                   QIcon::Normal);
    // Disabled entries show the list's own disabled look, not the toolkit's.
    icon.addPixmap(QPixmap::fromImage(MenuEntryPicture(*images, item.ImageIndex(), false, factor)),
                   QIcon::Disabled);
  }
  return icon;
}

void ApplyItem(QAction& action, const TMenuItem& item, TCustomImageList* images) {
  if (item.IsLine()) {
    action.setSeparator(true);
  } else {
    action.setText(EntryText(item));
    action.setIcon(EntryIcon(item, images));
    action.setCheckable(item.Checked());
    action.setChecked(item.Checked());
    action.setStatusTip(item.Hint());
  }
  action.setEnabled(item.Enabled());
  action.setVisible(item.Visible());
}

TMenuItem* ItemOf(const QAction* action) { return MenuItemAccess::ItemShownBy(action); }

bool Contains(const TMenuItem& root, const TMenuItem* wanted) {
  for (int i = 0; i < root.Count(); ++i) {
    const TMenuItem* child = root.Items(i);
    if (child == wanted || Contains(*child, wanted)) return true;
  }
  return false;
}

// The width a menu reserves right of its widest entry: that of its widest
// shortcut text (the part of an entry's text after a tab).
int ShortCutColumn(const QMenu& menu) {
  int widest = 0;
  for (const QAction* action : menu.actions()) {
    const QString text = action->text();
    const qsizetype tab = text.indexOf(u'\t');
    if (tab >= 0)
      widest = std::max(widest, menu.fontMetrics().horizontalAdvance(text.mid(tab + 1)));
  }
  return widest;
}

// Routes the painting of an owner-drawn menu to the popup menu's handlers,
// each drawing on a canvas over an offscreen image that is then copied onto
// the menu. Whatever the desktop's style, what the handlers leave to the
// style is drawn by one fixed style, so rounded or translucent menu frames
// never show through.
class OwnerDrawStyle : public QProxyStyle {
 public:
  explicit OwnerDrawStyle(TPopupMenu& menu)
      : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), menu_(menu) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_MenuPanelWidth:
        return menu_.BorderWidth();
      case PM_MenuHMargin:
      case PM_MenuVMargin:
      case PM_MenuDesktopFrameWidth:
        return 0;
      default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem || !menu_.OnMeasureItem) return result;
    TMenuItem* item = ItemOf(qobject_cast<const QAction*>(option->styleObject));
    if (item == nullptr) return result;
    int width = result.width(), height = result.height();
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas;
    TCanvasAccess::Bind(canvas, &scratch);
    const TMenuMeasureItemEvent handler = menu_.OnMeasureItem;
    handler(item, &canvas, width, height);
    TCanvasAccess::Bind(canvas, nullptr);
    // The handler measures the whole entry, shortcut included, but the menu
    // adds its own shortcut column to the widest entry afterwards.
    if (const auto* menu = qobject_cast<const QMenu*>(widget)) width -= ShortCutColumn(*menu);
    // A short entry (a separator) may be narrower than the shortcut column;
    // with no width left the menu would drop it.
    return QSize(std::max(width, 1), std::max(height, 0));
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_MenuEmptyArea && menu_.OnDrawBackground) return;
    if (element != CE_MenuItem || !menu_.OnDrawItem) {
      QProxyStyle::drawControl(element, option, painter, widget);
      return;
    }
    TMenuItem* item = ItemOf(qobject_cast<const QAction*>(option->styleObject));
    if (item == nullptr) return;
    TOwnerDrawState state;
    if (option->state & State_Selected) state.Include(odSelected);
    if (!(option->state & State_Enabled)) state.Include(odDisabled).Include(odGrayed);
    if (item->Checked()) state.Include(odChecked);
    const TMenuDrawItemEvent handler = menu_.OnDrawItem;
    Paint(painter, option->rect,
          [&](TCanvas& canvas, const TRect& rect) { handler(item, &canvas, rect, state); });
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (menu_.OnDrawBackground && (element == PE_PanelMenu || element == PE_FrameMenu)) {
      if (element == PE_FrameMenu) return;  // the background handler draws the border
      const TMenuDrawBackgroundEvent handler = menu_.OnDrawBackground;
      Paint(painter, option->rect,
            [&](TCanvas& canvas, const TRect& rect) { handler(&menu_, &canvas, rect); });
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

 private:
  // The picture carries the screen's whole factor, like a control's.
  template <typename Draw>
  static void Paint(QPainter* painter, const QRect& area, Draw draw) {
    if (area.isEmpty()) return;
    const QPaintDevice* device = painter->device();
    int factor = PaintFactorFor(device ? device->devicePixelRatioF() : 1.0);
    constexpr long long kMaxSide = 1LL << 15;
    if (1LL * area.width() * factor > kMaxSide || 1LL * area.height() * factor > kMaxSide)
      factor = 1;
    QImage image(area.size() * factor, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(factor);
    image.fill(Qt::transparent);
    {
      TCanvas canvas;
      TCanvasAccess::Bind(canvas, &image);
      draw(canvas, Rect(0, 0, area.width(), area.height()));
      TCanvasAccess::Bind(canvas, nullptr);
    }
    painter->drawImage(QRectF(area), image, QRectF(image.rect()));
  }

  TPopupMenu& menu_;
};

// The menu that shows a popup menu's entries (a sub-menu's too): what
// assistive technology is told about it is the popup menu's (MenuAccessible),
// and an owner-drawn one tells the style which entry it is drawing.
class PopupMenuWidget : public QMenu {
 public:
  PopupMenuWidget(QWidget* parent, bool ownerDraw) : QMenu(parent), ownerDraw_(ownerDraw) {}

 protected:
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override {
    QMenu::initStyleOption(option, action);
    if (ownerDraw_) option->styleObject = const_cast<QAction*>(action);
  }

 private:
  bool ownerDraw_;
};

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

QMenu* NewMenu(TPopupMenu& popup, QWidget* parent) {
  auto* menu = new PopupMenuWidget(parent, popup.OwnerDraw());
  if (!popup.OwnerDraw()) return menu;
  auto* style = new OwnerDrawStyle(popup);
  style->setParent(menu);
  menu->setStyle(style);
  return menu;
}

void Fill(QMenu& menu, TMenuItem& parent, TPopupMenu& popup) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    QAction* action = nullptr;
    if (item->Count() > 0 && !item->IsLine()) {
      QMenu* sub = NewMenu(popup, &menu);
      Fill(*sub, *item, popup);
      action = sub->menuAction();
      menu.addAction(action);
    } else {
      action = new QAction(&menu);
      menu.addAction(action);
    }
    action->setData(QVariant::fromValue(reinterpret_cast<quintptr>(item)));
    ApplyItem(*action, *item, popup.Images());
    MenuItemAccess::Bind(*item, action);
  }
}

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

bool PopupMenuAccess::ShowsPopupMenu(const QObject* object) {
  return dynamic_cast<const PopupMenuWidget*>(object) != nullptr;
}

QMenu* TPopupMenu::Native::Open(TPopupMenu& popup) {
  const TLifeWatch watch = popup.LifeWatch();
  CallHandler(popup.OnPopup, &popup);
  if (!watch.Alive()) return nullptr;
  // The window may be destroyed while the menu is open, and the menu with it.
  QPointer<QMenu> menu = NewMenu(popup, MenuWindow(popup));
  Fill(*menu, *popup.items_, popup);
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
