#include "tests/support/ScaledBoard.h"

#include <set>
#include <vector>

#include "platform/drawing/Canvas_p.h"
#include "tests/support/PixelPicture.h"

namespace mirto::testing_support {

ScaledBoard::ScaledBoard(int width, int height, int factor, TColor background)
    : image_(width * factor, height * factor, QImage::Format_ARGB32_Premultiplied) {
  image_.setDevicePixelRatio(factor);
  image_.fill(ToQColor(background));
  TCanvasAccess::Bind(canvas_, &image_);
}

ScaledBoard::~ScaledBoard() { TCanvasAccess::Bind(canvas_, nullptr); }

TBitmap& ScaledBoard::Pixels() {
  BitmapOf(*TCanvasAccess::Image(canvas_), pixels_);
  return pixels_;
}

void BitmapOf(const QImage& image, TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(image.width(), image.height());
  QImage plain = image.convertToFormat(QImage::Format_ARGB32);
  plain.setDevicePixelRatio(1);
  TBitmapAccess::Image(bitmap) = plain;
}

void Enlarge(TBitmap& source, int factor, TBitmap& result) {
  Blank(result, source.Width() * factor, source.Height() * factor, clWhite, pf32bit);
  result.Canvas().StretchDraw({0, 0, result.Width(), result.Height()}, source);
}

int DistinctInkColumns(TBitmap& bitmap, TColor background) {
  background = ColorToRGB(background);
  std::set<std::vector<TColor>> columns;
  for (int x = 0; x < bitmap.Width(); ++x) {
    std::vector<TColor> column;
    bool ink = false;
    for (int y = 0; y < bitmap.Height(); ++y) {
      column.push_back(bitmap.Canvas().Pixels(x, y));
      ink = ink || column.back() != background;
    }
    if (ink) columns.insert(std::move(column));
  }
  return static_cast<int>(columns.size());
}

}  // namespace mirto::testing_support
