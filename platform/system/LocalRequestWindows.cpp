// The local request over named pipes, through the toolkit's local sockets,
// open to the user alone.

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QTimer>

#include "platform/system/LocalRequest.h"
#include "platform/system/LocalRequest_p.h"

namespace mirto {

TRequestOutcome AskListener(const QString& name, const QByteArray& request,
                            const QByteArray& answer, TRequestTimeouts timeouts) {
  QLocalSocket client;
  client.connectToServer(name);
  if (!client.waitForConnected(timeouts.ConnectMs)) return roNobodyListens;
  client.write(request);
  client.waitForBytesWritten(timeouts.AnswerMs);
  QByteArray received;
  while (received.size() < answer.size() && client.waitForReadyRead(timeouts.AnswerMs))
    received += client.read(answer.size() - received.size());
  return received == answer ? roAnswered : roNoAnswer;
}

struct TRequestListener::State {
  QByteArray request;
  QByteArray answer;
  std::unique_ptr<QLocalServer> server;
};

TRequestListener::TRequestListener(QByteArray request, QByteArray answer)
    : state_(std::make_unique<State>()) {
  state_->request = std::move(request);
  state_->answer = std::move(answer);
}

TRequestListener::~TRequestListener() = default;

bool TRequestListener::Listen(const QString& name, QString* error) {
  QLocalServer::removeServer(name);
  auto server = std::make_unique<QLocalServer>();
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(name)) {
    if (error != nullptr) *error = server->errorString();
    return false;
  }
  state_->server = std::move(server);
  QLocalServer* listening = state_->server.get();
  const State* state = state_.get();
  QObject::connect(listening, &QLocalServer::newConnection, listening, [this, listening, state] {
    while (QLocalSocket* socket = listening->nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QTimer::singleShot(kIdleClientMs, socket, [socket] { socket->abort(); });
      socket->setReadBufferSize(state->request.size() + 1);
      QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket, state] {
        const QByteArray received = socket->peek(state->request.size() + 1);
        switch (Judge(received, state->request)) {
          case TLineVerdict::lvWaitForMore:
            return;
          case TLineVerdict::lvHangUp:
            socket->abort();
            return;
          case TLineVerdict::lvAnswer:
            break;
        }
        socket->write(state->answer);
        socket->flush();
        socket->disconnectFromServer();
        // A copy: the handler may end this listener.
        if (const auto handler = OnRequest) handler();
      });
    }
  });
  return true;
}

}  // namespace mirto
