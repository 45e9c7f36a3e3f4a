// The floor of a start-up: what any Qt Widgets program pays at least to show
// a window the size of the launcher's. One frameless window that paints the
// launcher's background grey, with nothing of the launcher linked in. It
// prints "mapped" when the window system first shows the window and "first
// frame" once its first paint is done, then waits to be ended, as the
// launcher does; bench/StartupBench starts it beside the launcher, and the
// Windows build's start-up check (bench/windows) beside the Windows one.

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>

namespace {

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

class GreyWindow : public QWidget {
 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::Show && windowHandle() != nullptr && !watching_) {
      watching_ = true;
      windowHandle()->installEventFilter(this);
    }
    return QWidget::event(event);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!mapped_ && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
      mapped_ = true;
      Say("mapped");
    }
    return QWidget::eventFilter(watched, event);
  }

  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), QColor(0x62, 0x62, 0x62));
    // Told from the event loop, once the frame has gone to the screen.
    if (!painted_) QTimer::singleShot(0, [] { Say("first frame"); });
    painted_ = true;
  }

 private:
  bool watching_ = false;
  bool mapped_ = false;
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  GreyWindow window;
  window.setWindowFlag(Qt::FramelessWindowHint);
  window.resize(615, 336);
  window.show();
  return application.exec();
}
