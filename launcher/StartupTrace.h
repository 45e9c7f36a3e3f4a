#pragma once

// Timestamps of the start's phases, for profiling the start-up. Silent unless
// the environment variable MIRTO_STARTUP_TRACE is set; each mark then prints
// one line "phase wall-milliseconds processor-milliseconds page-faults" on
// standard error (processor time and page faults of the whole process so far;
// -1 where the system does not count faults). The milliseconds count from the
// variable's value, when it is a steady-clock reading in nanoseconds taken by
// whoever started the program (so the figures include loading the program and
// its libraries), otherwise from the first mark. bench/StartupBench reads
// these lines.

#include <optional>
#include <string>
#include <string_view>

namespace mirto {

// True when the start is being traced.
bool StartupTraceEnabled();

// Prints the time elapsed up to now and the processor time used so far,
// named phase.
void StartupMark(const char* phase);

// One line a mark prints, read back.
struct TStartupTraceLine {
  std::string phase;  // may hold spaces ("main window")
  double ms = 0;
  double processorMs = 0;
  long pageFaults = -1;
};

// Reads a line StartupMark printed (without its line end); nothing for any
// other line, such as the toolkit's own messages on the same stream.
std::optional<TStartupTraceLine> ParseStartupTraceLine(std::string_view line);

}  // namespace mirto
