#include "tests/statusnotifier/StandInHost.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QMutexLocker>

#include "tests/support/WaitUntil.h"

namespace mirto::testing {

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

HostEntry ReadEntry(const QDBusArgument& argument) {
  HostEntry entry;
  argument.beginStructure();
  argument >> entry.id >> entry.properties;
  argument.beginArray();
  while (!argument.atEnd()) {
    QDBusVariant child;
    argument >> child;
    entry.children.push_back(ReadEntry(child.variant().value<QDBusArgument>()));
  }
  argument.endArray();
  argument.endStructure();
  return entry;
}

int NextNumber() {
  static int count = 0;
  return ++count;
}

}  // namespace

// The watcher's object, answering on the host's own thread.
class StandInHost::Watcher : public QDBusVirtualObject {
 public:
  QStringList Registrations() const {
    const QMutexLocker lock(&mutex_);
    return registrations_;
  }

  QString introspect(const QString&) const override {
    return QStringLiteral(
        "<interface name=\"org.kde.StatusNotifierWatcher\">"
        "<method name=\"RegisterStatusNotifierItem\"><arg type=\"s\" direction=\"in\"/></method>"
        "<method name=\"RegisterStatusNotifierHost\"><arg type=\"s\" direction=\"in\"/></method>"
        "<property name=\"RegisteredStatusNotifierItems\" type=\"as\" access=\"read\"/>"
        "<property name=\"IsStatusNotifierHostRegistered\" type=\"b\" access=\"read\"/>"
        "<property name=\"ProtocolVersion\" type=\"i\" access=\"read\"/>"
        "</interface>");
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QVariantList args = message.arguments();
    if (message.interface() == kProperties) {
      const QVariantMap properties{
          {QStringLiteral("IsStatusNotifierHostRegistered"), true},
          {QStringLiteral("ProtocolVersion"), 0},
          {QStringLiteral("RegisteredStatusNotifierItems"), Registrations()}};
      if (message.member() == QLatin1String("GetAll")) {
        connection.send(message.createReply(QVariant::fromValue(properties)));
      } else {
        connection.send(message.createReply(
            QVariant::fromValue(QDBusVariant(properties.value(args.value(1).toString())))));
      }
      return true;
    }
    if (message.member() == QLatin1String("RegisterStatusNotifierItem")) {
      const QString service = args.value(0).toString();
      {
        const QMutexLocker lock(&mutex_);
        registrations_ << (service.startsWith(u'/') ? message.service() : service);
      }
      connection.send(message.createReply());
      return true;
    }
    if (message.member() == QLatin1String("RegisterStatusNotifierHost")) {
      connection.send(message.createReply());
      return true;
    }
    return false;
  }

 private:
  mutable QMutex mutex_;
  QStringList registrations_;
};

StandInHost::StandInHost()
    : connectionName_(QStringLiteral("stand-in-host-%1").arg(NextNumber())),
      watcher_(std::make_unique<Watcher>()) {
  bus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_);
  thread_.start();
  watcher_->moveToThread(&thread_);
  bus_.registerVirtualObject(kWatcherPath, watcher_.get());
  bus_.registerService(kWatcher);
}

StandInHost::~StandInHost() {
  bus_.unregisterService(kWatcher);
  bus_.unregisterObject(kWatcherPath);
  thread_.quit();
  thread_.wait();
  watcher_.reset();
  QDBusConnection::disconnectFromBus(connectionName_);
}

QStringList StandInHost::Registrations() const { return watcher_->Registrations(); }

QString StandInHost::WaitForRegistration(int count) {
  WaitUntil([&] { return Registrations().size() >= count; });
  return Registrations().value(count - 1);
}

bool StandInHost::OnTheBus(const QString& service) const {
  return bus_.interface()->isServiceRegistered(service);
}

QDBusMessage StandInHost::Call(const QString& service, const QString& path,
                               const QString& interface, const QString& method,
                               const QVariantList& args, int timeoutMs) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
  call.setArguments(args);
  const QDBusPendingCall pending = bus_.asyncCall(call, timeoutMs);
  WaitUntil([&] { return pending.isFinished(); }, timeoutMs + 1000);
  return pending.reply();
}

QVariant StandInHost::ItemProperty(const QString& item, const QString& name) {
  const QDBusMessage reply =
      Call(item, QStringLiteral("/StatusNotifierItem"), kProperties, QStringLiteral("Get"),
           {QStringLiteral("org.kde.StatusNotifierItem"), name});
  return reply.arguments().value(0).value<QDBusVariant>().variant();
}

HostEntry StandInHost::Layout(const QString& item, const QString& menuPath, uint* revision) {
  const QDBusMessage reply = Call(item, menuPath, QStringLiteral("com.canonical.dbusmenu"),
                                  QStringLiteral("GetLayout"), {0, -1, QStringList()});
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2) return {};
  if (revision != nullptr) *revision = reply.arguments().at(0).toUInt();
  return ReadEntry(reply.arguments().at(1).value<QDBusArgument>());
}

QDBusMessage StandInHost::MenuEvent(const QString& item, const QString& menuPath, int id,
                                    const QString& event) {
  return Call(item, menuPath, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"),
              {id, event, QVariant::fromValue(QDBusVariant(QString())), 0u});
}

void StandInHost::WatchLayoutUpdates(const QString& item, const QString& menuPath,
                                     SignalCounter& counter) {
  bus_.connect(item, menuPath, QStringLiteral("com.canonical.dbusmenu"),
               QStringLiteral("LayoutUpdated"), &counter, SLOT(Count()));
}

}  // namespace mirto::testing
