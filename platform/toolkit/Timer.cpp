#include "platform/toolkit/Timer.h"

#include <QTimer>

namespace mirto {

struct TTimer::Clock {
  // Not owned by any QObject: deleted by the clock, or by the event loop when
  // the timer is destroyed from its own handler.
  QTimer* timer = new QTimer();
  // True while OnTimer runs: the QTimer is then inside its own signal and
  // must not be deleted there.
  bool firing = false;
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), clock_(std::make_unique<Clock>()) {
  QObject::connect(clock_->timer, &QTimer::timeout, clock_->timer, [this] { Fire(); });
  UpdateClock();
}

TTimer::~TTimer() {
  ExpireLife();
  QTimer* timer = clock_->timer;
  timer->stop();
  QObject::disconnect(timer, nullptr, nullptr, nullptr);
  if (clock_->firing)
    // Destroyed from its own handler: the QTimer is still emitting its
    // signal, so the event loop deletes it once the emission is over.
    timer->deleteLater();
  else
    delete timer;
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateClock();
}

void TTimer::SetInterval(int interval) {
  if (interval < 0) interval = 0;
  if (interval == interval_) return;
  interval_ = interval;
  clock_->timer->stop();
  UpdateClock();
}

void TTimer::UpdateClock() {
  const bool run = enabled_ && interval_ > 0;
  if (!run) {
    clock_->timer->stop();
    return;
  }
  // A running clock keeps its period; only a stopped one starts afresh.
  if (!clock_->timer->isActive()) clock_->timer->start(interval_);
}

void TTimer::Fire() {
  if (!OnTimer) return;
  const TLifeWatch watch = LifeWatch();
  clock_->firing = true;
  CallHandler(OnTimer, this);
  if (watch.Alive()) clock_->firing = false;
}

}  // namespace mirto
