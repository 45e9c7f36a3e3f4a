#include "graphics/KvoGraphics.h"

#include "platform/Canvas.h"

namespace mirto {

namespace {

enum class Side { Top, Right, Bottom, Left };

// The first line of every side lies on the outermost pixels of that side;
// each further line is one pixel further in.
void DrawSide(TCanvas& canvas, TRect r, const TPen& pen, bool border3D, Side side) {
  // Read before touching the canvas pen: the caller may pass that very pen.
  const int lines = pen.Width();
  TPen& canvasPen = canvas.Pen();
  const int savedWidth = canvasPen.Width();
  canvasPen.SetWidth(1);
  canvasPen.SetColor(pen.Color());
  canvasPen.SetStyle(pen.Style());
  canvasPen.SetMode(pen.Mode());

  switch (side) {
    case Side::Top:
      break;
    case Side::Right:
      --r.Right;
      break;
    case Side::Bottom:
      --r.Bottom;
      --r.Left;
      --r.Right;
      break;
    case Side::Left:
      --r.Top;
      --r.Bottom;
      break;
  }

  for (int i = 0; i < lines; ++i) {
    switch (side) {
      case Side::Top:
        canvas.MoveTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        if (!border3D) ++r.Top;
        break;
      case Side::Right:
        canvas.MoveTo(r.Right, r.Top);
        canvas.LineTo(r.Right, r.Bottom);
        if (!border3D) --r.Right;
        break;
      case Side::Bottom:
        canvas.MoveTo(r.Right, r.Bottom);
        canvas.LineTo(r.Left, r.Bottom);
        if (!border3D) --r.Bottom;
        break;
      case Side::Left:
        canvas.MoveTo(r.Left, r.Bottom);
        canvas.LineTo(r.Left, r.Top);
        if (!border3D) ++r.Left;
        break;
    }
    if (border3D) InflateRect(r, -1, -1);
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
  --rect.Right;
  --rect.Bottom;
  for (int ring = 0; ring < width; ++ring) {
    pen.SetColor(topColor);
    canvas.MoveTo(rect.Left, rect.Top);
    canvas.LineTo(rect.Right, rect.Top);
    pen.SetColor(rightColor);
    canvas.LineTo(rect.Right, rect.Bottom);
    pen.SetColor(bottomColor);
    canvas.LineTo(rect.Left, rect.Bottom);
    pen.SetColor(leftColor);
    canvas.LineTo(rect.Left, rect.Top);
    InflateRect(rect, -1, -1);
  }
  ++rect.Right;
  ++rect.Bottom;
}

void DrawRectFrame(TCanvas& canvas, TRect& rect, TColor color, int width) {
  DrawRectFrame4(canvas, rect, color, color, color, color, width);
}

}  // namespace mirto
