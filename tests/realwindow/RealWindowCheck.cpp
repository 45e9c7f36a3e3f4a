// A real window on a real (virtual) X display: the main window shows, a
// click through the window system reaches its button, whose handler closes
// the main window, and that ends the program. Exit code 0 only when all of
// that happened in order.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "platform/toolkit/Application.h"
#include "platform/toolkit/BitBtn.h"
#include "platform/toolkit/Form.h"
#include "tests/support/RealWindow.h"
#include "tests/support/ToolkitSeam.h"

using namespace mirto;

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  if (!testing::OnXDisplay()) return 1;
  TForm* form = testing::StartBareForm(app);
  form->SetColor(clWhite);
  form->SetBounds(0, 0, 200, 120);
  form->SetPosition(poScreenCenter);
  auto* button = new TBitBtn(form);
  button->SetParent(form);
  button->SetBounds(50, 45, 100, 30);
  button->SetCaption("Close");

  int clicks = 0;
  bool sawWhite = false;
  bool timedOut = false;
  button->OnClick = [&](TObject*) {
    ++clicks;
    form->Close();
  };
  QTimer::singleShot(0, [&] {
    QWidget* window = testing::NativeWidgetOf(*form);
    if (!QTest::qWaitForWindowExposed(window, 5000)) {
      std::fprintf(stderr, "the window was never shown\n");
      app.Terminate();
      return;
    }
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    sawWhite = !shot.isNull() && shot.pixelColor(5, 5) == QColor(Qt::white);
    QTest::mouseClick(testing::NativeWidgetOf(*button), Qt::LeftButton, Qt::NoModifier,
                      QPoint(50, 15));
  });
  // Never hang the test run.
  QTimer::singleShot(15000, [&] {
    std::fprintf(stderr, "timed out\n");
    timedOut = true;
    app.Terminate();
  });

  app.Run();
  if (timedOut) return 1;
  if (clicks != 1) {
    std::fprintf(stderr, "expected one click, got %d\n", clicks);
    return 1;
  }
  if (!sawWhite) {
    std::fprintf(stderr, "the window's own colour was not on the screen\n");
    return 1;
  }
  std::printf("window shown, clicked and closed\n");
  return 0;
}
