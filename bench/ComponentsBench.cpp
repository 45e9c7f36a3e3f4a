// Cost of painting the launcher's components: the main area panel with its
// angle gradient (kept between paints, and rebuilt after a change), the
// window background made of its four panels, and one owner-drawn button in
// each state. Targets: the four-panel background within 2 ms, a button
// within 0.1 ms.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/support/BenchMain.h"
#include "components/ButtonEx.h"
#include "components/KvoPanel.h"
#include "launcher/WindowLooks.h"
#include "platform/drawing/Bitmap.h"
#include "platform/toolkit/Application.h"

namespace {

using namespace mirto;

// The four panels of the main window with their layout settings, each with
// a picture of its size to paint on.
struct WindowPanels {
  TKvoPanel bg, title, main, bottom;
  TBitmap bgPicture, titlePicture, mainPicture, bottomPicture;

  WindowPanels() {
    bg.SetBounds(0, 0, 615, 336);
    ApplyBackgroundPanelLook(bg);

    title.SetBounds(0, 0, 615, 41);
    ApplyTitleBarLook(title);

    main.SetBounds(0, 0, 603, 258);
    ApplyMainAreaLook(main);

    bottom.SetBounds(0, 0, 615, 25);
    ApplyBottomBarLook(bottom);

    for (auto [panel, picture] :
         {std::pair{&bg, &bgPicture}, std::pair{&title, &titlePicture},
          std::pair{&main, &mainPicture}, std::pair{&bottom, &bottomPicture}})
      picture->SetSize(panel->Width(), panel->Height());
  }

  void PaintAll() {
    bg.PaintTo(bgPicture.Canvas());
    title.PaintTo(titlePicture.Canvas());
    main.PaintTo(mainPicture.Canvas());
    bottom.PaintTo(bottomPicture.Canvas());
  }
};

WindowPanels& Panels() {
  static auto* panels = new WindowPanels();
  return *panels;
}

void BM_MainPanelAngleGradientCached(benchmark::State& state) {
  WindowPanels& w = Panels();
  w.main.PaintTo(w.mainPicture.Canvas());  // builds the turned square once
  for (auto _ : state) w.main.PaintTo(w.mainPicture.Canvas());
}
BENCHMARK(BM_MainPanelAngleGradientCached)->Unit(benchmark::kMicrosecond);

void BM_MainPanelAngleGradientAfterChange(benchmark::State& state) {
  WindowPanels& w = Panels();
  TKvoGradientEx& angle = w.main.Appearance().UpperGradient();
  // Toggles the last bit of the look's own end colour, so every paint
  // rebuilds the gradient.
  const TColor end = angle.ColorTo();
  const TColor changed = TColorFromUnsigned(static_cast<std::uint32_t>(end) ^ 1U);
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    angle.SetColorTo(flip ? end : changed);
    w.main.PaintTo(w.mainPicture.Canvas());
  }
}
BENCHMARK(BM_MainPanelAngleGradientAfterChange)->Unit(benchmark::kMillisecond);

void BM_WindowBackgroundFourPanels(benchmark::State& state) {
  WindowPanels& w = Panels();
  w.PaintAll();
  for (auto _ : state) w.PaintAll();
}
BENCHMARK(BM_WindowBackgroundFourPanels)->Unit(benchmark::kMicrosecond);

struct ButtonCase {
  const char* name;
  TButtonExState state;
  bool gradient;
};
const ButtonCase kButtonCases[] = {
    {"normal", {}, false},
    {"over", {.Over = true}, false},
    {"down", {.Down = true, .Over = true}, false},
    {"focused", {.Focused = true}, false},
    {"default", {.Default = true}, false},
    {"disabled", {.Enabled = false}, false},
    {"gradient over", {.Over = true}, true},
};

void BM_ButtonExPaint(benchmark::State& state) {
  const ButtonCase& c = kButtonCases[state.range(0)];
  static auto* button = [] {
    auto* b = new TButtonEx();
    b->SetBounds(0, 0, 180, 30);
    b->SetCaption(QStringLiteral("Video -> AVI / MPG"));
    b->SetShowFocusRect(true);
    b->SetRoundingX(6);
    b->SetRoundingY(6);
    return b;
  }();
  button->SetUseGradient(c.gradient);
  TBitmap picture;
  picture.SetSize(180, 30);
  for (auto _ : state) button->PaintState(picture.Canvas(), c.state);
  state.SetLabel(c.name);
}
BENCHMARK(BM_ButtonExPaint)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunInApplication(argc, argv); }
