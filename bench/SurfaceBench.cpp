// Cost of painting the launcher's main window area (615 x 336) through the
// canvas: fills, gradients, lines, outlines and text.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>

#include "bench/support/BenchMain.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/FontSubstitution.h"
#include "platform/drawing/StylePainting.h"

namespace mirto {
namespace {

constexpr int kWidth = 615;
constexpr int kHeight = 336;

TBitmap& Window() {
  static TBitmap bitmap;
  if (bitmap.Empty()) bitmap.SetSize(kWidth, kHeight);
  return bitmap;
}

// A window-like scene: gradient background, title bar, two columns of six
// buttons with outlines, captions and separator lines.
void PaintScene(TCanvas& canvas) {
  GradientFillCanvas(canvas, RGB(252, 252, 252), RGB(220, 226, 236), {0, 0, kWidth, kHeight},
                     gdHorizontal);
  canvas.Brush().SetColor(RGB(60, 60, 70));
  canvas.FillRect({0, 0, kWidth, 30});
  canvas.Font().SetName(QStringLiteral("Segoe UI"));
  canvas.Font().SetHeight(-11);
  for (int column = 0; column < 2; ++column) {
    for (int row = 0; row < 6; ++row) {
      const TRect button = Bounds(20 + column * 295, 50 + row * 45, 280, 36);
      canvas.Brush().SetColor(RGB(240, 240, 240));
      canvas.Pen().SetColor(RGB(160, 160, 160));
      canvas.Pen().SetWidth(1);
      canvas.RoundRect(button, 4, 4);
      canvas.Brush().SetStyle(bsClear);
      canvas.Font().SetColor(clBlack);
      TRect text = button;
      canvas.DrawText(QStringLiteral("Video to MP4 && AVI Converter"), text,
                      DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
  }
  canvas.Pen().SetColor(RGB(200, 200, 200));
  for (int y = 40; y < kHeight; y += 45) {
    canvas.MoveTo(10, y);
    canvas.LineTo(kWidth - 10, y);
  }
  TRect frame{0, 0, kWidth, kHeight};
  Frame3D(canvas, frame, clBtnHighlight, clBtnShadow, 2);
}

void BM_PaintWindowScene(benchmark::State& state) {
  TCanvas& canvas = Window().Canvas();
  for (auto _ : state) {
    PaintScene(canvas);
    benchmark::DoNotOptimize(canvas.Pixels(1, 1));
  }
}
BENCHMARK(BM_PaintWindowScene)->Unit(benchmark::kMicrosecond);

void BM_FillWholeWindow(benchmark::State& state) {
  TCanvas& canvas = Window().Canvas();
  canvas.Brush().SetColor(clBtnFace);
  for (auto _ : state) canvas.FillRect({0, 0, kWidth, kHeight});
}
BENCHMARK(BM_FillWholeWindow)->Unit(benchmark::kMicrosecond);

void BM_GradientWholeWindow(benchmark::State& state) {
  TCanvas& canvas = Window().Canvas();
  for (auto _ : state)
    GradientFillCanvas(canvas, clWhite, clNavy, {0, 0, kWidth, kHeight}, gdVertical);
}
BENCHMARK(BM_GradientWholeWindow)->Unit(benchmark::kMicrosecond);

void BM_DiagonalLines(benchmark::State& state) {
  TCanvas& canvas = Window().Canvas();
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetWidth(1);
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) {
      canvas.MoveTo(0, i);
      canvas.LineTo(kWidth, kHeight - i);
    }
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_DiagonalLines)->Unit(benchmark::kMicrosecond);

void BM_TextOut(benchmark::State& state) {
  TCanvas& canvas = Window().Canvas();
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetName(QStringLiteral("Tahoma"));
  canvas.Font().SetHeight(-11);
  for (auto _ : state) canvas.TextOut(10, 10, QStringLiteral("Audio Converters"));
}
BENCHMARK(BM_TextOut)->Unit(benchmark::kMicrosecond);

void BM_RotateSquareInPlace(benchmark::State& state) {
  // The gradient engine's rotated fill turns a square as large as the
  // window's diagonal.
  const int d = static_cast<int>(std::lround(std::sqrt(kWidth * kWidth + kHeight * kHeight)));
  TBitmap square;
  square.SetSize(d, d);
  GradientFillCanvas(square.Canvas(), clRed, clBlue, {0, 0, d, d}, gdVertical);
  for (auto _ : state)
    square.Canvas().PlgBlt({TPoint{d, 0}, TPoint{d, d}, TPoint{0, 0}}, square, {0, 0, d, d});
}
BENCHMARK(BM_RotateSquareInPlace)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mirto

int main(int argc, char** argv) {
  mirto::bench::RunWithoutDisplay();
  QGuiApplication app(argc, argv);
  mirto::InstallFontSubstitutions();
  return mirto::bench::RunBenchmarks(argc, argv);
}
