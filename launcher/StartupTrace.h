#pragma once

// Timestamps of the start's phases, for profiling the start-up. Silent unless
// the environment variable MIRTO_STARTUP_TRACE is set; each mark then prints
// one line "phase wall-milliseconds processor-milliseconds" on standard error. The milliseconds
// count from the variable's value, when it is a steady-clock reading in nanoseconds taken by
// whoever started the program (so the figures include loading the program and its libraries),
// otherwise from the first mark.

namespace mirto {

// True when the start is being traced.
bool StartupTraceEnabled();

// Prints the time elapsed up to now and the processor time used so far,
// named phase.
void StartupMark(const char* phase);

}  // namespace mirto
