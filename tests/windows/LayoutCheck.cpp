// Tells whether two pictures of the launcher's window have the same layout:
// both of one size, and in nearly every 8 x 8 cell the same mean colour.
// Text drawn by another system's font engine moves a few cells; a panel, a
// button, a gradient or a frame in another place moves many.
//
//   windows_layout_check PICTURE REFERENCE
//
// Prints "same cells: S of C" and exits 0 when at least 90 % of the cells
// match, 1 when fewer do or the sizes differ, 2 when a picture cannot be read.

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kCell = 8;
constexpr int kTolerance = 24;  // per channel, of the cell's mean
constexpr int kRequiredPercent = 90;

int Mean(const QImage& image, int left, int top, int shift) {
  int sum = 0;
  for (int y = top; y < top + kCell; ++y)
    for (int x = left; x < left + kCell; ++x) sum += (image.pixel(x, y) >> shift) & 0xFF;
  return sum / (kCell * kCell);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PICTURE REFERENCE\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  const QImage picture = QImage(arguments.at(1)).convertToFormat(QImage::Format_RGB32);
  const QImage reference = QImage(arguments.at(2)).convertToFormat(QImage::Format_RGB32);
  if (picture.isNull() || reference.isNull()) {
    std::fprintf(stderr, "%s: cannot read both pictures\n", argv[0]);
    return 2;
  }
  if (picture.size() != reference.size()) {
    std::printf("sizes differ: %d x %d against %d x %d\n", picture.width(), picture.height(),
                reference.width(), reference.height());
    return 1;
  }
  int cells = 0;
  int same = 0;
  for (int top = 0; top + kCell <= picture.height(); top += kCell) {
    for (int left = 0; left + kCell <= picture.width(); left += kCell) {
      bool alike = true;
      for (int shift : {0, 8, 16})
        alike = alike && std::abs(Mean(picture, left, top, shift) -
                                  Mean(reference, left, top, shift)) <= kTolerance;
      ++cells;
      if (alike) ++same;
    }
  }
  std::printf("same cells: %d of %d\n", same, cells);
  return same * 100 >= cells * kRequiredPercent ? 0 : 1;
}
