// Looks at the launcher's main window from outside, as the X server shows
// it: the window (given by its X window id) is 615 x 336 with the dark
// title bar over the light main area. Waits up to 5 s for that first
// frame; saves what it saw either way.
//
//   package_window_check WINDOW_ID PICTURE.png

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace {

bool IsGrey(QRgb c, int low, int high) {
  return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) >= low && qRed(c) <= high;
}

bool IsLight(QRgb c) { return qRed(c) >= 0xC0 && qGreen(c) >= 0xC0 && qBlue(c) >= 0xC0; }

QRgb Sample(const QImage& frame, int x, int y) {
  return frame.valid(x, y) ? frame.pixel(x, y) & 0xFFFFFFu : 0u;
}

// The title bar's gradient runs 45..62 grey.
bool ShowsFirstFrame(const QImage& frame) {
  return frame.width() == 615 && frame.height() == 336 &&
         IsGrey(Sample(frame, 150, 20), 0x40, 0x66) && IsLight(Sample(frame, 400, 275));
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WINDOW_ID PICTURE.png\n", argv[0]);
    return 2;
  }
  bool ok = false;
  const WId window = QString::fromLocal8Bit(argv[1]).toULongLong(&ok, 0);
  if (!ok || QGuiApplication::primaryScreen() == nullptr) {
    std::fprintf(stderr, "no window id or no screen\n");
    return 2;
  }
  QImage frame;
  for (int attempt = 0; attempt < 50; ++attempt) {
    frame = QGuiApplication::primaryScreen()->grabWindow(window).toImage();
    if (ShowsFirstFrame(frame)) break;
    QThread::msleep(100);
  }
  frame.save(QString::fromLocal8Bit(argv[2]), "PNG");
  if (!ShowsFirstFrame(frame)) {
    std::fprintf(stderr,
                 "the window shows no first frame of the launcher: %dx%d, title bar #%06x, main "
                 "area #%06x (picture: %s)\n",
                 frame.width(), frame.height(), Sample(frame, 150, 20), Sample(frame, 400, 275),
                 argv[2]);
    return 1;
  }
  std::printf("first frame seen: %dx%d\n", frame.width(), frame.height());
  return 0;
}
