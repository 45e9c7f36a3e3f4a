#include "launcher/StartupTrace.h"

#include <QByteArray>
#include <QtGlobal>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace mirto {

namespace {

using Clock = std::chrono::steady_clock;

struct TTraceState {
  bool enabled = false;
  bool originKnown = false;
  Clock::time_point origin;
};

TTraceState& State() {
  static TTraceState state = [] {
    TTraceState s;
    const QByteArray value = qgetenv("MIRTO_STARTUP_TRACE");
    s.enabled = !value.isNull();
    bool ok = false;
    const qlonglong nanoseconds = value.toLongLong(&ok);
    if (ok && nanoseconds > 0) {
      s.origin = Clock::time_point(std::chrono::nanoseconds(nanoseconds));
      s.originKnown = true;
    }
    return s;
  }();
  return state;
}

}  // namespace

bool StartupTraceEnabled() { return State().enabled; }

void StartupMark(const char* phase) {
  TTraceState& state = State();
  if (!state.enabled) return;
  const Clock::time_point now = Clock::now();
  if (!state.originKnown) {
    state.origin = now;
    state.originKnown = true;
  }
  const double ms = std::chrono::duration<double, std::milli>(now - state.origin).count();
  // Processor time of the whole process too: under load it says more than
  // the wall clock.
  timespec cpu{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  std::fprintf(stderr, "%s %.2f %.2f\n", phase, ms,
               static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6);
}

}  // namespace mirto
