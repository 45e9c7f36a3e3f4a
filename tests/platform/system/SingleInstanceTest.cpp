#include <gtest/gtest.h>

#if defined(_WIN32)
#include <QLockFile>
#else
#include <sys/file.h>
#endif

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtCore/QCoreApplication>
#include <atomic>
#include <thread>

#include "platform/system/SingleInstance.h"
#include "tests/support/QtPrinters.h"

namespace mirto {
namespace {

// A runtime folder and a launcher folder of the test's own for the duration
// of one test: the tests run side by side, and on Windows the pipes' names
// and the start locks of one folder are shared by every process of the user.
class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime_.isValid());
    ASSERT_TRUE(launcherFolder_.isValid());
    saved_ = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
  }
  void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved_); }

  // Sends bytes as a start would, then lets the launcher answer; returns
  // what came back.
  static QByteArray Send(const QString& server, const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(1000)) return "(no connection)";
    socket.write(bytes);
    socket.flush();
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300 && socket.state() == QLocalSocket::ConnectedState) {
      QCoreApplication::processEvents();
      answer += socket.readAll();
      QThread::msleep(5);
    }
    return answer + socket.readAll();
  }

  QString Folder() const { return launcherFolder_.path(); }

  QTemporaryDir runtime_;
  QTemporaryDir launcherFolder_;
  QByteArray saved_;
};

TEST_F(SingleInstance, OnlyTheOneRequestLineActivatesAndIsAnswered) {
  TSingleInstance first(Folder());
  ASSERT_EQ(first.Claim(), icFirst) << first.ErrorText().toStdString();
  ASSERT_TRUE(first.Listen()) << first.ErrorText().toStdString();
  int activations = 0;
  first.OnActivate = [&] { ++activations; };
  const QByteArray request(kActivateRequest);
  struct Case {
    const char* what;
    QByteArray bytes;
    bool activates;
  };
  const Case cases[] = {
      {"the request", request, true},
      {"another line", "hello\n", false},
      {"the request without its line end", request.chopped(1), false},
      {"the request twice", request + request, false},
      {"the request with more on the line", request.chopped(1) + "x\n", false},
      {"a long line", QByteArray(100000, 'a') + "\n", false},
      {"nothing", QByteArray(), false},
  };
  for (const Case& c : cases) {
    const int before = activations;
    const QByteArray answer = Send(first.ServerName(), c.bytes);
    EXPECT_EQ(activations - before, c.activates ? 1 : 0) << c.what;
    EXPECT_EQ(answer, c.activates ? QByteArray("ok\n") : QByteArray()) << c.what;
  }
}

// Between its check and its listening a first start makes its application
// object; a second start in that gap must wait for it and be answered, not
// find nobody and become a second first.
TEST_F(SingleInstance, AStartBetweenTheFirstOnesCheckAndItsListeningIsAnsweredOnceItListens) {
  TSingleInstance first(Folder());
  ASSERT_EQ(first.Claim(), icFirst) << first.ErrorText().toStdString();
  int activations = 0;
  first.OnActivate = [&] { ++activations; };
  std::atomic<int> second{-1};
  std::thread start([&second, folder = Folder()] {
    TSingleInstance instance(folder);
    second = static_cast<int>(instance.Claim());
  });
  QThread::msleep(150);  // the second start is at the lock by now
  EXPECT_EQ(second.load(), -1) << "the second start did not wait for the first one's listening";
  ASSERT_TRUE(first.Listen()) << first.ErrorText().toStdString();
  QElapsedTimer clock;
  clock.start();
  while (second.load() == -1 && clock.elapsed() < 5000) {
    QCoreApplication::processEvents();
    QThread::msleep(5);
  }
  start.join();
  EXPECT_EQ(second.load(), static_cast<int>(icHandedOver));
  EXPECT_EQ(activations, 1);
  first.StopListening();
  TSingleInstance later(Folder());
  EXPECT_EQ(later.Claim(), icFirst) << "a launcher that stopped listening still answered";
}

#if !defined(_WIN32)
TEST_F(SingleInstance, FoldersHaveTheirOwnNamesAndTheSocketFolderIsPrivate) {
  QTemporaryDir a;
  QTemporaryDir b;
  const QString folder = TSingleInstance::PrivateFolder();
  ASSERT_FALSE(folder.isEmpty());
  const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
  EXPECT_EQ(QFile::permissions(folder) & others, QFile::Permissions());
  EXPECT_EQ(TSingleInstance::ServerNameFor(folder, a.path()),
            TSingleInstance::ServerNameFor(folder, a.path() + "/../" + QDir(a.path()).dirName()));
  EXPECT_NE(TSingleInstance::ServerNameFor(folder, a.path()),
            TSingleInstance::ServerNameFor(folder, b.path()));
  EXPECT_TRUE(TSingleInstance::ServerNameFor(folder, a.path()).startsWith(folder + "/"));
}

TEST_F(SingleInstance, ASocketFolderOthersMayEnterFailsTheCheckWithAReason) {
  const QString folder = TSingleInstance::PrivateFolder();
  ASSERT_FALSE(folder.isEmpty());
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadOther | QFile::ExeOther);
  TSingleInstance instance(Folder());
  EXPECT_EQ(instance.Claim(), icCheckFailed);
  EXPECT_TRUE(instance.ErrorText().contains("not private")) << instance.ErrorText().toStdString();
}

// A folder the group may enter or write to is no more private than one
// everybody may enter.
TEST_F(SingleInstance, ASocketFolderTheGroupMayEnterOrWriteFailsTheCheck) {
  const QString folder = TSingleInstance::PrivateFolder();
  ASSERT_FALSE(folder.isEmpty());
  const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
  for (const QFile::Permission group : {QFile::ExeGroup, QFile::WriteGroup}) {
    SCOPED_TRACE(group == QFile::ExeGroup ? "the group may enter" : "the group may write");
    ASSERT_TRUE(QFile::setPermissions(folder, owner | group));
    TSingleInstance instance(Folder());
    EXPECT_EQ(instance.Claim(), icCheckFailed);
    EXPECT_TRUE(instance.ErrorText().contains("not private")) << instance.ErrorText().toStdString();
  }
  ASSERT_TRUE(QFile::setPermissions(folder, owner));
  TSingleInstance instance(Folder());
  EXPECT_EQ(instance.Claim(), icFirst) << instance.ErrorText().toStdString();
}

#endif

#if defined(_WIN32)
// Holds the start lock of a launcher in folder as another start would: the
// toolkit's lock file in the user's temporary folder.
class HeldStartLock {
 public:
  explicit HeldStartLock(const QString& folder)
      : file_(QDir::tempPath() + u'/' + TSingleInstance::ServerNameFor(QString(), folder) +
              ".start-lock") {
    held_ = file_.tryLock(0);
  }
  bool Held() const { return held_; }

 private:
  QLockFile file_;
  bool held_ = false;
};

TEST_F(SingleInstance, AStartLockHeldByAnotherStartFailsTheCheckWithAReason) {
  const HeldStartLock lock(Folder());
  ASSERT_TRUE(lock.Held());
  TSingleInstance instance(Folder());
  EXPECT_EQ(instance.Claim(), icCheckFailed);
  EXPECT_TRUE(instance.ErrorText().contains("lock")) << instance.ErrorText().toStdString();
}
#else
// Holds the start lock of a launcher in folder as another start would, with
// flock's how (LOCK_EX or LOCK_SH).
class HeldStartLock {
 public:
  HeldStartLock(const QString& folder, int how)
      : file_(TSingleInstance::ServerNameFor(TSingleInstance::PrivateFolder(), folder) +
              ".start-lock") {
    held_ = file_.open(QIODevice::ReadWrite) && ::flock(file_.handle(), how | LOCK_NB) == 0;
  }
  bool Held() const { return held_; }

 private:
  QFile file_;
  bool held_ = false;
};

TEST_F(SingleInstance, AStartLockHeldByAnotherStartFailsTheCheckWithAReason) {
  const HeldStartLock lock(Folder(), LOCK_EX);
  ASSERT_TRUE(lock.Held());
  TSingleInstance instance(Folder());
  EXPECT_EQ(instance.Claim(), icCheckFailed);
  EXPECT_TRUE(instance.ErrorText().contains("lock")) << instance.ErrorText().toStdString();
}

// Two starts that both took the lock shared would both pass it at once and
// both listen: the start lock is taken for one start alone.
TEST_F(SingleInstance, TwoStartsAtOnceNeverBothPassTheStartLock) {
  const HeldStartLock shared(Folder(), LOCK_SH);
  ASSERT_TRUE(shared.Held());
  TSingleInstance instance(Folder());
  EXPECT_EQ(instance.Claim(), icCheckFailed);
  EXPECT_TRUE(instance.ErrorText().contains("lock")) << instance.ErrorText().toStdString();
}
#endif

}  // namespace
}  // namespace mirto
