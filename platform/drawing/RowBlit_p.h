#pragma once

// Platform-internal: the row loops behind the canvas's rectangle and
// parallelogram blits. Coordinates are device pixels of the target (cells of
// factor x factor pixels, see PixelSurface); callers clip, and a source that
// is the target itself is passed as a snapshot.

#include <QImage>
#include <cstddef>

#include "platform/drawing/Types.h"

namespace mirto {

// Copies sourceRect of from into device, opaque, scaled with nearest-pixel
// sampling when the sizes differ; only the pixels inside clip are written.
// Source pixels whose colour (0xRRGGBB) equals *transparent are left out.
void BlitRows(QImage& target, const TRect& clip, const TRect& device, const QImage& from,
              const TRect& sourceRect, const QRgb* transparent, int factor = 1);

// The parallelogram with corner (x0, y0) and sides (ax, ay) (the source's
// top edge) and (bx, by) (its left edge), in device pixels.
struct TParallelogram {
  double x0, y0, ax, ay, bx, by;
};

// Draws sourceRect of from into the parallelogram, for the pixels of box
// whose centres map into the source; det is ax * by - ay * bx, not zero.
void PlgBlitRows(QImage& target, const TRect& box, const TParallelogram& shape, double det,
                 const QImage& from, const TRect& sourceRect, int factor = 1);

// A copy of image for a blit that reads the pixels it overwrites (null
// when there is no memory for it). A small copy's memory is kept, on this
// thread, for the next turn of an image the same size; a large one is
// released when the snapshot goes.
class TInPlaceSnapshot {
 public:
  explicit TInPlaceSnapshot(const QImage& image);
  ~TInPlaceSnapshot();
  TInPlaceSnapshot(const TInPlaceSnapshot&) = delete;
  TInPlaceSnapshot& operator=(const TInPlaceSnapshot&) = delete;

  const QImage& Image() const { return snapshot_; }
  // Bytes kept for the next turn.
  static std::size_t KeptBytes();

 private:
  QImage& snapshot_;
};

}  // namespace mirto
