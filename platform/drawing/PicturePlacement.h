#pragma once

// Where a picture of a given size lands when its top-left corner is given:
// the rectangle x, y, x + width, y + height, also when those sums lie beyond
// the range of int.

#include <functional>

#include "platform/drawing/Types.h"

namespace mirto {

class TCanvas;

// Calls draw with the logical rectangle of a width x height picture at
// (x, y) on canvas. Where the rectangle would end beyond int, the canvas's
// window origin is moved for the call so that the same device pixels are
// addressed from near 0: the picture is cut by the target's edges, never
// squeezed. A picture that cannot reach any target draws nothing.
void DrawPlaced(TCanvas& canvas, int x, int y, int width, int height,
                const std::function<void(const TRect&)>& draw);

}  // namespace mirto
