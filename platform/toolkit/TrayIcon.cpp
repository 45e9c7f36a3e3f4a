#include "platform/toolkit/TrayIcon.h"

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/Icon.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/TrayIcon_p.h"

#if defined(MIRTO_HAVE_DBUS)
#include "platform/toolkit/StatusNotifierItem.h"
#endif

namespace mirto {

struct TTrayIcon::Native {
  // Created when first shown, so that a hidden tray icon costs nothing.
  std::unique_ptr<QSystemTrayIcon> icon;
#if defined(MIRTO_HAVE_DBUS)
  // While the icon shows on a StatusNotifier host, in place of the
  // toolkit's icon: the host draws the popup menu from what the item
  // exports.
  std::unique_ptr<TStatusNotifierItem> item;
#endif
  // Runs while the icon is visible: looks whether the notification area is
  // still there.
  QTimer areaWatch;
  // True while an activation handler runs inside the icon's signal.
  bool dispatching = false;
};

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner), icon_(std::make_unique<TIcon>()), native_(std::make_unique<Native>()) {
  icon_->OnChange = [this](TObject*) { UpdateNative(); };
  AreaAvailable = [] { return IsSystemTrayAvailable(); };
  native_->areaWatch.setInterval(500);
  QObject::connect(&native_->areaWatch, &QTimer::timeout, [this] { CheckArea(); });
}

TTrayIcon::~TTrayIcon() {
  ExpireLife();
  icon_->OnChange = nullptr;
  if (!native_->icon) return;
  native_->icon->hide();
  QObject::disconnect(native_->icon.get(), nullptr, nullptr, nullptr);
  // Destroyed from a click handler: the icon is still emitting its signal,
  // so the event loop deletes it afterwards.
  if (native_->dispatching) native_->icon.release()->deleteLater();
}

QSystemTrayIcon* TrayIconAccess::Native(const TTrayIcon& tray) { return tray.native_->icon.get(); }

bool TTrayIcon::IsSystemTrayAvailable() {
#if defined(MIRTO_HAVE_DBUS)
  if (TStatusNotifierItem::HostAvailable()) return true;
#endif
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void TTrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  areaSeen_ = true;
  if (visible_)
    native_->areaWatch.start();
  else
    native_->areaWatch.stop();
  UpdateNative();
}

void TTrayIcon::CheckArea() {
  if (!visible_) return;
  const bool available = AreaAvailable ? AreaAvailable() : true;
  const bool gone = areaSeen_ && !available;
  areaSeen_ = available;
  if (gone) CallHandler(OnAreaGone, this);
}

void TTrayIcon::SetIcon(const TIcon& icon) {
  if (&icon == icon_.get()) return;
  icon_->Assign(&icon);
  UpdateNative();
}

void TTrayIcon::SetHint(const QString& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  UpdateNative();
}

TPopupMenu* TTrayIcon::PopupMenu() const { return popupMenuWatch_.Alive() ? popupMenu_ : nullptr; }

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  popupMenu_ = menu;
  popupMenuWatch_ = menu != nullptr ? menu->LifeWatch() : TLifeWatch();
}

void TTrayIcon::Click() { CallHandler(OnClick, this); }

void TTrayIcon::DblClick() { CallHandler(OnDblClick, this); }

void TTrayIcon::ContextPopup(int x, int y) {
  if (TPopupMenu* menu = PopupMenu()) menu->PopupWithoutWaiting(x, y);
}

namespace {

QIcon ShownIcon(const TIcon& icon) {
  QIcon native = TIconAccess::NativeIcon(icon);
  if (native.isNull()) {
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    native = QIcon(blank);
  }
  return native;
}

}  // namespace

bool TTrayIcon::UpdateStatusNotifierItem() {
#if defined(MIRTO_HAVE_DBUS)
  if (!visible_) {
    native_->item.reset();
    return false;
  }
  if (!native_->item && TStatusNotifierItem::HostAvailable()) {
    auto item = std::make_unique<TStatusNotifierItem>([this] { return PopupMenu(); });
    item->OnActivate = [this] { Click(); };
    item->OnContextMenu = [this](int x, int y) { ContextPopup(x, y); };
    if (item->Show()) native_->item = std::move(item);
  }
  if (!native_->item) return false;
  native_->item->SetIcon(ShownIcon(*icon_));
  native_->item->SetToolTip(hint_);
  if (native_->icon) native_->icon->setVisible(false);
  return true;
#else
  return false;
#endif
}

void TTrayIcon::UpdateNative() {
  if (UpdateStatusNotifierItem()) return;
  if (!visible_ && !native_->icon) return;
  if (!native_->icon) {
    native_->icon = std::make_unique<QSystemTrayIcon>();
    QObject::connect(native_->icon.get(), &QSystemTrayIcon::activated, native_->icon.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                       const TLifeWatch watch = LifeWatch();
                       native_->dispatching = true;
                       switch (reason) {
                         case QSystemTrayIcon::Trigger:
                           Click();
                           break;
                         case QSystemTrayIcon::DoubleClick:
                           DblClick();
                           break;
                         case QSystemTrayIcon::Context: {
                           // The right click is still going on: the
                           // pointer is where it happened.
                           const QPoint at = QCursor::pos();
                           ContextPopup(at.x(), at.y());
                           break;
                         }
                         default:
                           break;
                       }
                       if (watch.Alive()) native_->dispatching = false;
                     });
  }
  QSystemTrayIcon& tray = *native_->icon;
  tray.setIcon(ShownIcon(*icon_));
  tray.setToolTip(hint_);
  tray.setVisible(visible_);
}

}  // namespace mirto
