#pragma once

// A one-line request between two programs of one user on one machine, over a
// local socket: the asking side sends its line and reads the answer; the
// listening side answers exactly its one expected line and hangs up on
// anything else. Nothing but that line is ever read, however much a client
// sends, and a client that sends nothing is dropped after a while.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace mirto {

enum class TRequestOutcome {
  roNobodyListens,  // no socket, or a socket left by a program that ended
  roAnswered,       // the listener gave the expected answer
  roNoAnswer,       // someone listens but did not answer as expected
};
using enum TRequestOutcome;

struct TRequestTimeouts {
  int ConnectMs = 300;
  int AnswerMs = 700;
};

// Sends request to the listener at name and waits for answer.
TRequestOutcome AskListener(const QString& name, const QByteArray& request,
                            const QByteArray& answer, TRequestTimeouts timeouts = {});

class TRequestListener {
 public:
  // Answers answer to each client that sends exactly request, then calls
  // OnRequest from the event loop.
  TRequestListener(QByteArray request, QByteArray answer);
  ~TRequestListener();  // stops listening and removes the socket
  TRequestListener(const TRequestListener&) = delete;
  TRequestListener& operator=(const TRequestListener&) = delete;

  // Listens at name, replacing a socket left there; false with the reason in
  // error when that fails.
  bool Listen(const QString& name, QString* error);

  std::function<void()> OnRequest;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace mirto
