#pragma once

// The rule both transports of a local request keep (LocalRequestUnix.cpp,
// LocalRequestWindows.cpp): which bytes a listener answers, and how long it
// waits for them.

#include <QByteArray>

namespace mirto {

// A client that has not sent its line by then is dropped.
constexpr int kIdleClientMs = 2000;

// What one client's bytes mean so far: the expected line alone is answered;
// a line with anything else, or no line end within the expected length,
// ends the connection.
enum class TLineVerdict { lvWaitForMore, lvAnswer, lvHangUp };

inline TLineVerdict Judge(const QByteArray& received, const QByteArray& request) {
  const qsizetype end = received.indexOf('\n');
  if (end < 0)
    return received.size() >= request.size() ? TLineVerdict::lvHangUp : TLineVerdict::lvWaitForMore;
  return end + 1 == received.size() && received == request ? TLineVerdict::lvAnswer
                                                           : TLineVerdict::lvHangUp;
}

}  // namespace mirto
