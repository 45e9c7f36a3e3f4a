#include "graphics/KvoGraphics.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/StylePainting.h"

namespace mirto {

namespace {

using Coord = std::int64_t;

// Rectangle edges in 64 bits, so that stepping inward from any int
// rectangle cannot overflow.
struct Box {
  Coord left, top, right, bottom;
};

Box ToBox(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

void Line(TCanvas& canvas, Coord x0, Coord y0, Coord x1, Coord y1) {
  canvas.MoveTo(ClampToInt(x0), ClampToInt(y0));
  canvas.LineTo(ClampToInt(x1), ClampToInt(y1));
}

enum class Side { Top, Right, Bottom, Left };

// Line k of a side lies k pixels in from the side's outermost pixels; with
// border3D it is also k pixels shorter at each end, so four sides meet in
// mitred corners. Only lines that have pixels of their own inside rect and
// can reach the canvas's clip are drawn: a pen wider than the rectangle
// neither paints beyond it nor keeps the loop running.
void DrawSide(TCanvas& canvas, const TRect& rect, const TPen& pen, bool border3D, Side side) {
  // Read before touching the canvas pen: the caller may pass that very pen.
  const Coord lines = pen.Width();
  TPen& canvasPen = canvas.Pen();
  const int savedWidth = canvasPen.Width();
  canvasPen.SetWidth(1);
  canvasPen.SetColor(pen.Color());
  canvasPen.SetStyle(pen.Style());
  canvasPen.SetMode(pen.Mode());

  const Box r = ToBox(rect);
  const Box clip = ToBox(canvas.ClipRect());
  const Coord s = border3D ? 1 : 0;
  const bool horizontal = side == Side::Top || side == Side::Bottom;
  const Coord length = horizontal ? r.right - r.left : r.bottom - r.top;
  const Coord depth = horizontal ? r.bottom - r.top : r.right - r.left;
  // First line that can reach the clip, and the end of the visible ones.
  Coord first = 0;
  Coord end = std::min(lines, depth);
  switch (side) {
    case Side::Top:
      first = clip.top - r.top;
      end = std::min(end, clip.bottom - r.top);
      break;
    case Side::Bottom:
      first = r.bottom - clip.bottom;
      end = std::min(end, r.bottom - clip.top);
      break;
    case Side::Left:
      first = clip.left - r.left;
      end = std::min(end, clip.right - r.left);
      break;
    case Side::Right:
      first = r.right - clip.right;
      end = std::min(end, r.right - clip.left);
      break;
  }
  // A mitred line k is 2k pixels shorter than the side.
  if (s != 0) end = std::min(end, (length + 1) / 2);
  for (Coord k = std::max<Coord>(first, 0); k < end && length - 2 * s * k > 0; ++k) {
    const Coord inset = s * k;
    switch (side) {
      case Side::Top:
        Line(canvas, r.left + inset, r.top + k, r.right - inset, r.top + k);
        break;
      case Side::Right:
        Line(canvas, r.right - 1 - k, r.top + inset, r.right - 1 - k, r.bottom - inset);
        break;
      case Side::Bottom:
        Line(canvas, r.right - 1 - inset, r.bottom - 1 - k, r.left - 1 + inset, r.bottom - 1 - k);
        break;
      case Side::Left:
        Line(canvas, r.left + k, r.bottom - 1 - inset, r.left + k, r.top - 1 + inset);
        break;
    }
  }

  canvasPen.SetWidth(savedWidth);
}

}  // namespace

void DrawRectTopBorder(TCanvas& canvas, TRect rect, const TPen& pen, bool border3D) {
  DrawSide(canvas, rect, pen, border3D, Side::Top);
}

void DrawRectRightBorder(TCanvas& canvas, TRect rect, const TPen& pen, bool border3D) {
  DrawSide(canvas, rect, pen, border3D, Side::Right);
}

void DrawRectBottomBorder(TCanvas& canvas, TRect rect, const TPen& pen, bool border3D) {
  DrawSide(canvas, rect, pen, border3D, Side::Bottom);
}

void DrawRectLeftBorder(TCanvas& canvas, TRect rect, const TPen& pen, bool border3D) {
  DrawSide(canvas, rect, pen, border3D, Side::Left);
}

void DrawRectFrame4(TCanvas& canvas, TRect& rect, TColor leftColor, TColor rightColor,
                    TColor topColor, TColor bottomColor, int width) {
  TPen& pen = canvas.Pen();
  pen.SetWidth(1);
  // Ring k runs along (left + k, top + k) .. (right - k, bottom - k), the
  // right and bottom edges being the last column and row of rect.
  const Box outer = ToBox(rect);
  const Coord left = outer.left, top = outer.top;
  const Coord right = outer.right - 1, bottom = outer.bottom - 1;
  const FrameRings rings = FrameRingsInClip(rect, width, canvas.ClipRect());
  for (Coord k = rings.first; k <= rings.last; ++k) {
    const Coord l = left + k, t = top + k, r = right - k, b = bottom - k;
    pen.SetColor(topColor);
    Line(canvas, l, t, r, t);
    pen.SetColor(rightColor);
    canvas.LineTo(ClampToInt(r), ClampToInt(b));
    pen.SetColor(bottomColor);
    canvas.LineTo(ClampToInt(l), ClampToInt(b));
    pen.SetColor(leftColor);
    canvas.LineTo(ClampToInt(l), ClampToInt(t));
  }
  if (width > 0) {
    pen.SetColor(leftColor);
    rect = {ClampToInt(outer.left + width), ClampToInt(outer.top + width),
            ClampToInt(outer.right - width), ClampToInt(outer.bottom - width)};
  }
}

void DrawRectFrame(TCanvas& canvas, TRect& rect, TColor color, int width) {
  DrawRectFrame4(canvas, rect, color, color, color, color, width);
}

}  // namespace mirto
