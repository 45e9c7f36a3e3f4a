#include "launcher/StartupTrace.h"

#include <QByteArray>
#include <QtGlobal>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>

#if defined(__unix__)
#include <sys/resource.h>
#endif

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
  // the wall clock. So do the page faults: each first touch of a page costs
  // the kernel's time, several microseconds on a virtual machine.
  timespec cpu{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  long faults = -1;
#if defined(__unix__)
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) == 0) faults = usage.ru_minflt + usage.ru_majflt;
#endif
  std::fprintf(stderr, "%s %.2f %.2f %ld\n", phase, ms,
               static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6,
               faults);
}

namespace {

// Takes the last space-separated field off `line` and reads it as a number.
template <typename Number>
bool TakeLastNumber(std::string_view& line, Number& value) {
  const std::size_t space = line.rfind(' ');
  if (space == std::string_view::npos) return false;
  const std::string_view field = line.substr(space + 1);
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, value);
  if (error != std::errc() || stop != end) return false;
  line = line.substr(0, space);
  return true;
}

}  // namespace

std::optional<TStartupTraceLine> ParseStartupTraceLine(std::string_view line) {
  TStartupTraceLine parsed;
  if (!TakeLastNumber(line, parsed.pageFaults) || !TakeLastNumber(line, parsed.processorMs) ||
      !TakeLastNumber(line, parsed.ms) || line.empty())
    return std::nullopt;
  parsed.phase = std::string(line);
  return parsed;
}

}  // namespace mirto
