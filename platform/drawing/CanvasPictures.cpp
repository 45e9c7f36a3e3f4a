// The canvas's pictures and pixels: drawing a graphic at its place or
// stretched, copies between canvases, a bitmap put back one pixel per
// pixel, the parallelogram blit, and the reading and writing of one pixel.

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/CanvasTarget_p.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/Graphic.h"
#include "platform/drawing/PicturePlacement.h"
#include "platform/drawing/PixelSurface_p.h"
#include "platform/drawing/RowBlit_p.h"

namespace mirto {

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  if (graphic.Empty()) return;
  DrawPlaced(*this, x, y, graphic.Width(), graphic.Height(),
             [&](const TRect& rect) { graphic.Draw(*this, rect); });
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
  if (graphic.Empty() || rect.IsEmpty()) return;
  graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  const QImage* from = TCanvasAccess::Image(source);
  if (!from) return;
  // The source rectangle in the source's own pixels.
  const long long f = source.target_->factor;
  const TRect cells = ToDevice(sourceRect, source.windowOrg_);
  const TRect device{ClampToInt(cells.Left * f), ClampToInt(cells.Top * f),
                     ClampToInt(cells.Right * f), ClampToInt(cells.Bottom * f)};
  TCanvasAccess::Blit(*this, dest, *from, device);
}

void TCanvas::DrawDevicePixels(int x, int y, const TBitmap& bitmap) {
  const QImage& pixels = TBitmapAccess::Image(bitmap);
  QImage* image = target_->Bits();
  if (pixels.isNull() || !image) return;
  const long long f = target_->factor;
  const TRect cells = DeviceClip();
  const TRect clip{ClampToInt(cells.Left * f), ClampToInt(cells.Top * f),
                   ClampToInt(cells.Right * f), ClampToInt(cells.Bottom * f)};
  const long long left = (1LL * x - windowOrg_.X) * f, top = (1LL * y - windowOrg_.Y) * f;
  // A bitmap that starts beyond the clip's reach shows nothing; one that
  // reaches it is placed exactly (its size is far below int's range).
  if (left >= clip.Right || top >= clip.Bottom || left + pixels.width() <= clip.Left ||
      top + pixels.height() <= clip.Top)
    return;
  const TRect dest{static_cast<int>(left), static_cast<int>(top),
                   static_cast<int>(left + pixels.width()),
                   static_cast<int>(top + pixels.height())};
  BlitRows(*image, Intersection(clip, dest), dest, pixels, {0, 0, pixels.width(), pixels.height()},
           nullptr, 1);
}

bool TCanvas::PlgBlt(const std::array<TPoint, 3>& points, const TBitmap& source,
                     const TRect& sourceRect) {
  if (sourceRect.IsEmpty()) return false;
  const double p0x = 1.0 * points[0].X - windowOrg_.X, p0y = 1.0 * points[0].Y - windowOrg_.Y;
  const double ax = 1.0 * points[1].X - points[0].X, ay = 1.0 * points[1].Y - points[0].Y;
  const double bx = 1.0 * points[2].X - points[0].X, by = 1.0 * points[2].Y - points[0].Y;
  const double det = ax * by - ay * bx;
  if (det == 0.0) return false;
  const QImage& sourceImage = TBitmapAccess::Image(source);
  QImage* image = target_->Bits();
  if (!image || sourceImage.isNull()) return false;
  // Turning a bitmap in place reads pixels this blit overwrites.
  std::optional<TInPlaceSnapshot> snapshot;
  if (&sourceImage == image) snapshot.emplace(sourceImage);
  const QImage& from = snapshot ? snapshot->Image() : sourceImage;
  if (from.isNull()) return false;  // no memory for the snapshot

  const double xs[] = {p0x, p0x + ax, p0x + bx, p0x + ax + bx};
  const double ys[] = {p0y, p0y + ay, p0y + by, p0y + ay + by};
  TRect box{ClampToInt(static_cast<long long>(std::floor(*std::min_element(xs, xs + 4)))),
            ClampToInt(static_cast<long long>(std::floor(*std::min_element(ys, ys + 4)))),
            ClampToInt(static_cast<long long>(std::ceil(*std::max_element(xs, xs + 4)))),
            ClampToInt(static_cast<long long>(std::ceil(*std::max_element(ys, ys + 4))))};
  box = Intersection(box, DeviceClip());
  PlgBlitRows(*image, box, {p0x, p0y, ax, ay, bx, by}, det, from, sourceRect, target_->factor);
  return true;
}

std::size_t TCanvasAccess::KeptTurnSnapshotBytes() { return TInPlaceSnapshot::KeptBytes(); }

TColor TCanvas::Pixels(int x, int y) const {
  const QImage* image = TCanvasAccess::Image(*this);
  const long long dx = 1LL * x - windowOrg_.X, dy = 1LL * y - windowOrg_.Y;
  const int f = target_->factor;
  if (!image || dx < 0 || dy < 0 || dx >= image->width() / f || dy >= image->height() / f)
    return clNone;
  // A logical pixel reads as the top-left pixel of its cell.
  const std::uint32_t rgb = ReadRgb(*image, static_cast<int>(dx) * f, static_cast<int>(dy) * f);
  return RGB(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
             static_cast<std::uint8_t>(rgb));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  const auto rgb = Rgb(color);
  const long long dx = 1LL * x - windowOrg_.X, dy = 1LL * y - windowOrg_.Y;
  const TRect clip = DeviceClip();
  if (!rgb || dx < clip.Left || dy < clip.Top || dx >= clip.Right || dy >= clip.Bottom) return;
  QImage* image = target_->Bits();
  if (!image) return;
  PixelSurface(*image, target_->factor).Set(static_cast<int>(dx), static_cast<int>(dy), *rgb);
}

}  // namespace mirto
