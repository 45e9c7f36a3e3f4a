#include "platform/toolkit/SingleInstance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QTimer>
#include <cerrno>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mirto {

namespace {

constexpr int kConnectTimeout = 300;  // ms; a live launcher answers in far less
constexpr int kAnswerTimeout = 700;
constexpr int kIdleClientTimeout = 2000;
constexpr qint64 kRequestLength = sizeof(kActivateRequest) - 1;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

QString FolderKey(const QString& folder) {
  const QFileInfo info(folder);
  const QString canonical = info.canonicalFilePath();
  const QString path = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
  return QString::fromLatin1(
      QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(20));
}

#if !defined(_WIN32)
// The folder exists, is a real folder (no link), belongs to the user and
// nobody else may enter it.
bool IsPrivate(const QString& folder, QString* error) {
  struct stat st {};
  if (::lstat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    if (error != nullptr) *error = folder + QStringLiteral(" is not a folder");
    return false;
  }
  if (st.st_uid != ::getuid() || (st.st_mode & 077) != 0) {
    if (error != nullptr)
      *error = folder + QStringLiteral(" is not private to this user (owner or permissions)");
    return false;
  }
  return true;
}
#endif

}  // namespace

struct TSingleInstance::State {
  QString folder;
  QString serverName;
  QString error;
  std::unique_ptr<QLocalServer> server;
};

TSingleInstance::TSingleInstance(const QString& folder) : state_(std::make_unique<State>()) {
  state_->folder = folder;
}

TSingleInstance::~TSingleInstance() = default;

const QString& TSingleInstance::ErrorText() const { return state_->error; }
const QString& TSingleInstance::ServerName() const { return state_->serverName; }

QString TSingleInstance::PrivateFolder(QString* error) {
#if defined(_WIN32)
  (void)error;
  return QString();  // pipe names live in a name space of their own
#else
  QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (base.isEmpty() || !QFileInfo(base).isDir()) base = QDir::tempPath();
  const QString folder =
      QDir(base).filePath(QStringLiteral("mirto-%1").arg(static_cast<qulonglong>(::getuid())));
  // mkdir applies the mode at creation, so no other user ever sees the
  // folder open; an existing one is checked, never loosened or reused blindly.
  if (::mkdir(QFile::encodeName(folder).constData(), S_IRWXU) != 0 && errno != EEXIST) {
    if (error != nullptr) *error = QStringLiteral("cannot create ") + folder;
    return QString();
  }
  if (!IsPrivate(folder, error)) return QString();
  return folder;
#endif
}

QString TSingleInstance::ServerNameFor(const QString& privateFolder, const QString& folder) {
  const QString name = QStringLiteral("launcher-") + FolderKey(folder);
#if defined(_WIN32)
  (void)privateFolder;
  return QStringLiteral("mirto-") + qEnvironmentVariable("USERNAME") + u'-' + name;
#else
  return QDir(privateFolder).filePath(name);
#endif
}

TInstanceClaim TSingleInstance::Claim() {
  State& s = *state_;
  QString error;
  const QString privateFolder = PrivateFolder(&error);
#if !defined(_WIN32)
  if (privateFolder.isEmpty()) {
    s.error = error;
    return icCheckFailed;
  }
#endif
  s.serverName = ServerNameFor(privateFolder, s.folder);

  // Two starts at the same moment must not both decide to listen: the check
  // and the listening happen under a lock (a lock left by a crashed
  // launcher is recognised as stale and taken over).
  QLockFile lock((privateFolder.isEmpty() ? QDir::tempPath() : privateFolder) + u'/' +
                 QFileInfo(s.serverName).fileName() + QStringLiteral(".lock"));
  if (!lock.tryLock(2000)) {
    s.error = QStringLiteral("the start-up lock is held by another start");
    return icCheckFailed;
  }

  QLocalSocket client;
  client.connectToServer(s.serverName);
  if (client.waitForConnected(kConnectTimeout)) {
    client.write(kActivateRequest, kRequestLength);
    client.waitForBytesWritten(kAnswerTimeout);
    QByteArray answer;
    while (answer.size() < kAnswer.size() && client.waitForReadyRead(kAnswerTimeout))
      answer += client.read(kAnswer.size() - answer.size());
    if (answer == kAnswer) return icHandedOver;
    s.error = QStringLiteral("the running launcher did not answer");
    return icCheckFailed;
  }

  // Nobody listens: a socket file left there belongs to a launcher that
  // ended without cleaning up.
  QLocalServer::removeServer(s.serverName);
  s.server = std::make_unique<QLocalServer>();
  s.server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!s.server->listen(s.serverName)) {
    s.error = QStringLiteral("cannot listen on ") + s.serverName + QStringLiteral(": ") +
              s.server->errorString();
    s.server.reset();
    return icCheckFailed;
  }
  QLocalServer* server = s.server.get();
  QObject::connect(server, &QLocalServer::newConnection, server, [this, server] {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      // A client that never finishes its line is dropped.
      QTimer::singleShot(kIdleClientTimeout, socket, [socket] { socket->abort(); });
      // Nothing but the request line is read, however much a client sends.
      socket->setReadBufferSize(kRequestLength + 1);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        if (!socket->canReadLine()) {
          if (socket->bytesAvailable() >= kRequestLength) socket->abort();
          return;  // otherwise wait for the rest of the line
        }
        const QByteArray line = socket->readLine();
        if (line != QByteArray(kActivateRequest, kRequestLength) || socket->bytesAvailable() > 0) {
          socket->abort();
          return;
        }
        socket->write(kAnswer);
        socket->flush();
        socket->disconnectFromServer();
        const std::function<void()> handler = OnActivate;
        if (handler) handler();
      });
    }
  });
  return icFirst;
}

}  // namespace mirto
