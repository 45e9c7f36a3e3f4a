// Tells whether a window's picture is as fine as its screen: grabs an area
// of the window (given in the window's logical pixels) on a screen of a
// whole FACTOR and counts the FACTOR x FACTOR cells that are not one colour.
// A picture painted at factor 1 and enlarged by the toolkit has none; one
// painted at the screen's factor has many wherever there is text.
//
//   desktop_cell_check WINDOW FACTOR X Y WIDTH HEIGHT
//
// Prints "split cells: S of C". Run without the toolkit's scale variables,
// so that the grab is in the screen's own pixels.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: %s WINDOW FACTOR X Y WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const auto window = static_cast<WId>(std::strtoull(argv[1], nullptr, 0));
  const int factor = std::atoi(argv[2]);
  const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
  const int width = std::atoi(argv[5]), height = std::atoi(argv[6]);
  if (factor < 1 || width < 1 || height < 1) {
    std::fprintf(stderr, "%s: FACTOR, WIDTH and HEIGHT must be positive\n", argv[0]);
    return 2;
  }
  const QImage picture =
      QGuiApplication::primaryScreen()
          ->grabWindow(window, x * factor, y * factor, width * factor, height * factor)
          .toImage()
          .convertToFormat(QImage::Format_RGB32);
  if (picture.width() != width * factor || picture.height() != height * factor) {
    std::fprintf(stderr, "%s: could not grab %dx%d pixels of window %s (got %dx%d)\n", argv[0],
                 width * factor, height * factor, argv[1], picture.width(), picture.height());
    return 1;
  }
  int split = 0;
  for (int cy = 0; cy < height; ++cy)
    for (int cx = 0; cx < width; ++cx) {
      const QRgb first = picture.pixel(cx * factor, cy * factor);
      bool uniform = true;
      for (int dy = 0; dy < factor && uniform; ++dy)
        for (int dx = 0; dx < factor && uniform; ++dx)
          uniform = picture.pixel(cx * factor + dx, cy * factor + dy) == first;
      if (!uniform) ++split;
    }
  std::printf("split cells: %d of %d\n", split, width * height);
  return 0;
}
