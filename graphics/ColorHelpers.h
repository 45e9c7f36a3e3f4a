#pragma once

// Colour arithmetic shared by the catalog and the painting components:
// composing and splitting colour values, lightening and darkening them by a
// percentage, and taking a percentage of a length.

#include "platform/drawing/Types.h"

namespace mirto {

// R + G * 256 + B * 65536; only the low byte of each argument counts.
TColor RgbToColor(int R, int G, int B);

// The three low bytes of color as they stand: the high byte is ignored and
// system colours are not resolved.
void ColorToRgbParts(TColor color, int& R, int& G, int& B);

// Resolves system colours first, then moves every channel by
// channel * percent / 100 (truncated) up (brighten) or down, clamped to 0..255.
TColor ColorSetPercentBrightness(TColor color, int percent, bool brighten);

// The same channel arithmetic on the value's low three bytes as they stand,
// without resolving system colours.
TColor ShiftColorPercent(TColor color, int percent, bool brighten);

// value * percent / 100, rounded to the nearest integer, halves to even.
int PercentOf(int value, double percent);

}  // namespace mirto
