#pragma once

// Where the arrow keys move the focus among the buttons of a view. The
// buttons are taken in reading order (rows by their top edge, left to right
// within a row): Right and Left step to the next and the previous button,
// Down and Up to the nearest button (by the middles of the buttons) in the
// next and the previous row. At the ends the focus stays.

#include <span>
#include <vector>

#include "platform/drawing/Types.h"

namespace mirto {

enum class TGridMove { gmLeft, gmRight, gmUp, gmDown };
using enum TGridMove;

// The index of the button the move focuses; current is the focused one's
// index, or -1 when none of them has the focus (then the first button in
// reading order). -1 when there are no buttons.
int NextInGrid(std::span<const TRect> places, int current, TGridMove move);

}  // namespace mirto
