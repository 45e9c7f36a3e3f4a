#pragma once

// An object on the session bus that answers its one interface by hand:
// method calls of the interface go to Answer, the standard property calls
// (Get, GetAll) to the properties Properties gives, introspection to a fixed
// text. The tray's status notifier item and its menu are such objects.

#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>
#include <QVariantMap>

namespace mirto {

class TDBusObject : public QDBusVirtualObject {
 public:
  // introspection: the object's description, a literal that outlives it.
  TDBusObject(QString interface, const char* introspection);

  QString introspect(const QString& path) const final;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) final;

 protected:
  // The answer to a call of the interface's method (message.member()).
  virtual QDBusMessage Answer(const QDBusMessage& message) = 0;
  // The interface's properties as they are now.
  virtual QVariantMap Properties() const = 0;

 private:
  QDBusMessage AnswerProperties(const QDBusMessage& message) const;

  QString interface_;
  const char* introspection_;
};

}  // namespace mirto
