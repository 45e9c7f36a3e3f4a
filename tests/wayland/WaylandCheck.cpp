// The launcher on a Wayland compositor, started by its own start-up code: it
// runs natively on the Wayland platform, its first frame shows the dark
// title bar over the light main area, the video menu opens below its button
// and is painted, the about window shows and closes, the tray icon's menu
// shows the hidden window under it, and closing the main window ends the
// program with status 0. Prints what the compositor decided about the
// window and the tray. Exit code 0 only when all of that happened in order;
// the script that starts the compositor also ends a run that hangs.
//
//   wayland_check PICTURE.png     the first frame is saved there

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>

#include "components/KvoPngButton.h"
#include "launcher/MirtoAbout.h"
#include "launcher/MirtoMain.h"
#include "launcher/MirtoStartup.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/ScreenCapture.h"
#include "platform/toolkit/TrayIcon.h"
#include "tests/support/ToolkitSeam.h"

namespace {

using namespace mirto;

bool g_failed = false;

void Fail(const char* what) {
  std::fprintf(stderr, "FAILED: %s\n", what);
  g_failed = true;
}

bool IsGrey(QRgb c, int low, int high) {
  return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) >= low && qRed(c) <= high;
}

// The title bar's gradient runs 45..62 grey; the main area is light.
void CheckFirstFrame(TFormMain& main, const QString& file) {
  if (!SaveWindowPicture(main, file)) return Fail("no picture of the first frame");
  const QImage frame(file);
  std::printf("first frame: %dx%d\n", frame.width(), frame.height());
  if (frame.width() != 615 || frame.height() != 336) return Fail("the frame is not 615 x 336");
  if (!IsGrey(frame.pixel(150, 20), 0x40, 0x66)) Fail("no dark title bar in the first frame");
  const QRgb area = frame.pixel(400, 275);
  if (qRed(area) < 0xC0 || qGreen(area) < 0xC0 || qBlue(area) < 0xC0)
    Fail("no light main area in the first frame");
}

// What the compositor is told of a shown window's size (the toplevel's
// minimum and maximum): both its own size, so that it neither resizes nor
// tiles the window.
void CheckFixedSize(const TForm& form) {
  const QWindow* window = testing::NativeWidgetOf(form)->window()->windowHandle();
  const QSize min = window != nullptr ? window->minimumSize() : QSize();
  const QSize max = window != nullptr ? window->maximumSize() : QSize();
  std::printf("%s: minimum %dx%d, maximum %dx%d\n", qPrintable(form.Caption()), min.width(),
              min.height(), max.width(), max.height());
  if (min != max || min != QSize(form.Width(), form.Height()))
    Fail("a window's minimum and maximum sizes are not its own size");
}

// Counts paints of popup menus and of one window: a Wayland window or
// popup is painted only after the compositor has accepted and placed it.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(const QWidget* window) : window_(window) {}
  int menuPaints = 0;
  int windowPaints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    if (qobject_cast<QMenu*>(watched) != nullptr) ++menuPaints;
    if (static_cast<QWidget*>(watched)->window() == window_) ++windowPaints;
    return false;
  }

 private:
  const QWidget* window_;
};

// Runs the event loop until done() holds, for 5 s at most.
template <typename Done>
void RunUntil(Done done) {
  const QDeadlineTimer deadline(5000);
  while (!done() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The tray icon's menu while the window is hidden: on Wayland a menu is a
// popup of a shown window, so the hidden window shows for as long as the
// menu is open, and is hidden again afterwards, unless it was brought back
// meanwhile (restoreMeanwhile: as a click on the tray icon does).
void CheckTrayMenuOverHiddenWindow(TFormMain& main, bool restoreMeanwhile) {
  QWidget* window = testing::NativeWidgetOf(main)->window();
  main.Hide();
  bool shownWhileOpen = false;
  QTimer::singleShot(1000, [&] {
    shownWhileOpen = main.popMenuVideo->IsOpen() && window->isVisible() && !main.Visible();
    if (restoreMeanwhile) main.tiClick(main.ti);
    main.popMenuVideo->CloseMenu();
  });
  main.ti->ContextPopup(20, 20);  // returns at once, the menu open
  RunUntil([&main] { return !main.popMenuVideo->IsOpen(); });
  std::printf("tray menu over the hidden window%s: shown while open %s, afterwards %s\n",
              restoreMeanwhile ? ", brought back meanwhile" : "", shownWhileOpen ? "yes" : "no",
              window->isVisible() ? "shown" : "hidden");
  if (!shownWhileOpen) Fail("the hidden window was not shown under its tray menu");
  if (window->isVisible() != restoreMeanwhile || main.Visible() != restoreMeanwhile)
    Fail(restoreMeanwhile ? "the window brought back during the tray menu was hidden again"
                          : "the window stayed shown after its tray menu closed");
  if (!restoreMeanwhile) main.Show();
}

// Closed while its window is still coming onto the screen, the tray menu
// does not open at all (it would stay open with nobody to close it).
void CheckTrayMenuClosedAtOnce(TFormMain& main) {
  QWidget* window = testing::NativeWidgetOf(main)->window();
  main.Hide();
  QTimer::singleShot(0, [&main] { main.popMenuVideo->CloseMenu(); });
  main.ti->ContextPopup(20, 20);
  RunUntil([&main] { return !main.popMenuVideo->IsOpen(); });
  if (main.popMenuVideo->IsOpen() || window->isVisible())
    Fail("the tray menu closed at once left the menu or its window open");
  main.Show();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PICTURE.png\n", argv[0]);
    return 2;
  }
  const QString picture = QString::fromLocal8Bit(argv[1]);
  bool reachedEnd = false;
  TStartupHooks hooks;
  hooks.FirstFrame = [&](TFormMain& main, TFormAbout& about) {
    const QString platform = QGuiApplication::platformName();
    std::printf("platform: %s\n", qPrintable(platform));
    if (platform != u"wayland") Fail("the launcher does not run on the Wayland platform");
    std::printf("tray available: %s\n", TTrayIcon::IsSystemTrayAvailable() ? "yes" : "no");
    CheckFirstFrame(main, picture);
    CheckFixedSize(main);

    PaintCounter counter(testing::NativeWidgetOf(about)->window());
    qApp->installEventFilter(&counter);
    // The menu runs its own loop: look at it from there, then close it.
    QTimer::singleShot(1000, [&main, &counter] {
      std::printf("video menu: open %s, painted %d times\n",
                  main.popMenuVideo->IsOpen() ? "yes" : "no", counter.menuPaints);
      // Where the menu went, from the window's top-left corner: just below
      // the video button, as on X11. The toolkit knows no window position on
      // Wayland; the offset is what it asks the compositor for.
      const QWidget* popup = QApplication::activePopupWidget();
      const QPoint window = testing::NativeWidgetOf(main)->window()->pos();
      const QPoint offset = popup != nullptr ? popup->pos() - window : QPoint(-1, -1);
      std::printf("window at %d,%d as the toolkit knows it; menu at %+d,%+d from it\n", window.x(),
                  window.y(), offset.x(), offset.y());
      const TKvoPngButton& button = *main.btnMenuVideo;
      if (offset != QPoint(button.Left(), button.Top() + button.Height() + 2))
        Fail("the video menu did not open just below its button");
      if (!main.popMenuVideo->IsOpen() || counter.menuPaints == 0)
        Fail("the video menu did not open and paint");
      main.popMenuVideo->CloseMenu();
    });
    main.btnMenuVideoClick(main.btnMenuVideo);

    // The about window is modal: it too is looked at from its own loop.
    QTimer::singleShot(1000, [&about, &counter] {
      std::printf("about window: painted %d times\n", counter.windowPaints);
      if (counter.windowPaints == 0) Fail("the about window did not show and paint");
      CheckFixedSize(about);
      about.btnCloseClick(about.btnClose);
    });
    main.btnAboutClick(main.btnAbout);
    qApp->removeEventFilter(&counter);

    CheckTrayMenuOverHiddenWindow(main, false);
    CheckTrayMenuOverHiddenWindow(main, true);
    CheckTrayMenuClosedAtOnce(main);
    reachedEnd = true;
    main.btnCloseClick(main.btnClose);
  };
  int qtArgc = 1;
  const int code = RunMirto(qtArgc, argv, hooks);
  std::printf("exit status: %d\n", code);
  if (code != 0) Fail("the launcher ended with a status other than 0");
  if (!reachedEnd && !g_failed) Fail("the launcher ended before its window was closed");
  return g_failed ? 1 : 0;
}
