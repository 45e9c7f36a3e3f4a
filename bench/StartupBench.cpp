// Start-up of the launcher as the user meets it, against the floor of any Qt
// program: mirto-startup-floor (bench/floor), a frameless window of the
// launcher's size that paints one colour, built from the toolkit alone. Each
// iteration starts both as fresh processes, one after the other, so the
// figures include loading the program and its libraries and the two share
// whatever the machine is doing. The launcher runs as it ships (build's
// mirto), traced: its trace tells when the window system maps the main
// window and when the first frame is painted. Each program runs for
// kRunSeconds from its start and is then ended, so that its peak resident
// memory covers what it does right after the first frame as well.
//
// Reported: the launcher's time to its first frame (the benchmark's time),
// medians of both programs' times to map and to the first frame, their
// ratios, their peak resident memory and processor time over the run; and,
// from the launcher's start-up trace, the median time from exec to the end
// of each phase of its start (at_<phase>_ms) with its page faults by the map.
//
// Run it on a real display (QT_QPA_PLATFORM=xcb, under xvfb-run for one of
// its own) on a machine doing nothing else: the ratios hold across machines,
// the milliseconds do not.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/support/BenchMain.h"
#include "launcher/StartupTrace.h"

namespace {

struct TStart {
  double mapSeconds = -1;
  double frameSeconds = -1;
  long peakKiB = -1;
  double processorMs = -1;
  std::vector<mirto::TStartupTraceLine> phases;  // traced starts only
};

constexpr const char* kTraceVariable = "MIRTO_STARTUP_TRACE";
constexpr double kRunSeconds = 1.5;

// Starts program, reads its reports ("mapped", "first frame", on standard
// output or as trace lines), ends it kRunSeconds after its start and waits
// for it. A traced start also prints its phases, timed from the same moment
// as the reports.
TStart StartAndWait(const std::vector<std::string>& command, bool traced) {
  using Clock = std::chrono::steady_clock;
  TStart result;
  int fds[2];
  if (pipe(fds) != 0) return result;
  const Clock::time_point start = Clock::now();
  // The child's environment and arguments are made here: between fork and
  // exec only async-signal-safe calls are allowed.
  if (traced) {
    const auto origin =
        std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch());
    setenv(kTraceVariable, std::to_string(origin.count()).c_str(), 1);
  }
  std::vector<char*> argv;
  argv.reserve(command.size() + 1);
  for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    dup2(fds[1], STDERR_FILENO);
    close(fds[0]);
    close(fds[1]);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (traced) unsetenv(kTraceVariable);
  close(fds[1]);
  if (pid < 0) {
    close(fds[0]);
    return result;
  }
  const auto elapsed = [start] {
    return std::chrono::duration<double>(Clock::now() - start).count();
  };
  std::string pending;
  char buffer[256];
  for (;;) {
    const double left = kRunSeconds - elapsed();
    if (left <= 0) break;
    pollfd ready{fds[0], POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left * 1000) + 1) <= 0) continue;
    const ssize_t got = read(fds[0], buffer, sizeof buffer);
    if (got <= 0) break;  // the program ended (or closed its output) early
    const double seconds = elapsed();
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      const auto phase = mirto::ParseStartupTraceLine(line);
      const std::string name = phase ? phase->phase : line;
      if (name == "mapped" && result.mapSeconds < 0) result.mapSeconds = seconds;
      if (name == "first frame" && result.frameSeconds < 0) result.frameSeconds = seconds;
      if (traced && phase) result.phases.push_back(*phase);
    }
  }
  kill(pid, SIGTERM);
  close(fds[0]);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return TStart{};
  // Ended by us, or by itself without a fault: anything else is a failed start.
  const bool endedByUs = WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM;
  if (!endedByUs && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) return TStart{};
  result.peakKiB = usage.ru_maxrss;
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  result.processorMs = ms(usage.ru_utime) + ms(usage.ru_stime);
  return result;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct TSeries {
  std::vector<double> map, frame, peak, processor;
  std::map<std::string, std::vector<double>> phaseMs;
  std::vector<double> faultsByMap;
  void Add(const TStart& s) {
    map.push_back(s.mapSeconds * 1e3);
    frame.push_back(s.frameSeconds * 1e3);
    peak.push_back(static_cast<double>(s.peakKiB));
    processor.push_back(s.processorMs);
    for (const mirto::TStartupTraceLine& phase : s.phases) {
      phaseMs[phase.phase].push_back(phase.ms);
      if (phase.phase == "mapped" && phase.pageFaults >= 0)
        faultsByMap.push_back(static_cast<double>(phase.pageFaults));
    }
  }
};

// "main window" -> "at_main_window_ms"
std::string PhaseCounterName(std::string phase) {
  std::replace(phase.begin(), phase.end(), ' ', '_');
  return "at_" + phase + "_ms";
}

bool Complete(const TStart& s) { return s.mapSeconds >= 0 && s.frameSeconds >= 0 && s.peakKiB > 0; }

void BM_StartupAgainstBareWindow(benchmark::State& state) {
  TSeries floor, mirto;
  for (auto _ : state) {
    const TStart bare = StartAndWait({MIRTO_STARTUP_FLOOR_PROGRAM}, false);
    const TStart ours = StartAndWait({MIRTO_PROGRAM}, true);
    if (!Complete(bare) || !Complete(ours)) {
      state.SkipWithError("a program did not report its map and first frame");
      return;
    }
    floor.Add(bare);
    mirto.Add(ours);
    state.SetIterationTime(ours.frameSeconds);
  }
  const double floorMap = Median(floor.map), floorFrame = Median(floor.frame);
  const double mirtoMap = Median(mirto.map), mirtoFrame = Median(mirto.frame);
  state.counters["floor_map_ms"] = floorMap;
  state.counters["floor_frame_ms"] = floorFrame;
  state.counters["mirto_map_ms"] = mirtoMap;
  state.counters["mirto_frame_ms"] = mirtoFrame;
  state.counters["map_ratio"] = floorMap > 0 ? mirtoMap / floorMap : 0;
  state.counters["frame_ratio"] = floorFrame > 0 ? mirtoFrame / floorFrame : 0;
  state.counters["floor_peak_KiB"] = Median(floor.peak);
  state.counters["mirto_peak_KiB"] = Median(mirto.peak);
  state.counters["peak_over_floor_KiB"] = Median(mirto.peak) - Median(floor.peak);
  state.counters["floor_cpu_ms"] = Median(floor.processor);
  state.counters["mirto_cpu_ms"] = Median(mirto.processor);
  for (const auto& [phase, ms] : mirto.phaseMs)
    state.counters[PhaseCounterName(phase)] = Median(ms);
  if (!mirto.faultsByMap.empty()) state.counters["mirto_faults_by_map"] = Median(mirto.faultsByMap);
}
BENCHMARK(BM_StartupAgainstBareWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

}  // namespace

int main(int argc, char** argv) {
  mirto::bench::RunWithoutDisplay();
  return mirto::bench::RunBenchmarks(argc, argv);
}
