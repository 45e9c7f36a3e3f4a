// Cost of painting the launcher's components: the main area panel with its
// angle gradient (kept between paints, and rebuilt after a change), the
// window background made of its four panels, and one owner-drawn button in
// each state. Targets: the four-panel background within 2 ms, a button
// within 0.1 ms.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <memory>

#include "components/ButtonEx.h"
#include "components/KvoPanel.h"
#include "platform/drawing/Bitmap.h"
#include "platform/toolkit/Application.h"

namespace {

using namespace mirto;

void Gradient(TKvoGradientEx& g, std::uint32_t from, std::uint32_t to) {
  g.SetColorFrom(TColorFromUnsigned(from));
  g.SetColorTo(TColorFromUnsigned(to));
}

// The four panels of the main window with their layout settings, each with
// a picture of its size to paint on.
struct WindowPanels {
  TKvoPanel bg, title, main, bottom;
  TBitmap bgPicture, titlePicture, mainPicture, bottomPicture;

  WindowPanels() {
    bg.SetBounds(0, 0, 615, 336);
    bg.Appearance().SetDrawGradient(false);
    bg.Appearance().SetBackgroundColor(TColorFromUnsigned(0x00626262));
    TKvoPanelBorders& b = bg.Appearance().Borders();
    for (TKvoPanelBorder* side : {&b.Left(), &b.Right(), &b.Top(), &b.Bottom()})
      side->Pen().SetColor(TColorFromUnsigned(0x00303030));

    title.SetBounds(0, 0, 615, 41);
    Gradient(title.Appearance().UpperGradient(), 0x00454545, 0x00626262);
    title.Appearance().SetUpperGradientPercent(100);
    Gradient(title.Appearance().BottomGradient(), 0x002E2E2E, 0x002E2E2E);
    title.Appearance().SetBackgroundColor(TColorFromUnsigned(0x00454545));
    title.Appearance().SetDrawBorder(false);

    main.SetBounds(0, 0, 603, 258);
    TKvoGradientEx& angle = main.Appearance().UpperGradient();
    angle.SetOrientation(dgdAngle);
    angle.SetBalanceMode(bmMirror);
    Gradient(angle, 0x00D1DDE0, 0x00E7EEEF);
    main.Appearance().SetUpperGradientPercent(100);
    Gradient(main.Appearance().BottomGradient(), 0x00D6D6D6, 0x00D6D6D6);
    main.Appearance().SetBackgroundColor(TColorFromUnsigned(0x00120D05));
    main.Appearance().SetDrawBorder(false);

    bottom.SetBounds(0, 0, 615, 25);
    Gradient(bottom.Appearance().UpperGradient(), 0x00626262, 0x00454545);
    bottom.Appearance().SetUpperGradientPercent(100);
    bottom.Appearance().SetBackgroundColor(TColorFromUnsigned(0x00454545));
    bottom.Appearance().SetDrawBorder(false);

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
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    angle.SetColorTo(TColorFromUnsigned(flip ? 0x00E7EEEF : 0x00E7EEEE));
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

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication app(argc, argv);
  app.Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
