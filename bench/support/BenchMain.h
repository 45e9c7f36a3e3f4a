#pragma once

// What every benchmark program does around its own application: it needs no
// display (offscreen unless QT_QPA_PLATFORM names a platform), and it runs
// the benchmarks its command line selects.

#include <functional>

namespace mirto::bench {

// Call before the application is made.
void RunWithoutDisplay();

// Runs the benchmarks the command line selects; 1 (nothing run) when the
// command line holds an argument the benchmark library does not know.
int RunBenchmarks(int& argc, char** argv);

// Both, inside the program's own initialised application, for benchmarks of
// controls and windows; cleanUp runs after them while the application still
// lives (to destroy what they kept).
int RunInApplication(int& argc, char** argv, const std::function<void()>& cleanUp = {});

}  // namespace mirto::bench
