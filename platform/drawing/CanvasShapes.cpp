// The canvas's shapes and lines: fills, frames, rectangles, rounded
// rectangles and ellipses, lines in every pen style and mode, the focus
// rectangle and the two-colour gradient fill, written straight into the
// pixel rows where the platform's pixel rules say which pixels, through the
// painter where a rasteriser is needed.

#include <QPainterPath>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/CanvasTarget_p.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/PathSpans_p.h"
#include "platform/drawing/PixelLines_p.h"
#include "platform/drawing/PixelSurface_p.h"

namespace mirto {

void TCanvas::FillRect(const TRect& rect) { FillWithBrush(rect, 0); }

void TCanvas::FrameRect(const TRect& rect) { FillWithBrush(rect, 1); }

void TCanvas::FillWithBrush(const TRect& rect, int ringWidth) {
  if (brush_.Style() == bsClear) return;
  const auto rgb = Rgb(brush_.Color());
  const TRect device = ToDevice(rect, windowOrg_);
  QImage* image = target_->Bits();
  if (!rgb || device.IsEmpty() || !image) return;
  PixelSurface surface(*image, target_->factor);
  if (ringWidth > 0)
    surface.FillRing(DeviceClip(), device, ringWidth, *rgb, pmCopy);
  else
    surface.Fill(DeviceClip(), device, *rgb, pmCopy);
}

void TCanvas::Rectangle(const TRect& rect) {
  const TRect r = Normalized(rect);
  if (r.IsEmpty()) return;
  const auto penRgb = Rgb(pen_.Color());
  const bool penVisible = pen_.Style() != psClear && penRgb && pen_.Mode() != pmNop;
  const std::optional<std::uint32_t> brushColor = Rgb(brush_.Color());
  const bool filled = brush_.Style() == bsSolid && brushColor.has_value();
  const std::uint32_t brushRgb = brushColor.value_or(0);
  if (!penVisible) {
    // Without an outline the platform fills one pixel less to the right
    // and bottom.
    if (filled) {
      QImage* image = target_->Bits();
      if (!image) return;
      PixelSurface surface(*image, target_->factor);
      surface.Fill(DeviceClip(), ToDevice({r.Left, r.Top, r.Right - 1, r.Bottom - 1}, windowOrg_),
                   brushRgb, pmCopy);
    }
    return;
  }
  const int w = std::clamp(pen_.Width(), 1, kMaxPenWidth);
  const TRect outer = ToDevice(Inflated(r, (w - 1) / 2), windowOrg_);
  const TRect inner = Inflated(outer, -w);
  const bool dashed = w == 1 && !DashWalker(pen_.Style()).Solid();
  {
    QImage* image = target_->Bits();
    if (!image) return;
    PixelSurface surface(*image, target_->factor);
    const TRect clip = DeviceClip();
    if (filled && !inner.IsEmpty()) surface.Fill(clip, inner, brushRgb, pmCopy);
    if (!dashed) {
      surface.FillRing(clip, outer, w, PenModeColor(pen_.Mode(), *penRgb), pen_.Mode());
      return;
    }
  }
  const TPoint saved = penPos_;
  MoveTo(r.Left, r.Top);
  LineTo(r.Right - 1, r.Top);
  LineTo(r.Right - 1, r.Bottom - 1);
  LineTo(r.Left, r.Bottom - 1);
  LineTo(r.Left, r.Top);
  penPos_ = saved;
}

namespace {

enum class ShapeKind { RoundRect, Ellipse };

QPainterPath ShapePath(ShapeKind kind, const TRect& r, int rx, int ry) {
  QPainterPath path;
  const QRectF box(r.Left, r.Top, static_cast<double>(Width64(r)),
                   static_cast<double>(Height64(r)));
  if (r.IsEmpty()) return path;
  if (kind == ShapeKind::Ellipse) {
    path.addEllipse(box);
  } else {
    path.addRoundedRect(box, std::max(0, rx) / 2.0, std::max(0, ry) / 2.0);
  }
  return path;
}

}  // namespace

void TCanvas::RoundRect(const TRect& rect, int rx, int ry) {
  const TRect r = Normalized(rect);
  if (rx <= 0 || ry <= 0) {
    Rectangle(r);
    return;
  }
  DrawShape(r, static_cast<int>(ShapeKind::RoundRect),
            ClampToInt(std::min<long long>(rx, Width64(r))),
            ClampToInt(std::min<long long>(ry, Height64(r))));
}

void TCanvas::Ellipse(const TRect& rect) {
  DrawShape(Normalized(rect), static_cast<int>(ShapeKind::Ellipse), 0, 0);
}

bool TCanvas::DrawEllipseSpans(const TRect& r) {
  const auto penRgb = Rgb(pen_.Color());
  const TPenMode mode = pen_.Mode();
  const bool penVisible = pen_.Style() != psClear && penRgb && mode != pmNop;
  const std::optional<std::uint32_t> brushColor = Rgb(brush_.Color());
  const bool filled = brush_.Style() == bsSolid && brushColor.has_value();
  // Other pen modes combine with the pixels below, which the painter does
  // its own way.
  if (penVisible && mode != pmCopy && mode != pmBlack && mode != pmWhite) return false;
  QImage* image = target_->image;
  if (!image || image->isNull()) return true;
  // On a picture of several pixels per logical pixel the painter draws the
  // ellipse at the picture's own resolution.
  if (WritableFormat(*image) == RowFormat::Other || target_->factor > 1) return false;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return true;
  TRect outer, inner;
  if (penVisible) {
    const int w = std::clamp(pen_.Width(), 1, kMaxPenWidth);
    outer = ToDevice(Inflated(r, (w - 1) / 2), windowOrg_);
    inner = Inflated(outer, -w);
  } else {
    inner = outer = ToDevice({r.Left, r.Top, r.Right - 1, r.Bottom - 1}, windowOrg_);
  }
  const std::optional<EllipseSpans> spans =
      EllipseSpans::Plan(outer, inner, filled, penVisible, clip);
  if (!spans) return false;
  QImage* bits = target_->Bits();
  if (!bits) return true;
  PixelSurface surface(*bits, target_->factor);
  spans->Draw(surface, brushColor.value_or(0), PenModeColor(mode, penRgb.value_or(0)));
  return true;
}

void TCanvas::DrawShape(const TRect& r, int shape, int rx, int ry) {
  if (r.IsEmpty()) return;
  const auto kind = static_cast<ShapeKind>(shape);
  const auto penRgb = Rgb(pen_.Color());
  const bool penVisible = pen_.Style() != psClear && penRgb && pen_.Mode() != pmNop;
  const std::optional<std::uint32_t> brushColor = Rgb(brush_.Color());
  const bool filled = brush_.Style() == bsSolid && brushColor.has_value();
  const std::uint32_t brushRgb = brushColor.value_or(0);
  if (kind == ShapeKind::Ellipse && DrawEllipseSpans(r)) return;
  QPainter* painter = DevicePainter(target_->painter, target_->image, DeviceClip());
  if (!painter) return;
  if (!penVisible) {
    if (filled) {
      const TRect inner = ToDevice({r.Left, r.Top, r.Right - 1, r.Bottom - 1}, windowOrg_);
      painter->fillPath(ShapePath(kind, inner, rx, ry), OpaqueColor(brushRgb));
    }
    return;
  }
  const int w = std::clamp(pen_.Width(), 1, kMaxPenWidth);
  const TRect outer = ToDevice(Inflated(r, (w - 1) / 2), windowOrg_);
  const TRect inner = Inflated(outer, -w);
  const QPainterPath innerPath = ShapePath(kind, inner, rx - 2 * w, ry - 2 * w);
  if (filled && !inner.IsEmpty()) painter->fillPath(innerPath, OpaqueColor(brushRgb));
  QPainterPath ring = ShapePath(kind, outer, rx, ry);
  if (!inner.IsEmpty()) {
    ring.addPath(innerPath);
    ring.setFillRule(Qt::OddEvenFill);
  }
  const auto composition = CompositionFor(pen_.Mode());
  if (!composition) return;
  painter->setCompositionMode(*composition);
  painter->fillPath(ring, OpaqueColor(PenModeColor(pen_.Mode(), *penRgb)));
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// --- lines ------------------------------------------------------------------

void TCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  const TPoint from = penPos_;
  penPos_ = {x, y};
  DrawLine(from, penPos_);
}

void TCanvas::DrawLine(TPoint from, TPoint to) {
  if (pen_.Style() == psClear || pen_.Mode() == pmNop || from == to) return;
  const auto penRgb = Rgb(pen_.Color());
  if (!penRgb) return;
  const TPenMode mode = pen_.Mode();
  const std::uint32_t color = PenModeColor(mode, *penRgb);
  const long long x0 = 1LL * from.X - windowOrg_.X, y0 = 1LL * from.Y - windowOrg_.Y;
  const long long x1 = 1LL * to.X - windowOrg_.X, y1 = 1LL * to.Y - windowOrg_.Y;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return;
  const int w = std::clamp(pen_.Width(), 1, kMaxPenWidth);
  DashWalker dashes(w == 1 ? pen_.Style() : psSolid);

  if (w > 1 && x0 != x1 && y0 != y1) {
    // Wide slanted lines: flat ends, the end point left out by the caps.
    QPainter* painter = DevicePainter(target_->painter, target_->image, clip);
    const auto composition = CompositionFor(mode);
    if (!painter || !composition) return;
    painter->setCompositionMode(*composition);
    painter->setPen(QPen(OpaqueColor(color), w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter->drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(x1 + 0.5, y1 + 0.5));
    painter->setPen(Qt::NoPen);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }

  QImage* image = target_->Bits();
  if (!image) return;
  PixelSurface surface(*image, target_->factor);

  if (w > 1 || (dashes.Solid() && (x0 == x1 || y0 == y1))) {
    // Straight lines as rectangles: the end point is excluded and a wide pen
    // is centred on the line (its extra pixel below or right of it).
    const long long half = (w - 1) / 2;
    long long left, top, right, bottom;
    if (y0 == y1) {
      left = x1 > x0 ? x0 : x1 + 1;
      right = x1 > x0 ? x1 : x0 + 1;
      top = y0 - half;
      bottom = top + w;
    } else {
      top = y1 > y0 ? y0 : y1 + 1;
      bottom = y1 > y0 ? y1 : y0 + 1;
      left = x0 - half;
      right = left + w;
    }
    surface.Fill(clip, {ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom)},
                 color, mode);
    return;
  }

  // One-pixel lines: Bresenham from the start point, the end point left out.
  const std::optional<std::uint32_t> gapRgb =
      brush_.Style() == bsSolid ? Rgb(brush_.Color()) : std::nullopt;
  WalkPixelLine(surface, clip, {x0, y0, x1, y1}, color, mode, dashes,
                gapRgb ? std::optional(PenModeColor(mode, *gapRgb)) : std::nullopt);
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  const TRect r = ToDevice(rect, windowOrg_);
  QImage* image = target_->Bits();
  if (r.IsEmpty() || !image) return;
  const TRect clip = DeviceClip();
  PixelSurface surface(*image, target_->factor);
  // Every pixel of the frame is visited once, so a second call undoes the
  // first; the dots follow the device grid like the platform's.
  const auto dot = [&](int x, int y) {
    if (((x ^ y) & 1) == 0 && clip.Contains({x, y})) surface.Invert(x, y);
  };
  const TRect top = Intersection({r.Left, r.Top, r.Right, r.Top + 1}, clip);
  for (int x = top.Left; x < top.Right; ++x) dot(x, r.Top);
  if (r.Bottom - 1 > r.Top) {
    const TRect bottom = Intersection({r.Left, r.Bottom - 1, r.Right, r.Bottom}, clip);
    for (int x = bottom.Left; x < bottom.Right; ++x) dot(x, r.Bottom - 1);
  }
  const TRect sides = Intersection({r.Left, r.Top + 1, r.Right, r.Bottom - 1}, clip);
  for (int y = sides.Top; y < sides.Bottom; ++y) {
    dot(r.Left, y);
    if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
  }
}

void GradientFillCanvas(TCanvas& canvas, TColor start, TColor end, const TRect& rect,
                        TGradientDirection direction) {
  const auto from = Rgb(start), to = Rgb(end);
  const TPoint origin = canvas.WindowOrg();
  const TRect device = ToDevice(rect, origin);
  const TRect clip = Intersection(TCanvasAccess::DeviceClip(canvas), device);
  QImage* image = TCanvasAccess::Image(canvas);
  if (!from || !to || rect.IsEmpty() || clip.IsEmpty() || !image) return;
  const long long steps = direction == gdHorizontal ? Height64(device) : Width64(device);
  // Step i of steps: each channel moves from the start colour (i = 0) to the
  // end colour (i = steps - 1).
  // Rounded like MulDiv (halves away from zero), in 64 bits for any extent.
  const auto colour = [&](long long i) {
    std::uint32_t rgb = 0;
    for (int shift : {0, 8, 16}) {
      const long long f = (*from >> shift) & 0xFF, t = (*to >> shift) & 0xFF;
      long long c = f;
      if (steps > 1) {
        const long long product = (t - f) * i;
        long long step = product / (steps - 1);
        if (2 * std::llabs(product % (steps - 1)) >= steps - 1) step += product < 0 ? -1 : 1;
        c += step;
      }
      rgb |= static_cast<std::uint32_t>(c) << shift;
    }
    return rgb;
  };
  PixelSurface surface(*image, canvas.DeviceFactor());
  if (direction == gdHorizontal) {
    for (int y = clip.Top; y < clip.Bottom; ++y)
      surface.Span(y, clip.Left, clip.Right, colour(1LL * y - device.Top));
    return;
  }
  for (int x = clip.Left; x < clip.Right; ++x)
    surface.Set(x, clip.Top, colour(1LL * x - device.Left));
  for (int y = clip.Top + 1; y < clip.Bottom; ++y)
    surface.CopyRow(clip.Top, y, clip.Left, clip.Right);
}

}  // namespace mirto
