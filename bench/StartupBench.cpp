// Start-up to the first painted frame: the launcher's own start-up program
// (mirto-screenshot --first-frame, which runs the entry point's start-up and
// reports the main window's first frame on its output, then exits) against
// an empty frameless window of the same size, started the same way in the
// same run. Each iteration starts a fresh process, so the figures include
// loading the program and the toolkit; they end at the report.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <cstdio>
#include <cstring>

#include "platform/toolkit/Application.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/ScreenCapture.h"

namespace {

using namespace mirto;

constexpr const char* kEmptyWindowChild = "--empty-window-child";
QString g_self;

// Seconds from starting the program to its report of the first frame on its
// standard output; the program's end is not counted.
double StartAndWait(const QString& program, const QStringList& arguments) {
  QElapsedTimer clock;
  clock.start();
  QProcess process;
  process.start(program, arguments);
  while (!process.canReadLine())
    if (!process.waitForReadyRead(30000)) return -1;
  const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  if (!process.readLine().startsWith("first frame")) return -1;
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return -1;
  return seconds;
}

void Measure(benchmark::State& state, const QString& program, const QStringList& arguments) {
  for (auto _ : state) {
    const double seconds = StartAndWait(program, arguments);
    if (seconds < 0) {
      state.SkipWithError("the program did not reach its first frame");
      return;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_FirstFrameEmptyWindow(benchmark::State& state) {
  Measure(state, g_self, {QString::fromLatin1(kEmptyWindowChild)});
}
BENCHMARK(BM_FirstFrameEmptyWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FirstFrameMirto(benchmark::State& state) {
  Measure(state, QStringLiteral(MIRTO_SCREENSHOT_PROGRAM), {QStringLiteral("--first-frame")});
}
BENCHMARK(BM_FirstFrameMirto)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int EmptyWindow(int argc, char** argv) {
  TApplication app(argc, argv);
  app.Initialize();
  auto* form = app.CreateForm<TForm>();
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 615, 336);
  form->SetPosition(poScreenCenter);
  WhenFirstFramePainted(*form, [&app] {
    std::fputs("first frame\n", stdout);
    std::fflush(stdout);
    app.Terminate();
  });
  app.Run();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 2 && std::strcmp(argv[1], kEmptyWindowChild) == 0) return EmptyWindow(argc, argv);
  QCoreApplication app(argc, argv);
  g_self = QCoreApplication::applicationFilePath();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
