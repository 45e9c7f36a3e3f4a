// The local request over Unix-domain sockets: a socket file in a folder only
// the user may enter, its descriptors watched by the event loop, so that no
// network library is loaded at start.

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/system/LocalRequest.h"
#include "platform/system/LocalRequest_p.h"

namespace mirto {

namespace {

using Clock = std::chrono::steady_clock;

// Owns one descriptor.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool FillAddress(const QString& name, sockaddr_un* address) {
  const QByteArray path = QFile::encodeName(name);
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  if (path.isEmpty() || path.contains('\0') ||
      static_cast<std::size_t>(path.size()) >= sizeof address->sun_path)
    return false;
  std::memcpy(address->sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  return true;
}

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits until fd is ready for events or the deadline passes.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd ready{fd, events, 0};
    const int result = ::poll(&ready, 1, MillisecondsUntil(deadline));
    if (result > 0) return true;
    if (result == 0 || errno != EINTR) return false;
  }
}

}  // namespace

TRequestOutcome AskListener(const QString& name, const QByteArray& request,
                            const QByteArray& answer, TRequestTimeouts timeouts) {
  sockaddr_un address{};
  if (!FillAddress(name, &address)) return roNobodyListens;  // no listener can have it
  const TDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!socket.Valid()) return roNoAnswer;
  const auto* target = reinterpret_cast<const sockaddr*>(&address);
  const Clock::time_point connectDeadline =
      Clock::now() + std::chrono::milliseconds(timeouts.ConnectMs);
  // A listener whose queue is full is busy, not gone: it is asked again
  // until the time is up, and its socket is never taken from it.
  while (::connect(socket.Get(), target, sizeof address) != 0) {
    if (errno == ENOENT || errno == ECONNREFUSED) return roNobodyListens;
    if ((errno != EAGAIN && errno != EINTR) || MillisecondsUntil(connectDeadline) == 0)
      return roNoAnswer;
    ::poll(nullptr, 0, 5);
  }

  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeouts.AnswerMs);
  for (qsizetype sent = 0; sent < request.size();) {
    const ssize_t n = ::send(socket.Get(), request.constData() + sent,
                             static_cast<std::size_t>(request.size() - sent), MSG_NOSIGNAL);
    if (n > 0) {
      sent += n;
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      if (!WaitFor(socket.Get(), POLLOUT, deadline)) return roNoAnswer;
    } else {
      return roNoAnswer;
    }
  }
  QByteArray received;
  while (received.size() < answer.size()) {
    char chunk[64];
    const std::size_t wanted =
        std::min(sizeof chunk, static_cast<std::size_t>(answer.size() - received.size()));
    const ssize_t n = ::recv(socket.Get(), chunk, wanted, 0);
    if (n > 0) {
      received.append(chunk, n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      if (!WaitFor(socket.Get(), POLLIN, deadline)) break;
    } else {
      break;  // the listener hung up
    }
  }
  return received == answer ? roAnswered : roNoAnswer;
}

namespace {

// One accepted connection, until it is answered or dropped.
class TClient : public QObject {
 public:
  TClient(int fd, const QByteArray& request, const QByteArray& answer,
          std::function<void()> onAnswered, QObject* parent)
      : QObject(parent),
        socket_(fd),
        request_(request),
        answer_(answer),
        onAnswered_(std::move(onAnswered)),
        notifier_(fd, QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, this, [this] { Read(); });
    QTimer::singleShot(kIdleClientMs, this, [this] { HangUp(); });
  }

 private:
  void Read() {
    // Nothing past the expected line is ever read.
    while (received_.size() <= request_.size()) {
      char chunk[64];
      const std::size_t wanted =
          std::min(sizeof chunk, static_cast<std::size_t>(request_.size() + 1 - received_.size()));
      const ssize_t n = ::recv(socket_.Get(), chunk, wanted, 0);
      if (n > 0) {
        received_.append(chunk, n);
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) break;
      HangUp();  // the client went away
      return;
    }
    switch (Judge(received_, request_)) {
      case TLineVerdict::lvWaitForMore:
        return;
      case TLineVerdict::lvHangUp:
        HangUp();
        return;
      case TLineVerdict::lvAnswer:
        break;
    }
    ::send(socket_.Get(), answer_.constData(), static_cast<std::size_t>(answer_.size()),
           MSG_NOSIGNAL);
    const std::function<void()> handler = onAnswered_;
    HangUp();
    if (handler) handler();  // may end the listener and this client with it
  }

  void HangUp() {
    notifier_.setEnabled(false);
    ::shutdown(socket_.Get(), SHUT_RDWR);
    deleteLater();
  }

  TDescriptor socket_;
  QByteArray request_;
  QByteArray answer_;
  QByteArray received_;
  std::function<void()> onAnswered_;
  QSocketNotifier notifier_;
};

}  // namespace

struct TRequestListener::State {
  QByteArray request;
  QByteArray answer;
  QByteArray path;
  std::unique_ptr<TDescriptor> socket;
  std::unique_ptr<QSocketNotifier> notifier;
  QObject clients;  // parent of the open connections
};

TRequestListener::TRequestListener(QByteArray request, QByteArray answer)
    : state_(std::make_unique<State>()) {
  state_->request = std::move(request);
  state_->answer = std::move(answer);
}

TRequestListener::~TRequestListener() {
  state_->notifier.reset();
  if (state_->socket) {
    state_->socket.reset();
    ::unlink(state_->path.constData());
  }
}

bool TRequestListener::Listen(const QString& name, QString* error) {
  const auto fail = [error](const QString& reason) {
    if (error != nullptr) *error = reason;
    return false;
  };
  sockaddr_un address{};
  if (!FillAddress(name, &address)) return fail(QStringLiteral("the socket name is too long"));
  auto socket = std::make_unique<TDescriptor>(
      ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!socket->Valid()) return fail(QString::fromLocal8Bit(std::strerror(errno)));
  // The socket file takes the socket's mode when it is made: only the user
  // may ever connect.
  ::fchmod(socket->Get(), S_IRUSR | S_IWUSR);
  ::unlink(address.sun_path);  // left by a launcher that ended without cleaning up
  if (::bind(socket->Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(socket->Get(), 16) != 0)
    return fail(QString::fromLocal8Bit(std::strerror(errno)));
  ::chmod(address.sun_path, S_IRUSR | S_IWUSR);
  state_->path = QByteArray(address.sun_path);
  state_->socket = std::move(socket);
  state_->notifier =
      std::make_unique<QSocketNotifier>(state_->socket->Get(), QSocketNotifier::Read);
  State* state = state_.get();
  QObject::connect(
      state->notifier.get(), &QSocketNotifier::activated, &state->clients, [this, state] {
        for (;;) {
          const int fd =
              ::accept4(state->socket->Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
          if (fd < 0) {
            if (errno == EINTR) continue;
            return;  // no more waiting, or nothing to take now
          }
          new TClient(
              fd, state->request, state->answer,
              [this] {
                // A copy: the handler may end this listener.
                if (const auto handler = OnRequest) handler();
              },
              &state->clients);
        }
      });
  return true;
}

}  // namespace mirto
