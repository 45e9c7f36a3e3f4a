#pragma once

// The drawing surface. Coordinates are logical: a device pixel is the
// logical point minus the window origin (a cell of DeviceFactor() squared
// pixels of the target). Rectangles exclude Right and
// Bottom. All colours are resolved with ColorToRGB; clNone draws nothing and
// degenerate rectangles draw nothing.

#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "platform/drawing/Brush.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/Pen.h"
#include "platform/drawing/Persistent.h"
#include "platform/drawing/Region.h"
#include "platform/drawing/TextLayout.h"
#include "platform/drawing/Types.h"

namespace mirto {

class TGraphic;
class TBitmap;

// gdHorizontal: horizontal bands, the colour changes from top to bottom;
// gdVertical: vertical bands, the colour changes from left to right.
enum class TGradientDirection { gdHorizontal, gdVertical };
using enum TGradientDirection;

class TCanvas : public TPersistent {
 public:
  // A canvas bound to nothing: it keeps its tools and draws nothing.
  TCanvas();
  ~TCanvas() override;

  TPen& Pen() { return pen_; }
  const TPen& Pen() const { return pen_; }
  TBrush& Brush() { return brush_; }
  const TBrush& Brush() const { return brush_; }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }

  // True when the canvas paints on a target.
  bool HandleAllocated() const;
  // Pixels of the target per logical pixel along each axis: 1 for bitmaps,
  // the screen's whole factor for the pictures of controls and menus. Fills,
  // lines, frames, the focus rectangle and pixel access cover whole cells of
  // factor x factor pixels; text, rounded rectangles, ellipses and pictures
  // are drawn at the target's own resolution.
  int DeviceFactor() const;

  // --- shapes -------------------------------------------------------------
  // Fills rect with the brush (nothing with a clear brush).
  void FillRect(const TRect& rect);
  // One-pixel frame along the inside of rect, in the brush colour.
  void FrameRect(const TRect& rect);
  // Outline with the pen, interior with the brush unless clear. A pen of
  // width W is centred on the edge pixels (the extra pixel of an even width
  // lies inside). With a clear pen the filled area is one pixel smaller to
  // the right and bottom, as the platform always did.
  void Rectangle(const TRect& rect);
  void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(TRect{x1, y1, x2, y2}); }
  // rx and ry are the width and height of the corner ellipse; 0 gives
  // square corners.
  void RoundRect(const TRect& rect, int rx, int ry);
  void RoundRect(int x1, int y1, int x2, int y2, int rx, int ry) {
    RoundRect(TRect{x1, y1, x2, y2}, rx, ry);
  }
  void Ellipse(const TRect& rect);
  void Ellipse(int x1, int y1, int x2, int y2) { Ellipse(TRect{x1, y1, x2, y2}); }

  // Lines with the pen; LineTo never paints its end point and moves the pen
  // position there.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }

  // --- text ---------------------------------------------------------------
  // Text with its top-left corner at (x, y); the text cell is filled with the
  // brush first when the brush is solid. Moves the pen position to the end.
  void TextOut(int x, int y, const QString& text);
  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  // Draws text formatted into rect; "&&" shows one "&" and a single "&"
  // underlines the next character unless DT_NOPREFIX is given. With
  // DT_CALCRECT nothing is drawn: rect keeps Left and Top and gets the size
  // of the text. Returns the height of the text.
  int DrawText(const QString& text, TRect& rect, TTextFormat flags);

  // Dotted one-pixel frame drawn by inverting every other pixel, so that
  // drawing the same rectangle again restores the pixels.
  void DrawFocusRect(const TRect& rect);

  // --- pictures -----------------------------------------------------------
  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(const TRect& rect, const TGraphic& graphic);
  // Copies source's pixels in sourceRect onto dest (stretched when the sizes
  // differ). The source may be this canvas. The source is read in its own
  // pixels: a dest DeviceFactor() times the size of sourceRect on a bitmap
  // receives every one of them.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
  // Puts bitmap onto the target's own pixels, opaque, its top-left corner at
  // the logical point (x, y): one bitmap pixel per target pixel, so a bitmap
  // DeviceFactor() times the size of a logical area covers that area with
  // all of its detail. At factor 1 this is Draw.
  void DrawDevicePixels(int x, int y, const TBitmap& bitmap);
  // Draws sourceRect of source into the parallelogram whose top-left,
  // top-right and bottom-left corners are points (logical coordinates), with
  // nearest-pixel sampling. Pixels outside the parallelogram keep their
  // values. Source may be the bitmap this canvas paints on. Returns false and
  // draws nothing when the parallelogram or the source rectangle is empty.
  bool PlgBlt(const std::array<TPoint, 3>& points, const TBitmap& source, const TRect& sourceRect);

  // Colour of one pixel (clNone outside the target); writing sets it unless
  // it is outside the target or the clip.
  TColor Pixels(int x, int y) const;
  void SetPixels(int x, int y, TColor color);

  // --- coordinates and clipping ---------------------------------------------
  TPoint WindowOrg() const { return windowOrg_; }
  void SetWindowOrg(TPoint origin) { windowOrg_ = origin; }
  // Selects a copy of region (device coordinates) as clip region; a null
  // region removes it, an empty one clips everything away.
  void SelectClipRegion(const TRegion& region) { clipRegion_ = region; }
  void ClearClipRegion() { clipRegion_ = TRegion(); }
  const TRegion& ClipRegion() const { return clipRegion_; }
  // The part of the target that painting can reach (logical coordinates):
  // the area being repainted, cut by the clip region.
  TRect ClipRect() const;

  // Copies the tools (pen, brush, font) of another canvas.
  void Assign(const TPersistent* source) override;

 private:
  friend class TCanvasAccess;
  struct Target;

  TRect DeviceClip() const;
  // Fills rect with the brush, or with ringWidth > 0 only its outer ring.
  void FillWithBrush(const TRect& rect, int ringWidth);
  void DrawLine(TPoint from, TPoint to);
  void DrawShape(const TRect& rect, int shape, int rx, int ry);
  // Ellipses in plain colours, span by span without the painter; false when
  // the painter must draw this one.
  bool DrawEllipseSpans(const TRect& rect);
  void DrawTextRun(int deviceX, int deviceY, const QString& text, int underline,
                   const TRect& deviceClip, bool rightToLeft);
  void FillTextBackground(const TRect& deviceRect, const TRect& deviceClip);

  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint penPos_;
  TPoint windowOrg_;
  TRegion clipRegion_;
  std::unique_ptr<Target> target_;
};

// Saves the canvas's pen, brush, font, pen position, window origin and clip
// region and restores them when it goes out of scope.
class TCanvasStateGuard {
 public:
  explicit TCanvasStateGuard(TCanvas& canvas);
  ~TCanvasStateGuard();
  TCanvasStateGuard(const TCanvasStateGuard&) = delete;
  TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

 private:
  TCanvas& canvas_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint penPos_;
  TPoint windowOrg_;
  TRegion clipRegion_;
};

// Two-colour linear fill of rect: one colour per row (gdHorizontal, start
// colour at the top) or per column (gdVertical, start colour at the left),
// the first row/column in `start` and the last in `end`.
void GradientFillCanvas(TCanvas& canvas, TColor start, TColor end, const TRect& rect,
                        TGradientDirection direction);

}  // namespace mirto
