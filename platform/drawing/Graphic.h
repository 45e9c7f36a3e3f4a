#pragma once

// Base of every picture the canvas can draw: bitmaps, icons and PNG images.

#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"

namespace mirto {

class TCanvas;

class TGraphic : public TNotifyingPersistent {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // A picture without pixels (either side 0) draws nothing.
  virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }

  // Whether Draw leaves some pixels of the picture out (a transparent colour
  // for bitmaps; PNG images and icons always blend by their alpha).
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { Change(transparent_, value); }

  // Paints the picture into rect (logical coordinates of canvas); a rect of
  // another size than the picture stretches it with nearest-pixel sampling.
  virtual void Draw(TCanvas& canvas, const TRect& rect) const = 0;

 private:
  bool transparent_ = false;
};

}  // namespace mirto
