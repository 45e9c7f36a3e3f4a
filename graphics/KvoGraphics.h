#pragma once

// Borders drawn as stacks of one-pixel lines, so that thickness, corners and
// bevels come out exactly whatever the platform does with wide pens.

#include "platform/drawing/Types.h"

namespace mirto {

class TCanvas;
class TPen;

// Each routine draws one side of rect, pen.Width() lines thick, with pen's
// colour, style and mode (which the canvas pen keeps afterwards; its width
// is restored). With border3D every further line is one pixel shorter at
// both ends, so four sides meet in mitred corners; otherwise every line runs
// the full length of the side.
void DrawRectTopBorder(TCanvas& canvas, TRect rect, const TPen& pen, bool border3D);
void DrawRectRightBorder(TCanvas& canvas, TRect rect, const TPen& pen, bool border3D);
void DrawRectBottomBorder(TCanvas& canvas, TRect rect, const TPen& pen, bool border3D);
void DrawRectLeftBorder(TCanvas& canvas, TRect rect, const TPen& pen, bool border3D);

// A frame width pixels wide along the inside of rect, each side in its own
// colour. The corner pixels of each ring belong to the top (top-left), right
// (top-right), bottom (bottom-right) and left (bottom-left) sides. rect comes
// back shrunk by width on every side: the area inside the frame. The canvas
// pen is left 1 pixel wide with the left colour.
void DrawRectFrame4(TCanvas& canvas, TRect& rect, TColor leftColor, TColor rightColor,
                    TColor topColor, TColor bottomColor, int width);
// DrawRectFrame4 with one colour for all sides.
void DrawRectFrame(TCanvas& canvas, TRect& rect, TColor color, int width);

}  // namespace mirto
