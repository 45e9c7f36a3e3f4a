#pragma once

// Platform-internal: one-pixel lines written pixel by pixel, with the dash
// patterns of the pen styles.

#include <optional>
#include <vector>

#include "platform/drawing/Pen.h"
#include "platform/drawing/Types.h"

namespace mirto {

class PixelSurface;

// Walks the dash pattern one pixel at a time; the position carries over
// from one line to the next like the platform's styled lines.
class DashWalker {
 public:
  explicit DashWalker(TPenStyle style);
  // Whether the next pixel is "on"; advances.
  bool Next();
  bool Solid() const { return pattern_.empty(); }

 private:
  std::vector<int> pattern_;
  int period_ = 0;
  long long position_ = 0;
};

// A line from (x0, y0) to (x1, y1) in device pixels, 64-bit so that any
// logical line minus any origin fits.
struct TDeviceLine {
  long long x0, y0, x1, y1;
};

// Walks the line from its start point (Bresenham), leaving out the end
// point, and writes the pixels inside clip: the dashes in color, the gaps in
// *gapColor or not at all.
void WalkPixelLine(PixelSurface& surface, const TRect& clip, const TDeviceLine& line,
                   std::uint32_t color, TPenMode mode, DashWalker& dashes,
                   std::optional<std::uint32_t> gapColor);

}  // namespace mirto
