// Cost of one gradient paint of a panel-sized rectangle with the full 255
// colour steps, per shape, and of the angle shape built afresh versus drawn
// from the image a gradient description keeps.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "bench/support/BenchMain.h"
#include "components/KvoCommon.h"
#include "graphics/KvoGradient.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

namespace {

using namespace mirto;

constexpr TRect kRect{0, 0, 603, 258};

TBitmap& Target() {
  static TBitmap* bitmap = [] {
    auto* b = new TBitmap;
    b->SetPixelFormat(pf32bit);
    b->SetSize(kRect.Width(), kRect.Height());
    return b;
  }();
  return *bitmap;
}

void BM_GradientFillEx(benchmark::State& state) {
  const auto shape = static_cast<TDgradOrientation>(state.range(0));
  const bool balanced = state.range(1) != 0;
  TCanvas& canvas = Target().Canvas();
  for (auto _ : state) {
    GradientFillEx(canvas, kRect, RGB(20, 40, 160), RGB(250, 240, 200), shape, balanced ? 30 : 50,
                   30, balanced ? bmMirror : bmNormal, 255, balanced ? 80 : 100, true, nullptr);
    benchmark::DoNotOptimize(canvas.Pixels(1, 1));
  }
}
BENCHMARK(BM_GradientFillEx)
    ->ArgNames({"shape", "balanced"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_AngleFromCache(benchmark::State& state) {
  TCanvas& canvas = Target().Canvas();
  TKvoGradientEx gradient;
  gradient.SetOrientation(dgdAngle);
  gradient.SetAngleDegree(30);
  gradient.SetColorFrom(RGB(20, 40, 160));
  gradient.SetColorTo(RGB(250, 240, 200));
  gradient.SetAngleClipRect(state.range(0) != 0);
  gradient.Draw(canvas, kRect);
  for (auto _ : state) {
    gradient.Draw(canvas, kRect);
    benchmark::DoNotOptimize(canvas.Pixels(1, 1));
  }
}
BENCHMARK(BM_AngleFromCache)->ArgName("clip")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench::RunWithoutDisplay();
  QGuiApplication app(argc, argv);
  return bench::RunBenchmarks(argc, argv);
}
