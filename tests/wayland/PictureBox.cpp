// Where a frame of one colour is in a picture of the screen: the smallest
// rectangle that holds every horizontal line of at least 32 pixels of
// exactly that colour, as "X Y WIDTH HEIGHT". A menu's border is such a
// frame; the same colour in the antialiased edges of glyphs or text never
// makes so long a line. With --other, the rectangle that holds every pixel
// of any other colour: what is drawn on a background of that colour.
//
//   wayland_picture_box [--other] PICTURE.png RRGGBB
//
// Exit code 1 when there is no such line or pixel, 2 on a bad call.

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
  const bool other = argc == 4 && QLatin1String(argv[1]) == QLatin1String("--other");
  const int first = other ? 2 : 1;
  bool ok = false;
  const unsigned colour =
      argc == first + 2 ? QString::fromLatin1(argv[first + 1]).toUInt(&ok, 16) : 0;
  const QImage picture = argc == first + 2 ? QImage(QString::fromLocal8Bit(argv[first])) : QImage();
  if (!ok || picture.isNull()) {
    std::fprintf(stderr, "usage: %s [--other] PICTURE.png RRGGBB (a picture that can be read)\n",
                 argv[0]);
    return 2;
  }
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  // A line of the colour (of any other colour) counts when it is this long.
  const int shortestLine = other ? 1 : 32;
  int left = rgb.width(), top = rgb.height(), right = -1, bottom = -1;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width();) {
      int end = x;
      while (end < rgb.width() && ((line[end] & 0xFFFFFFu) == colour) != other) ++end;
      if (end - x >= shortestLine) {
        left = std::min(left, x);
        right = std::max(right, end - 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
      x = end > x ? end : x + 1;
    }
  }
  if (right < 0) return 1;
  std::printf("%d %d %d %d\n", left, top, right - left + 1, bottom - top + 1);
  return 0;
}
