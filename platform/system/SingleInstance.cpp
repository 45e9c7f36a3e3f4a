#include "platform/system/SingleInstance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cerrno>

#include "platform/system/LocalRequest.h"

#if defined(_WIN32)
#include <QLockFile>
#endif

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mirto {

namespace {

const QByteArray kAnswer = QByteArrayLiteral("ok\n");

QByteArray Request() { return QByteArray(kActivateRequest, sizeof(kActivateRequest) - 1); }

constexpr int kLockTimeoutMs = 2000;

#if defined(_WIN32)
// The toolkit's lock file; a lock left by a crashed launcher is recognised
// as stale and taken over.
class TStartLock {
 public:
  explicit TStartLock(const QString& path) : file_(path) {}
  bool Acquire(int timeoutMs) { return file_.tryLock(timeoutMs); }

 private:
  QLockFile file_;
};
#else
// A lock the system holds for the open file and drops when the launcher
// ends, however it ends: no stale lock to recognise, and nothing written to
// the disk, so taking it costs no wait for the disk at every start.
class TStartLock {
 public:
  explicit TStartLock(const QString& path)
      : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                   S_IRUSR | S_IWUSR)) {}
  ~TStartLock() {
    if (fd_ >= 0) ::close(fd_);  // closing drops the lock
  }
  TStartLock(const TStartLock&) = delete;
  TStartLock& operator=(const TStartLock&) = delete;

  bool Acquire(int timeoutMs) {
    if (fd_ < 0) return false;
    QElapsedTimer clock;
    clock.start();
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || clock.hasExpired(timeoutMs)) return false;
      ::usleep(5000);
    }
    return true;
  }

 private:
  int fd_;
};
#endif

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
  std::unique_ptr<TStartLock> lock;  // from a first Claim until Listen
  std::unique_ptr<TRequestListener> listener;
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
  QString folder =
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

  // Two starts at the same moment must not both decide to listen: from the
  // check until the listening the start holds a lock.
  auto lock = std::make_unique<TStartLock>(
      (privateFolder.isEmpty() ? QDir::tempPath() : privateFolder) + u'/' +
      QFileInfo(s.serverName).fileName() + QStringLiteral(".start-lock"));
  if (!lock->Acquire(kLockTimeoutMs)) {
    s.error = QStringLiteral("the start-up lock is held by another start");
    return icCheckFailed;
  }

  switch (AskListener(s.serverName, Request(), kAnswer)) {
    case roAnswered:
      return icHandedOver;
    case roNoAnswer:
      s.error = QStringLiteral("the running launcher did not answer");
      return icCheckFailed;
    case roNobodyListens:
      break;
  }
  s.lock = std::move(lock);
  return icFirst;
}

bool TSingleInstance::Listen() {
  State& s = *state_;
  if (!s.lock) {
    s.error = QStringLiteral("no start-up check has made this start the first");
    return false;
  }
  // Once listening, or failing to, later starts may go ahead.
  const std::unique_ptr<TStartLock> lock = std::move(s.lock);
  // Nobody listens: a socket file left there belongs to a launcher that
  // ended without cleaning up, and listening replaces it.
  auto listener = std::make_unique<TRequestListener>(Request(), kAnswer);
  QString error;
  if (!listener->Listen(s.serverName, &error)) {
    s.error = QStringLiteral("cannot listen on ") + s.serverName + QStringLiteral(": ") + error;
    return false;
  }
  listener->OnRequest = [this] {
    if (const auto handler = OnActivate) handler();  // a copy: it may end this instance
  };
  s.listener = std::move(listener);
  return true;
}

void TSingleInstance::StopListening() { state_->listener.reset(); }

}  // namespace mirto
