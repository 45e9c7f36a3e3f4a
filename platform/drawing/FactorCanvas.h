#pragma once

// A canvas over a bitmap's pixels that paints the way a control's picture at
// a whole factor is painted: each logical pixel is a factor x factor cell of
// the bitmap, text and rounded shapes use every pixel. For code that builds
// a picture pixel by pixel at a screen's resolution (the bitmap itself stays
// an ordinary bitmap of its own pixels).

#include "platform/drawing/Canvas.h"

namespace mirto {

class TBitmap;

class TFactorCanvas {
 public:
  // While it lives, the bitmap is neither resized nor painted through its
  // own canvas; what it painted is in the bitmap's pixels once it is gone.
  TFactorCanvas(TBitmap& bitmap, int factor);
  ~TFactorCanvas();
  TFactorCanvas(const TFactorCanvas&) = delete;
  TFactorCanvas& operator=(const TFactorCanvas&) = delete;

  TCanvas& Canvas() { return canvas_; }

 private:
  TBitmap& bitmap_;
  TCanvas canvas_;
};

}  // namespace mirto
