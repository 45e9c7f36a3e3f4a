#include <QDBusConnection>
#include <QDBusVariant>
#include <QVariantList>
#include <utility>

#include "platform/toolkit/DBusObject_p.h"

namespace mirto {

namespace {
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
}

TDBusObject::TDBusObject(QString interface, const char* introspection)
    : interface_(std::move(interface)), introspection_(introspection) {}

QString TDBusObject::introspect(const QString&) const {
  return QString::fromLatin1(introspection_);
}

bool TDBusObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  if (message.type() != QDBusMessage::MethodCallMessage) return false;
  if (message.interface() == kProperties) {
    connection.send(AnswerProperties(message));
    return true;
  }
  if (!message.interface().isEmpty() && message.interface() != interface_) return false;
  connection.send(Answer(message));
  return true;
}

QDBusMessage TDBusObject::AnswerProperties(const QDBusMessage& message) const {
  const QVariantList args = message.arguments();
  const QString signature = message.signature();
  if (message.member() == QLatin1String("GetAll") && signature == QLatin1String("s"))
    return message.createReply(
        QVariant::fromValue(args.at(0).toString() == interface_ ? Properties() : QVariantMap()));
  if (message.member() == QLatin1String("Get") && signature == QLatin1String("ss") &&
      args.at(0).toString() == interface_) {
    const QVariantMap properties = Properties();
    const auto at = properties.find(args.at(1).toString());
    if (at != properties.end()) return message.createReply(QVariant::fromValue(QDBusVariant(*at)));
  }
  return message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such property"));
}

}  // namespace mirto
