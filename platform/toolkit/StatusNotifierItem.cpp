#include "platform/toolkit/StatusNotifierItem.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QScreen>
#include <QTimer>
#include <QVariantMap>
#include <QtEndian>
#include <utility>

#include "platform/toolkit/DBusMenu.h"
#include "platform/toolkit/DBusObject_p.h"

namespace mirto::statusnotifier {

// One size of the icon: (iiay), its pixels ARGB32 in network byte order.
struct TIconPixmap {
  int width = 0;
  int height = 0;
  QByteArray pixels;
};

// (sa(iiay)ss): an icon by name or pixmaps, a title and a longer text.
struct TToolTip {
  QString iconName;
  QList<TIconPixmap> pixmaps;
  QString title;
  QString text;
};

}  // namespace mirto::statusnotifier

Q_DECLARE_METATYPE(mirto::statusnotifier::TIconPixmap)
Q_DECLARE_METATYPE(mirto::statusnotifier::TToolTip)

namespace mirto::statusnotifier {

QDBusArgument& operator<<(QDBusArgument& argument, const TIconPixmap& pixmap) {
  argument.beginStructure();
  argument << pixmap.width << pixmap.height << pixmap.pixels;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, TIconPixmap& pixmap) {
  argument.beginStructure();
  argument >> pixmap.width >> pixmap.height >> pixmap.pixels;
  argument.endStructure();
  return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const TToolTip& tip) {
  argument.beginStructure();
  argument << tip.iconName << tip.pixmaps << tip.title << tip.text;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, TToolTip& tip) {
  argument.beginStructure();
  argument >> tip.iconName >> tip.pixmaps >> tip.title >> tip.text;
  argument.endStructure();
  return argument;
}

}  // namespace mirto::statusnotifier

namespace mirto {

using statusnotifier::TIconPixmap;
using statusnotifier::TToolTip;

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItem = QStringLiteral("org.kde.StatusNotifierItem");
// Where hosts look for the item of a connection that registered by its name.
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kMenuPath = QStringLiteral("/MenuBar");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// A watcher that does not answer within this time counts as no watcher.
constexpr int kWatcherTimeoutMs = 500;

void RegisterTypes() {
  static const bool registered = [] {
    qDBusRegisterMetaType<TIconPixmap>();
    qDBusRegisterMetaType<QList<TIconPixmap>>();
    qDBusRegisterMetaType<TToolTip>();
    return true;
  }();
  (void)registered;
}

QList<TIconPixmap> PixmapsOf(const QIcon& icon) {
  QList<TIconPixmap> pixmaps;
  for (const QSize size : icon.availableSizes()) {
    const QImage image = icon.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    TIconPixmap pixmap{image.width(), image.height(), {}};
    pixmap.pixels.resize(static_cast<qsizetype>(image.width()) * image.height() * 4);
    auto* out = reinterpret_cast<quint32*>(pixmap.pixels.data());
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) *out++ = qToBigEndian(row[x]);
    }
    pixmaps.push_back(pixmap);
  }
  return pixmaps;
}

// Hosts give screen points in the window system's pixels; the program's
// coordinates are those divided by the scale of the screen the point is on,
// counted from that screen's top-left corner, which both share.
QPoint ProgramPoint(int x, int y) {
  const QPoint native(x, y);
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect logical = screen->geometry();
    const qreal scale = screen->devicePixelRatio();
    const QRect pixels(logical.topLeft(), (QSizeF(logical.size()) * scale).toSize());
    if (pixels.contains(native))
      return logical.topLeft() + ((native - logical.topLeft()).toPointF() / scale).toPoint();
  }
  return native;
}

int NextConnectionNumber() {
  static int count = 0;
  return ++count;
}

// What introspection shows of the object.
constexpr char kIntrospection[] = R"xml(<interface name="org.kde.StatusNotifierItem">
  <property name="Category" type="s" access="read"/>
  <property name="Id" type="s" access="read"/>
  <property name="Title" type="s" access="read"/>
  <property name="Status" type="s" access="read"/>
  <property name="WindowId" type="i" access="read"/>
  <property name="IconName" type="s" access="read"/>
  <property name="IconPixmap" type="a(iiay)" access="read"/>
  <property name="OverlayIconName" type="s" access="read"/>
  <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
  <property name="AttentionIconName" type="s" access="read"/>
  <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
  <property name="AttentionMovieName" type="s" access="read"/>
  <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
  <property name="ItemIsMenu" type="b" access="read"/>
  <property name="Menu" type="o" access="read"/>
  <method name="ContextMenu">
    <arg name="x" type="i" direction="in"/>
    <arg name="y" type="i" direction="in"/>
  </method>
  <method name="Activate">
    <arg name="x" type="i" direction="in"/>
    <arg name="y" type="i" direction="in"/>
  </method>
  <method name="SecondaryActivate">
    <arg name="x" type="i" direction="in"/>
    <arg name="y" type="i" direction="in"/>
  </method>
  <method name="Scroll">
    <arg name="delta" type="i" direction="in"/>
    <arg name="orientation" type="s" direction="in"/>
  </method>
  <signal name="NewTitle"/>
  <signal name="NewIcon"/>
  <signal name="NewAttentionIcon"/>
  <signal name="NewOverlayIcon"/>
  <signal name="NewToolTip"/>
  <signal name="NewStatus">
    <arg name="status" type="s"/>
  </signal>
</interface>
)xml";

}  // namespace

class TStatusNotifierItem::Object : public TDBusObject {
 public:
  Object(TStatusNotifierItem& owner, std::function<TPopupMenu*()> menu)
      : TDBusObject(kItem, kIntrospection),
        owner_(owner),
        connectionName_(QStringLiteral("mirto-tray-%1").arg(NextConnectionNumber())),
        hasMenu_([menu] { return menu && menu() != nullptr; }),
        menu_(std::move(menu)) {
    menuWatch_.setInterval(500);
    QObject::connect(&menuWatch_, &QTimer::timeout, this, [this] { menu_.CheckForChanges(); });
  }

  ~Object() override {
    menuWatch_.stop();
    if (shown_) connection_.unregisterObject(kItemPath);
  }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  const QString& ConnectionName() const { return connectionName_; }

  bool Show() {
    connection_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_);
    if (!connection_.isConnected() || !connection_.registerVirtualObject(kItemPath, this))
      return false;
    shown_ = true;
    menu_.Export(connection_, kMenuPath);
    watcher_ = std::make_unique<QDBusServiceWatcher>(kWatcher, connection_,
                                                     QDBusServiceWatcher::WatchForRegistration);
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceRegistered, this,
                     [this] { Register(); });
    Register();
    menuWatch_.start();
    return true;
  }

  void SetIcon(const QIcon& icon) {
    if (icon.cacheKey() == icon_.cacheKey()) return;
    icon_ = icon;
    Signal(QStringLiteral("NewIcon"));
  }

  void SetToolTip(const QString& text) {
    if (text == toolTip_) return;
    toolTip_ = text;
    Signal(QStringLiteral("NewToolTip"));
  }

 private:
  void Register() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kWatcher, kWatcherPath, kWatcher, QStringLiteral("RegisterStatusNotifierItem"));
    call << connection_.baseService();
    connection_.send(call);
  }

  void Signal(const QString& name) {
    if (shown_) connection_.send(QDBusMessage::createSignal(kItemPath, kItem, name));
  }

  QVariantMap Properties() const override {
    const QString none;
    const QVariant noPixmaps = QVariant::fromValue(QList<TIconPixmap>());
    return {
        {QStringLiteral("Category"), QStringLiteral("ApplicationStatus")},
        {QStringLiteral("Id"), QCoreApplication::applicationName()},
        {QStringLiteral("Title"), QGuiApplication::applicationDisplayName()},
        {QStringLiteral("Status"), QStringLiteral("Active")},
        {QStringLiteral("WindowId"), 0},
        {QStringLiteral("IconName"), none},
        {QStringLiteral("IconPixmap"), QVariant::fromValue(PixmapsOf(icon_))},
        {QStringLiteral("OverlayIconName"), none},
        {QStringLiteral("OverlayIconPixmap"), noPixmaps},
        {QStringLiteral("AttentionIconName"), none},
        {QStringLiteral("AttentionIconPixmap"), noPixmaps},
        {QStringLiteral("AttentionMovieName"), none},
        {QStringLiteral("ToolTip"), QVariant::fromValue(TToolTip{none, {}, toolTip_, none})},
        {QStringLiteral("ItemIsMenu"), false},
        // Without a menu the host asks the item to open one (ContextMenu).
        {QStringLiteral("Menu"), QVariant::fromValue(QDBusObjectPath(
                                     hasMenu_() ? kMenuPath : QStringLiteral("/NO_DBUSMENU")))},
    };
  }

  QDBusMessage Answer(const QDBusMessage& message) override;

  // After the answer: the request's effect, from the event loop.
  void Later(std::function<void()> what) { QTimer::singleShot(0, this, std::move(what)); }

  TStatusNotifierItem& owner_;
  QString connectionName_;
  QDBusConnection connection_{QString()};
  bool shown_ = false;
  std::function<bool()> hasMenu_;
  TDBusMenu menu_;
  std::unique_ptr<QDBusServiceWatcher> watcher_;
  QTimer menuWatch_;
  QIcon icon_;
  QString toolTip_;
};

QDBusMessage TStatusNotifierItem::Object::Answer(const QDBusMessage& message) {
  const QString method = message.member();
  const QString signature = message.signature();
  const QVariantList args = message.arguments();
  if (signature == QLatin1String("ii")) {
    const int x = args.at(0).toInt(), y = args.at(1).toInt();
    if (method == QLatin1String("Activate")) {
      Later([this] {
        if (owner_.OnActivate) owner_.OnActivate();
      });
      return message.createReply();
    }
    if (method == QLatin1String("ContextMenu")) {
      Later([this, at = ProgramPoint(x, y)] {
        if (owner_.OnContextMenu) owner_.OnContextMenu(at.x(), at.y());
      });
      return message.createReply();
    }
    // A middle click does nothing.
    if (method == QLatin1String("SecondaryActivate")) return message.createReply();
  }
  if (method == QLatin1String("Scroll") && signature == QLatin1String("is"))
    return message.createReply();
  return message.createErrorReply(QDBusError::UnknownMethod,
                                  QStringLiteral("no method %1(%2)").arg(method, signature));
}

// ---------------------------------------------------------------------------

TStatusNotifierItem::TStatusNotifierItem(std::function<TPopupMenu*()> menu) {
  RegisterTypes();
  object_ = std::make_unique<Object>(*this, std::move(menu));
}

TStatusNotifierItem::~TStatusNotifierItem() {
  // The bus connection goes last, after everything on it.
  const QString name = object_->ConnectionName();
  object_.reset();
  QDBusConnection::disconnectFromBus(name);
}

bool TStatusNotifierItem::HostAvailable() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusMessage get =
      QDBusMessage::createMethodCall(kWatcher, kWatcherPath, kProperties, QStringLiteral("Get"));
  get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusMessage reply = bus.call(get, QDBus::Block, kWatcherTimeoutMs);
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
         reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

bool TStatusNotifierItem::Show() { return object_->Show(); }

void TStatusNotifierItem::SetIcon(const QIcon& icon) { object_->SetIcon(icon); }

void TStatusNotifierItem::SetToolTip(const QString& text) { object_->SetToolTip(text); }

}  // namespace mirto
