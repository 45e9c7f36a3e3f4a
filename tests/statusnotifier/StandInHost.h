#pragma once

// A StatusNotifier watcher and host of the tests' own, on the session bus of
// the test run: it takes the items' registrations on a thread of its own, so
// that the program's own synchronous questions to the watcher are answered
// while the program's thread waits, and it reads the items and their menus
// and sends them clicks as a panel would, from the test's thread, with the
// event loop running while it waits for each answer.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QVariant>
#include <QVariantMap>
#include <memory>
#include <vector>

namespace mirto::testing {

// A menu entry as GetLayout gives it.
struct HostEntry {
  int id = 0;
  QVariantMap properties;
  std::vector<HostEntry> children;

  QString Label() const { return properties.value(QStringLiteral("label")).toString(); }
  bool Separator() const {
    return properties.value(QStringLiteral("type")).toString() == QLatin1String("separator");
  }
  bool Enabled() const { return properties.value(QStringLiteral("enabled"), true).toBool(); }
};

// Counts the signals it is connected to.
class SignalCounter : public QObject {
  Q_OBJECT
 public:
  int count = 0;
 public Q_SLOTS:
  void Count() { ++count; }
};

class StandInHost {
 public:
  StandInHost();
  ~StandInHost();
  StandInHost(const StandInHost&) = delete;
  StandInHost& operator=(const StandInHost&) = delete;

  // The services registered with the watcher so far, in order.
  QStringList Registrations() const;
  // Waits for the registration number `count` (1 = the first); its service,
  // empty when none came.
  QString WaitForRegistration(int count = 1);
  // Whether service still has an owner on the bus.
  bool OnTheBus(const QString& service) const;

  // A call to an item's object and its answer (an error message when it
  // failed or took longer than timeoutMs).
  QDBusMessage Call(const QString& service, const QString& path, const QString& interface,
                    const QString& method, const QVariantList& args, int timeoutMs = 5000);
  QVariant ItemProperty(const QString& item, const QString& name);
  // The whole menu of an item through GetLayout, and its revision.
  HostEntry Layout(const QString& item, const QString& menuPath, uint* revision = nullptr);
  QDBusMessage MenuEvent(const QString& item, const QString& menuPath, int id,
                         const QString& event);
  // Counts the menu's LayoutUpdated signals.
  void WatchLayoutUpdates(const QString& item, const QString& menuPath, SignalCounter& counter);

 private:
  class Watcher;
  QString connectionName_;
  QDBusConnection bus_{QString()};
  QThread thread_;
  std::unique_ptr<Watcher> watcher_;
};

}  // namespace mirto::testing
