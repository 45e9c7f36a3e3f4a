#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <future>

#include "platform/system/LocalRequest.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/WaitUntil.h"

namespace mirto {
namespace {

const QByteArray kHello = "hello\n";
const QByteArray kOk = "ok\n";

// Asks from a thread of its own, since the listener answers from this
// thread's event loop.
TRequestOutcome AskWhileServing(const QString& name) {
  auto outcome = std::async(std::launch::async, [name] { return AskListener(name, kHello, kOk); });
  testing::WaitUntil(
      [&] { return outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
  return outcome.get();
}

// One listener answers, its handler runs once, and nobody listens once it
// is gone; on every system's transport.
TEST(LocalRequest, AListenerAnswersItsLineAndNobodyListensOnceItIsGone) {
  QTemporaryDir folder;
#if defined(_WIN32)
  const QString name = QStringLiteral("mirto-test-") + QFileInfo(folder.path()).fileName();
#else
  const QString name = folder.filePath("socket");
#endif
  EXPECT_EQ(AskListener(name, kHello, kOk), roNobodyListens);
  {
    TRequestListener listener(kHello, kOk);
    int requests = 0;
    listener.OnRequest = [&] { ++requests; };
    QString error;
    ASSERT_TRUE(listener.Listen(name, &error)) << error.toStdString();
    EXPECT_EQ(AskWhileServing(name), roAnswered);
    EXPECT_TRUE(testing::WaitUntil([&] { return requests == 1; }));
  }
  EXPECT_EQ(AskListener(name, kHello, kOk), roNobodyListens);
}

#if !defined(_WIN32)
// A socket file as a listener that ended without cleaning up leaves it.
void LeaveStaleSocket(const QString& name) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray path = QFile::encodeName(name);
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

TEST(LocalRequest, AListenerAnswersOnAPrivateSocketThatGoesWithIt) {
  QTemporaryDir folder;
  const QString name = folder.filePath("socket");
  EXPECT_EQ(AskListener(name, kHello, kOk), roNobodyListens) << "no socket file";
  LeaveStaleSocket(name);
  EXPECT_EQ(AskListener(name, kHello, kOk), roNobodyListens) << "a stale socket file";
  {
    TRequestListener listener(kHello, kOk);
    int requests = 0;
    listener.OnRequest = [&] { ++requests; };
    QString error;
    ASSERT_TRUE(listener.Listen(name, &error)) << error.toStdString();
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(name) & others, QFile::Permissions());
    EXPECT_EQ(AskWhileServing(name), roAnswered);
    EXPECT_TRUE(testing::WaitUntil([&] { return requests == 1; }));
  }
  EXPECT_FALSE(QFileInfo::exists(name));
  EXPECT_EQ(AskListener(name, kHello, kOk), roNobodyListens);
}

TEST(LocalRequest, ANameTooLongForASocketIsRefusedWithAReason) {
  const QString name = QStringLiteral("/tmp/") + QString(200, u'x');
  TRequestListener listener(kHello, kOk);
  QString error;
  EXPECT_FALSE(listener.Listen(name, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(AskListener(name, kHello, kOk), roNobodyListens);
}
#endif

}  // namespace
}  // namespace mirto
