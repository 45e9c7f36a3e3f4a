#pragma once

// A timer component: calls OnTimer every Interval milliseconds while it is
// enabled, on the user-interface thread.

#include <memory>

#include "platform/drawing/Types.h"
#include "platform/toolkit/Component.h"

namespace mirto {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner = nullptr);
  // Safe to call from the timer's own OnTimer handler.
  ~TTimer() override;

  // Enabled by default. Enabling an enabled timer changes nothing: it keeps
  // its current period and fires when that period ends.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Milliseconds, 1000 by default. A new interval restarts a running timer
  // from zero; 0 keeps the timer from firing at all. Negative values count
  // as 0.
  int Interval() const { return interval_; }
  void SetInterval(int interval);

  // Runs with the timer as sender; it may disable, re-enable, change or
  // destroy the timer.
  TNotifyEvent OnTimer;

 private:
  struct Clock;
  void UpdateClock();
  void Fire();

  bool enabled_ = true;
  int interval_ = 1000;
  std::unique_ptr<Clock> clock_;
};

}  // namespace mirto
