// Cost of repainting a window built like the launcher's (nested panels,
// transparent labels over a panel, owner-drawn buttons that show their
// parent behind them) and of re-aligning it after a resize.

#include <benchmark/benchmark.h>

#include "bench/support/BenchMain.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/CustomPanel.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Label.h"

namespace {

using namespace mirto;

struct Window {
  TForm* form;
  TCustomPanel* main;
};

Window& LauncherLikeWindow() {
  static Window window = [] {
    auto* form = new TForm();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 615, 336);
    auto* bg = new TCustomPanel(form);
    bg->SetParent(form);
    bg->SetParentBackground(false);
    bg->SetAlign(alClient);
    auto* title = new TCustomPanel(form);
    title->SetParent(bg);
    title->SetHeight(41);
    title->SetAlign(alTop);
    auto* bottom = new TCustomPanel(form);
    bottom->SetParent(bg);
    bottom->SetHeight(25);
    bottom->SetAlign(alBottom);
    auto* main = new TCustomPanel(form);
    main->SetParent(bg);
    main->SetParentBackground(false);
    main->Margins().SetBounds(6, 6, 6, 6);
    main->SetAlignWithMargins(true);
    main->SetAlign(alClient);
    for (int i = 0; i < 20; ++i) {
      auto* label = new TLabel(form);
      label->SetParent(main);
      label->SetTransparent(true);
      label->SetBounds(10 + (i % 2) * 300, 10 + (i / 2) * 22, 200, 18);
      label->SetCaption(QStringLiteral("Program %1 converter").arg(i));
    }
    for (int i = 0; i < 10; ++i) {
      auto* button = new TBitBtn(form);
      button->SetParent(main);
      button->SetBounds(10 + (i % 2) * 300, 130 + (i / 2) * 24, 280, 22);
      button->SetCaption(QStringLiteral("Converter %1").arg(i));
    }
    form->Show();
    Application()->ProcessMessages();  // the window is on screen from here on
    return Window{form, main};
  }();
  return window;
}

// Repaints control and every control inside it (a parent's repaint leaves
// its children alone).
void RepaintAll(TControl& control) {
  control.Repaint();
  if (auto* win = dynamic_cast<TWinControl*>(&control))
    for (int i = 0; i < win->ControlCount(); ++i) RepaintAll(*win->Controls(i));
}

void BM_RepaintWindow(benchmark::State& state) {
  Window& window = LauncherLikeWindow();
  for (auto _ : state) RepaintAll(*window.form);
}
BENCHMARK(BM_RepaintWindow)->Unit(benchmark::kMillisecond);

void BM_RealignAfterResize(benchmark::State& state) {
  Window& window = LauncherLikeWindow();
  bool wide = false;
  for (auto _ : state) {
    wide = !wide;
    window.form->SetWidth(wide ? 700 : 615);
    benchmark::DoNotOptimize(window.main->Width());
  }
}
BENCHMARK(BM_RealignAfterResize)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunInApplication(argc, argv, [] { delete LauncherLikeWindow().form; });
}
