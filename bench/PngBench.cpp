// Decoding, effects and drawing of a glyph-sized PNG image.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <vector>

#include "bench/support/BenchMain.h"
#include "graphics/PngFunctions.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/PngImage.h"

namespace {

using namespace mirto;

// A 24 x 24 picture with colour and alpha running across it, made once.
const TPngImage& Glyph() {
  static TPngImage png;
  static const bool made = [] {
    png.CreateBlank(COLOR_RGBALPHA, 24, 24);
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        png.ScanLine(y)[x * 3] = std::uint8_t(x * 10);
        png.ScanLine(y)[x * 3 + 1] = std::uint8_t(y * 10);
        png.ScanLine(y)[x * 3 + 2] = std::uint8_t(x * y);
        png.AlphaScanline(y)[x] = std::uint8_t((x + y) * 5);
      }
    }
    return true;
  }();
  static_cast<void>(made);
  return png;
}

void BM_Decode24x24(benchmark::State& state) {
  const TPngImage& glyph = Glyph();
  const std::vector<std::uint8_t> file = glyph.SaveToBytes();
  TPngImage png;
  for (auto _ : state) {
    png.LoadFromBytes(file);
    benchmark::DoNotOptimize(png.ScanLine(0));
  }
}
BENCHMARK(BM_Decode24x24);

void BM_DisabledEffects24x24(benchmark::State& state) {
  const TPngImage& glyph = Glyph();
  TPngImage copy;
  for (auto _ : state) {
    copy.Assign(&glyph);
    PngApplyBlend(&copy, 127);
    PngApplyGrayscale(&copy, 255);
    benchmark::DoNotOptimize(copy.AlphaScanline(0));
  }
}
BENCHMARK(BM_DisabledEffects24x24);

void BM_Draw24x24(benchmark::State& state) {
  const TPngImage& glyph = Glyph();
  TBitmap bitmap;
  bitmap.SetSize(24, 24);
  for (auto _ : state) {
    bitmap.Canvas().Draw(0, 0, glyph);
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
}
BENCHMARK(BM_Draw24x24);

}  // namespace

int main(int argc, char** argv) {
  bench::RunWithoutDisplay();
  QGuiApplication app(argc, argv);
  return bench::RunBenchmarks(argc, argv);
}
