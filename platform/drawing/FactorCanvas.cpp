#include "platform/drawing/FactorCanvas.h"

#include <algorithm>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas_p.h"

namespace mirto {

TFactorCanvas::TFactorCanvas(TBitmap& bitmap, int factor) : bitmap_(bitmap) {
  QImage& image = TBitmapAccess::Image(bitmap_);
  image.setDevicePixelRatio(std::max(factor, 1));
  TCanvasAccess::Bind(canvas_, &image);
}

TFactorCanvas::~TFactorCanvas() {
  TCanvasAccess::Bind(canvas_, nullptr);
  TBitmapAccess::Image(bitmap_).setDevicePixelRatio(1);
}

}  // namespace mirto
