#include "platform/drawing/StylePainting.h"

#include <algorithm>

#include "platform/drawing/Canvas.h"

namespace mirto {

FrameRings FrameRingsInClip(const TRect& rect, int width, const TRect& clip) {
  const long long left = rect.Left, top = rect.Top, right = rect.Right - 1LL,
                  bottom = rect.Bottom - 1LL;
  if (clip.IsEmpty() || width <= 0 || left > right || top > bottom) return {};
  return {std::max(0LL, std::min({clip.Left - left, clip.Top - top, right - (clip.Right - 1LL),
                                  bottom - (clip.Bottom - 1LL)})),
          std::min({width - 1LL, clip.Right - 1LL - left, clip.Bottom - 1LL - top,
                    right - clip.Left, bottom - clip.Top, (right - left) / 2, (bottom - top) / 2})};
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
  canvas.Pen().SetWidth(1);
  if (width <= 0) return;
  const FrameRings rings = FrameRingsInClip(rect, width, canvas.ClipRect());
  // Inclusive corners of the current ring.
  long long left = rect.Left + rings.first, top = rect.Top + rings.first,
            right = rect.Right - 1LL - rings.first, bottom = rect.Bottom - 1LL - rings.first;
  for (long long ring = rings.first; ring <= rings.last; ++ring) {
    canvas.Pen().SetColor(topLeft);
    canvas.MoveTo(ClampToInt(left), ClampToInt(bottom));
    canvas.LineTo(ClampToInt(left), ClampToInt(top));
    canvas.LineTo(ClampToInt(right), ClampToInt(top));
    canvas.Pen().SetColor(bottomRight);
    canvas.LineTo(ClampToInt(right), ClampToInt(bottom));
    canvas.LineTo(ClampToInt(left - 1), ClampToInt(bottom));
    ++left;
    ++top;
    --right;
    --bottom;
  }
  canvas.Pen().SetColor(bottomRight);
  rect = {ClampToInt(1LL * rect.Left + width), ClampToInt(1LL * rect.Top + width),
          ClampToInt(1LL * rect.Right - width), ClampToInt(1LL * rect.Bottom - width)};
}

void DrawPushButtonFace(TCanvas& canvas, TRect& rect) {
  if (rect.IsEmpty()) return;
  TCanvasStateGuard guard(canvas);
  canvas.Pen().SetMode(pmCopy);
  canvas.Pen().SetStyle(psSolid);
  Frame3D(canvas, rect, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(canvas, rect, cl3DLight, clBtnShadow, 1);
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(rect);
}

void DrawBevel(TCanvas& canvas, TRect& rect, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  TColor topLeft = clBtnHighlight;
  TColor bottomRight = clBtnShadow;
  if (cut == bvLowered) std::swap(topLeft, bottomRight);
  if (cut == bvSpace) topLeft = bottomRight = clBtnFace;
  Frame3D(canvas, rect, topLeft, bottomRight, width);
}

}  // namespace mirto
