#pragma once

// Painting at a whole factor, the way controls and menus paint on screens of
// high resolution: a board of logical size whose canvas covers factor x
// factor pixels per logical pixel, read back as a bitmap of its own pixels
// so that it compares with a factor-1 board whose pixels were enlarged.

#include <QImage>
#include <functional>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

namespace mirto::testing_support {

class ScaledBoard {
 public:
  ScaledBoard(int width, int height, int factor, TColor background = clWhite);
  ~ScaledBoard();
  ScaledBoard(const ScaledBoard&) = delete;
  ScaledBoard& operator=(const ScaledBoard&) = delete;

  TCanvas& Canvas() { return canvas_; }
  // Every pixel of the picture (width x factor by height x factor).
  TBitmap& Pixels();

 private:
  QImage image_;
  TCanvas canvas_;
  TBitmap pixels_;
};

// A bitmap of the image's pixels (32-bit), for the pixel helpers.
void BitmapOf(const QImage& image, TBitmap& bitmap);

// The bitmap with every pixel enlarged to a factor x factor block.
void Enlarge(TBitmap& source, int factor, TBitmap& result);

// How many different columns of pixels hold something other than the
// background: a picture drawn at its own resolution has more of them than
// an enlarged one, whose columns repeat.
int DistinctInkColumns(TBitmap& bitmap, TColor background = clWhite);

}  // namespace mirto::testing_support
