// Start-up of the launcher as the user meets it, against the floor of any Qt
// program: a bare frameless QWidget window of the launcher's size that paints
// one colour (no toolkit layer of ours, nothing else). Each iteration starts
// both as fresh processes, one after the other, so the figures include
// loading the program and its libraries and the two share whatever the
// machine is doing. The launcher runs as its start-up program
// (mirto-screenshot --first-frame: the entry point's start-up, reporting
// "mapped" when the window system maps the main window and "first frame"
// once it has painted, then exiting).
//
// Reported: the launcher's time to its first frame (the benchmark's time),
// medians of both programs' times to map and to the first frame, their
// ratios, and the peak resident memory of both processes; and, from the
// launcher's start-up trace, the median time from exec to the end of each
// phase of its start (at_<phase>_ms) with its page faults by the map.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QColor>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/support/BenchMain.h"
#include "launcher/StartupTrace.h"

namespace {

constexpr const char* kFloorChild = "--floor-child";
std::string g_self;

void Report(const char* line) {
  std::fputs(line, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// The floor deliberately bypasses the toolkit layer: it is what any Qt
// Widgets program pays at least.
class FloorWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), QColor(98, 98, 98));
    if (painted_) return;
    painted_ = true;
    QTimer::singleShot(0, [] {
      Report("first frame");
      QCoreApplication::quit();
    });
  }

 private:
  bool painted_ = false;
};

class MapWatcher : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && watched->isWindowType() &&
        static_cast<QWindow*>(watched)->isExposed()) {
      qApp->removeEventFilter(this);
      Report("mapped");
    }
    return false;
  }
};

int FloorChild(int argc, char** argv) {
  QApplication app(argc, argv);
  MapWatcher watcher;
  app.installEventFilter(&watcher);
  FloorWindow window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.resize(615, 336);
  window.show();
  return app.exec();
}

struct TStart {
  double mapSeconds = -1;
  double frameSeconds = -1;
  long peakKiB = -1;
  std::vector<mirto::TStartupTraceLine> phases;  // traced starts only
};

constexpr const char* kTraceVariable = "MIRTO_STARTUP_TRACE";

// Starts program, reads its reports and waits for its end. A traced start
// also prints its phases, timed from the same moment as the reports.
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
    if (traced) dup2(fds[1], STDERR_FILENO);
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
  std::string pending;
  char buffer[256];
  ssize_t got = 0;
  while ((got = read(fds[0], buffer, sizeof buffer)) > 0) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line == "mapped" && result.mapSeconds < 0) result.mapSeconds = seconds;
      if (line == "first frame" && result.frameSeconds < 0) result.frameSeconds = seconds;
      if (auto phase = mirto::ParseStartupTraceLine(line); traced && phase)
        result.phases.push_back(std::move(*phase));
    }
  }
  close(fds[0]);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return TStart{};
  result.peakKiB = usage.ru_maxrss;
  return result;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct TSeries {
  std::vector<double> map, frame, peak;
  std::map<std::string, std::vector<double>> phaseMs;
  std::vector<double> faultsByMap;
  void Add(const TStart& s) {
    map.push_back(s.mapSeconds * 1e3);
    frame.push_back(s.frameSeconds * 1e3);
    peak.push_back(static_cast<double>(s.peakKiB));
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
    const TStart bare = StartAndWait({g_self, kFloorChild}, false);
    const TStart ours = StartAndWait({MIRTO_SCREENSHOT_PROGRAM, "--first-frame"}, true);
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
  if (argc == 2 && std::strcmp(argv[1], kFloorChild) == 0) return FloorChild(argc, argv);
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return 1;
  g_self.assign(path, static_cast<std::size_t>(n));
  return mirto::bench::RunBenchmarks(argc, argv);
}
