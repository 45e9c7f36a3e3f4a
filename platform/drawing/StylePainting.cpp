#include "platform/drawing/StylePainting.h"

#include <algorithm>

#include "platform/drawing/Canvas.h"

namespace mirto {

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
  canvas.Pen().SetWidth(1);
  if (width <= 0) return;
  // Inclusive corners of the current ring.
  long long left = rect.Left, top = rect.Top, right = rect.Right - 1LL, bottom = rect.Bottom - 1LL;
  // Only the rings that can reach the clip are drawn: the outer ones may
  // lie around it, the inner ones beside it. Rings also stop once nothing is
  // left inside; the rest would only repaint pixels of the outer rings.
  const TRect clip = canvas.ClipRect();
  long long first = 0, last = -1;
  if (!clip.IsEmpty()) {
    first = std::max(0LL, std::min({clip.Left - left, clip.Top - top, right - (clip.Right - 1LL),
                                    bottom - (clip.Bottom - 1LL)}));
    last = std::min({width - 1LL, clip.Right - 1LL - left, clip.Bottom - 1LL - top,
                     right - clip.Left, bottom - clip.Top});
  }
  left += first;
  top += first;
  right -= first;
  bottom -= first;
  for (long long ring = first; ring <= last && left <= right && top <= bottom; ++ring) {
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
