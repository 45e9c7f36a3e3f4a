#include "tests/support/WaitUntil.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>

namespace mirto::testing {

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  if (done()) return true;
  QEventLoop loop;
  // The condition may change by another process's doing (a file appears),
  // which posts no event: it is looked at every few milliseconds as well.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  poll.start(5);
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

void RunEventsFor(int ms) {
  WaitUntil([] { return false; }, ms);
}

}  // namespace mirto::testing
