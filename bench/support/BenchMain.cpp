#include "bench/support/BenchMain.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

#include "platform/toolkit/Application.h"

namespace mirto::bench {

void RunWithoutDisplay() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

int RunBenchmarks(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

int RunInApplication(int& argc, char** argv, const std::function<void()>& cleanUp) {
  RunWithoutDisplay();
  TApplication app(argc, argv);
  app.Initialize();
  const int code = RunBenchmarks(argc, argv);
  if (cleanUp) cleanUp();
  return code;
}

}  // namespace mirto::bench
