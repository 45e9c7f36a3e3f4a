// The launcher's main window: one full repaint (at factors 1 and 2), a rebuild of the category
// view and of the largest group view, and the memory the process holds
// after many rebuilds compared with after a few.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>

#include "bench/support/BenchMain.h"
#include "catalog/MirtoApps.h"
#include "components/KvoPanel.h"
#include "launcher/MirtoMain.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/PaintFactor.h"

namespace {

using namespace mirto;

TFormMain& MainWindow() {
  static TFormMain* window = [] {
    auto* form = Application()->CreateForm<TFormMain>();
    form->Show();
    Application()->ProcessMessages();
    return form;
  }();
  return *window;
}

// Repaints control and every control inside it (a parent's repaint leaves
// its children alone).
void RepaintAll(TControl& control) {
  control.Repaint();
  if (auto* win = dynamic_cast<TWinControl*>(&control))
    for (int i = 0; i < win->ControlCount(); ++i) RepaintAll(*win->Controls(i));
}

// At factor 1 and at factor 2 (a screen of 200 %, where every control paints
// four pixels per logical pixel).
void BM_FullRepaint(benchmark::State& state) {
  TFormMain& window = MainWindow();
  window.DisplayCategories();
  Application()->ProcessMessages();
  const TPaintFactorScope factor(static_cast<int>(state.range(0)));
  for (auto _ : state) RepaintAll(window);
}
BENCHMARK(BM_FullRepaint)->ArgName("factor")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A rebuild as the timer runs it, with the events that follow it (the
// deferred destruction of the old buttons and the paint) handled.
void BM_RebuildCategoryView(benchmark::State& state) {
  TFormMain& window = MainWindow();
  for (auto _ : state) {
    window.DisplayCategories();
    Application()->ProcessMessages();
  }
}
BENCHMARK(BM_RebuildCategoryView)->Unit(benchmark::kMicrosecond);

void BM_RebuildLargestGroupView(benchmark::State& state) {
  TFormMain& window = MainWindow();
  for (auto _ : state) {
    window.DisplayGroup(10);  // six programs, with 110 the largest group
    Application()->ProcessMessages();
  }
}
BENCHMARK(BM_RebuildLargestGroupView)->Unit(benchmark::kMicrosecond);

// A figure of /proc/self/status in KiB: "VmRSS:" now, "VmHWM:" the peak
// (Linux; -1 elsewhere, where the file does not exist).
long StatusKiB(const char* key) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(key))
      return line.mid(static_cast<int>(qstrlen(key))).trimmed().split(' ').value(0).toLong();
  return -1;
}

void Rebuild(TFormMain& window, int times) {
  for (int i = 0; i < times; ++i) {
    if (i % 2 == 0)
      window.DisplayGroup(110);
    else
      window.DisplayCategories();
    Application()->ProcessMessages();
  }
}

void BM_MemoryAfterRebuilds(benchmark::State& state) {
  TFormMain& window = MainWindow();
  for (auto _ : state) {
    Rebuild(window, 100);
    const long peakAfter100 = StatusKiB("VmHWM:");
    const long residentAfter100 = StatusKiB("VmRSS:");
    Rebuild(window, 9900);
    const long peakAfter10000 = StatusKiB("VmHWM:");
    const long residentAfter10000 = StatusKiB("VmRSS:");
    state.counters["peak_after_100_KiB"] = static_cast<double>(peakAfter100);
    state.counters["peak_after_10000_KiB"] = static_cast<double>(peakAfter10000);
    state.counters["peak_growth_KiB"] = static_cast<double>(peakAfter10000 - peakAfter100);
    state.counters["rss_growth_KiB"] = static_cast<double>(residentAfter10000 - residentAfter100);
    state.counters["controls_on_main_area"] = window.pnMain->ControlCount();
  }
}
BENCHMARK(BM_MemoryAfterRebuilds)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  InitCatalog();
  const int code = bench::RunInApplication(argc, argv);
  FinalizeCatalog();
  return code;
}
