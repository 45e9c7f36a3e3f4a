// Cost of one paint of the launcher's PNG buttons: a 22 x 22 title-bar button
// with a 24 x 24 glyph (normal, and hot through the gamma copy) and the
// 90 x 22 categories button with a 16 x 16 glyph and its caption (normal, and
// disabled through the greyscale and blend copy). Target: 50 us each.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/support/BenchMain.h"
#include "components/KvoPngButton.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/toolkit/Application.h"

namespace {

using namespace mirto;

std::unique_ptr<TPngImage> Glyph(int side) {
  auto png = std::make_unique<TPngImage>();
  png->CreateBlank(COLOR_RGBALPHA, side, side);
  for (int y = 0; y < side; ++y) {
    std::uint8_t* row = png->ScanLine(y);
    std::uint8_t* alpha = png->AlphaScanline(y);
    for (int x = 0; x < side; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(40 + 8 * x);
      row[3 * x + 1] = static_cast<std::uint8_t>(60 + 6 * y);
      row[3 * x + 2] = 180;
      alpha[x] = (x == 0 || y == 0) ? 0 : 255;
    }
  }
  return png;
}

TKvoPngButton& TitleBarButton() {
  static TKvoPngButton* button = [] {
    auto* b = new TKvoPngButton;
    b->SetBounds(0, 0, 22, 22);
    b->SetPngImage(Glyph(24).get());
    ApplyTitleButtonLook(*b, 230);
    return b;
  }();
  return *button;
}

TKvoPngButton& CategoriesButton() {
  static TKvoPngButton* button = [] {
    auto* b = new TKvoPngButton;
    b->SetBounds(0, 0, 90, 22);
    b->SetPngImage(Glyph(16).get());
    b->SetCaption(QStringLiteral("Categories"));
    b->SetSpacing(5);
    ApplyCategoriesButtonLook(*b);
    SetPngButtonFonts(*b, kWindowFontName, 9);
    return b;
  }();
  return *button;
}

void PaintButton(benchmark::State& state, TKvoPngButton& button, const TKvoPngButtonState& look) {
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(button.Width(), button.Height());
  TCanvas& canvas = target.Canvas();
  const TRect client{0, 0, button.Width(), button.Height()};
  for (auto _ : state) {
    button.Paint(canvas, client, look);
    benchmark::DoNotOptimize(canvas.Pixels(5, 5));
  }
}

void BM_TitleBarButtonNormal(benchmark::State& state) { PaintButton(state, TitleBarButton(), {}); }
BENCHMARK(BM_TitleBarButtonNormal)->Unit(benchmark::kMicrosecond);

void BM_TitleBarButtonHot(benchmark::State& state) {
  PaintButton(state, TitleBarButton(), {.Over = true});
}
BENCHMARK(BM_TitleBarButtonHot)->Unit(benchmark::kMicrosecond);

void BM_CategoriesButtonNormal(benchmark::State& state) {
  PaintButton(state, CategoriesButton(), {});
}
BENCHMARK(BM_CategoriesButtonNormal)->Unit(benchmark::kMicrosecond);

void BM_CategoriesButtonDisabled(benchmark::State& state) {
  PaintButton(state, CategoriesButton(), {.Enabled = false});
}
BENCHMARK(BM_CategoriesButtonDisabled)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunInApplication(argc, argv, [] {
    delete &TitleBarButton();
    delete &CategoriesButton();
  });
}
