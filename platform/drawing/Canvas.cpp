#include "platform/drawing/Canvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/Graphic.h"
#include "platform/drawing/PathSpans_p.h"
#include "platform/drawing/PicturePlacement.h"
#include "platform/drawing/PixelLines_p.h"
#include "platform/drawing/PixelSurface_p.h"
#include "platform/drawing/RowBlit_p.h"

namespace mirto {

namespace {

// Wider pens draw as this wide: nothing on screen is wider, and the limit
// keeps arithmetic on the pen's extent far from overflow.
constexpr int kMaxPenWidth = 1 << 16;

TRect Offset(const TRect& r, long long dx, long long dy) {
  return {ClampToInt(r.Left + dx), ClampToInt(r.Top + dy), ClampToInt(r.Right + dx),
          ClampToInt(r.Bottom + dy)};
}

// Logical to device coordinates: device = logical - origin.
TRect ToDevice(const TRect& r, TPoint origin) {
  return Offset(r, -1LL * origin.X, -1LL * origin.Y);
}

// Width and height without overflow for any rectangle.
long long Width64(const TRect& r) { return 1LL * r.Right - r.Left; }
long long Height64(const TRect& r) { return 1LL * r.Bottom - r.Top; }

TRect Normalized(TRect r) {
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  return r;
}

TRect Intersection(const TRect& a, const TRect& b) {
  TRect r;
  IntersectRect(r, a, b);
  return r;
}

TRect Inflated(TRect r, int d) {
  return {ClampToInt(1LL * r.Left - d), ClampToInt(1LL * r.Top - d), ClampToInt(1LL * r.Right + d),
          ClampToInt(1LL * r.Bottom + d)};
}

std::uint32_t PenModeColor(TPenMode mode, std::uint32_t rgb) {
  if (mode == pmBlack) return 0;
  if (mode == pmWhite) return 0xFFFFFF;
  return rgb;
}

struct FontKey {
  QString name;
  int height = 0;
  std::uint64_t style = 0;
  TFontPitch pitch = fpDefault;
  TFontQuality quality = fqDefault;
  bool operator==(const FontKey&) const = default;
};

// Where the letter at index shows in a line of text: its left and right
// edges from the line's start. Bidirectional text is reordered for display,
// so the letter need not stand where the text before it ends.
std::pair<int, int> VisualSpan(const QString& text, int index, const QFont& font,
                               bool rightToLeft) {
  QTextLayout layout(text, font);
  QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
  option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  if (!line.isValid()) return {0, 0};
  const int a = static_cast<int>(std::lround(line.cursorToX(index)));
  const int b = static_cast<int>(std::lround(line.cursorToX(index + 1)));
  return std::minmax(a, b);
}

FontKey KeyOf(const TFont& font) {
  return {font.Name(), font.Height(), font.Style().ToBits(), font.Pitch(), font.Quality()};
}

}  // namespace

struct TCanvas::Target {
  QImage* image = nullptr;
  // Image pixels per logical pixel, a whole number taken from the image's
  // device pixel ratio when it is bound.
  int factor = 1;
  QPainter painter;
  bool hasPaintArea = false;
  TRect paintArea;

  std::optional<FontKey> fontKey;
  QFont font;
  std::optional<QFontMetrics> metrics;

  void EndPainting() {
    if (painter.isActive()) painter.end();
  }
  // The image with painting finished, so its bits may be used directly.
  QImage* Bits() {
    EndPainting();
    return image && !image->isNull() ? image : nullptr;
  }
  const QFontMetrics& Metrics(const TFont& f) {
    FontKey key = KeyOf(f);
    if (!fontKey || !(*fontKey == key)) {
      font = ToQFont(f);
      metrics.emplace(font);
      fontKey = std::move(key);
    }
    return *metrics;
  }
};

TCanvas::TCanvas() : target_(std::make_unique<Target>()) {}

TCanvas::~TCanvas() { target_->EndPainting(); }

bool TCanvas::HandleAllocated() const { return target_->image != nullptr; }

int TCanvas::DeviceFactor() const { return target_->factor; }

TRect TCanvas::DeviceClip() const {
  const QImage* image = target_->image;
  if (!image || image->isNull()) return {};
  TRect clip{0, 0, image->width() / target_->factor, image->height() / target_->factor};
  if (target_->hasPaintArea) clip = Intersection(clip, target_->paintArea);
  if (!clipRegion_.IsNull()) clip = Intersection(clip, clipRegion_.Bounds());
  return clip;
}

TRect TCanvas::ClipRect() const {
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return {};
  return Offset(clip, windowOrg_.X, windowOrg_.Y);
}

void TCanvas::Assign(const TPersistent* source) {
  const auto* canvas = dynamic_cast<const TCanvas*>(source);
  if (!canvas) {
    TPersistent::Assign(source);
    return;
  }
  pen_.Assign(&canvas->pen_);
  brush_.Assign(&canvas->brush_);
  font_.Assign(&canvas->font_);
}

// --- painter access ---------------------------------------------------------

namespace {

// Starts (or reuses) the painter and sets it up for device coordinates.
QPainter* DevicePainter(QPainter& painter, QImage* image, const TRect& clip) {
  if (!image || image->isNull() || clip.IsEmpty()) return nullptr;
  if (!painter.isActive()) {
    if (!painter.begin(image)) return nullptr;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
  }
  painter.resetTransform();
  painter.setClipRect(ToQRect(clip));
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setOpacity(1.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::NoBrush);
  painter.setLayoutDirection(Qt::LeftToRight);
  return &painter;
}

}  // namespace

void TCanvasAccess::Bind(TCanvas& canvas, QImage* image) {
  canvas.target_->EndPainting();
  canvas.target_->image = image;
  canvas.target_->factor = image ? DeviceFactorOf(*image) : 1;
}

int TCanvasAccess::DeviceFactorOf(const QImage& image) {
  const double ratio = image.devicePixelRatio();
  return ratio >= 1.5 ? static_cast<int>(std::lround(ratio)) : 1;
}

QImage* TCanvasAccess::Image(TCanvas& canvas) {
  canvas.target_->EndPainting();
  return canvas.target_->image;
}

const QImage* TCanvasAccess::Image(const TCanvas& canvas) {
  canvas.target_->EndPainting();
  return canvas.target_->image;
}

void TCanvasAccess::Flush(const TCanvas& canvas) { canvas.target_->EndPainting(); }

void TCanvasAccess::SetPaintArea(TCanvas& canvas, const TRect& deviceRect) {
  canvas.target_->hasPaintArea = true;
  canvas.target_->paintArea = deviceRect;
}

void TCanvasAccess::ClearPaintArea(TCanvas& canvas) { canvas.target_->hasPaintArea = false; }

TRect TCanvasAccess::DeviceClip(const TCanvas& canvas) { return canvas.DeviceClip(); }

QPainter* TCanvasAccess::Painter(TCanvas& canvas) {
  QPainter* painter =
      DevicePainter(canvas.target_->painter, canvas.target_->image, canvas.DeviceClip());
  if (painter) painter->translate(-1.0 * canvas.windowOrg_.X, -1.0 * canvas.windowOrg_.Y);
  return painter;
}

void TCanvasAccess::DrawImage(TCanvas& canvas, const TRect& dest, const QImage& image,
                              const QRect& sourceRect) {
  constexpr long long kMaxExtent = 1LL << 24;
  if (dest.IsEmpty() || image.isNull() || sourceRect.isEmpty() || Width64(dest) > kMaxExtent ||
      Height64(dest) > kMaxExtent)
    return;
  const TRect device = ToDevice(dest, canvas.windowOrg_);
  QPainter* painter =
      DevicePainter(canvas.target_->painter, canvas.target_->image, canvas.DeviceClip());
  if (!painter) return;
  if (&image == canvas.target_->image) {
    const QImage copy = image.copy();
    painter->drawImage(ToQRect(device), copy, sourceRect);
  } else {
    painter->drawImage(ToQRect(device), image, sourceRect);
  }
}

void TCanvasAccess::Blit(TCanvas& canvas, const TRect& dest, const QImage& source,
                         const TRect& sourceRect, const QRgb* transparent) {
  const TRect device = ToDevice(dest, canvas.windowOrg_);
  if (device.IsEmpty() || sourceRect.IsEmpty() || source.isNull()) return;
  const TRect clip = Intersection(canvas.DeviceClip(), device);
  QImage* image = canvas.target_->Bits();
  if (!image || clip.IsEmpty()) return;
  // Reading and writing the same pixels needs a snapshot of the source.
  const QImage snapshot = (&source == image) ? source.copy() : QImage();
  const QImage& from = (&source == image) ? snapshot : source;
  BlitRows(*image, clip, device, from, sourceRect, transparent, canvas.target_->factor);
}

// --- shapes -----------------------------------------------------------------

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

// --- text -------------------------------------------------------------------

int TCanvas::TextWidth(const QString& text) const {
  return target_->Metrics(font_).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const { return target_->Metrics(font_).height(); }

void TCanvas::DrawTextRun(int deviceX, int deviceY, const QString& text, int underline,
                          const TRect& deviceClip, bool rightToLeft) {
  const auto rgb = Rgb(font_.Color());
  if (!rgb || text.isEmpty()) return;
  const QFontMetrics& metrics = target_->Metrics(font_);
  // Text that cannot reach the clip is left out before any position is
  // worked out, so a run placed near the ends of int never overflows: what
  // remains starts within a line's height and a run's width of the clip.
  if (deviceY >= deviceClip.Bottom || 1LL * deviceY + metrics.height() <= deviceClip.Top ||
      deviceX >= deviceClip.Right)
    return;
  if (deviceX < deviceClip.Left &&
      1LL * deviceX + metrics.horizontalAdvance(text) <= deviceClip.Left)
    return;
  QPainter* painter = DevicePainter(target_->painter, target_->image, deviceClip);
  if (!painter) return;
  painter->setFont(target_->font);
  painter->setPen(OpaqueColor(*rgb));
  if (rightToLeft) painter->setLayoutDirection(Qt::RightToLeft);
  const int baseline = deviceY + metrics.ascent();
  painter->drawText(QPoint(deviceX, baseline), text);
  if (underline >= 0 && underline < text.size()) {
    const auto [from, to] = VisualSpan(text, underline, target_->font, rightToLeft);
    const int thickness = std::max(1, metrics.lineWidth());
    painter->fillRect(
        QRect(deviceX + from, baseline + std::max(1, metrics.underlinePos()), to - from, thickness),
        OpaqueColor(*rgb));
  }
  painter->setPen(Qt::NoPen);
  painter->setLayoutDirection(Qt::LeftToRight);
}

void TCanvas::FillTextBackground(const TRect& deviceRect, const TRect& deviceClip) {
  if (brush_.Style() != bsSolid) return;
  const auto rgb = Rgb(brush_.Color());
  QImage* image = target_->Bits();
  if (!rgb || !image) return;
  PixelSurface surface(*image, target_->factor);
  surface.Fill(deviceClip, deviceRect, *rgb, pmCopy);
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  const int width = TextWidth(text);
  const int height = TextHeight(text);
  penPos_ = {ClampToInt(1LL * x + width), y};
  const long long dx = 1LL * x - windowOrg_.X, dy = 1LL * y - windowOrg_.Y;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty() || text.isEmpty()) return;
  FillTextBackground(
      {ClampToInt(dx), ClampToInt(dy), ClampToInt(dx + width), ClampToInt(dy + height)}, clip);
  DrawTextRun(ClampToInt(dx), ClampToInt(dy), text, -1, clip, false);
}

int TCanvas::DrawText(const QString& text, TRect& rect, TTextFormat flags) {
  const TAcceleratedText shown =
      (flags & DT_NOPREFIX) ? TAcceleratedText{text, -1} : StripAccelerators(text);
  const QFontMetrics& metrics = target_->Metrics(font_);
  const auto measure = [&metrics](const QString& s) { return metrics.horizontalAdvance(s); };
  const std::vector<TTextLine> lines =
      LayoutTextLines(shown.Text, shown.Underline, flags, ClampToInt(Width64(rect)), measure);
  const int lineHeight = metrics.height();
  const int textHeight = ClampToInt(1LL * lineHeight * static_cast<long long>(lines.size()));

  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const TTextLine& line : lines) widest = std::max(widest, measure(line.Text));
    rect.Right = ClampToInt(1LL * rect.Left + widest);
    rect.Bottom = ClampToInt(1LL * rect.Top + textHeight);
    return textHeight;
  }

  const TRect deviceRect = ToDevice(rect, windowOrg_);
  TRect clip = DeviceClip();
  if (!(flags & DT_NOCLIP)) clip = Intersection(clip, deviceRect);
  if (clip.IsEmpty()) return textHeight;

  long long top = deviceRect.Top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER)
      top = deviceRect.Top + (Height64(deviceRect) - lineHeight) / 2;
    else if (flags & DT_BOTTOM)
      top = 1LL * deviceRect.Bottom - lineHeight;
  }
  for (const TTextLine& line : lines) {
    const int width = measure(line.Text);
    long long left = deviceRect.Left;
    if (flags & DT_CENTER)
      left = deviceRect.Left + (Width64(deviceRect) - width) / 2;
    else if (flags & DT_RIGHT)
      left = 1LL * deviceRect.Right - width;
    FillTextBackground(
        {ClampToInt(left), ClampToInt(top), ClampToInt(left + width), ClampToInt(top + lineHeight)},
        clip);
    DrawTextRun(ClampToInt(left), ClampToInt(top), line.Text, line.Underline, clip,
                (flags & DT_RTLREADING) != 0);
    top += lineHeight;
  }
  return textHeight;
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

// --- pictures ---------------------------------------------------------------

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

// --- state guard and helpers -------------------------------------------------

TCanvasStateGuard::TCanvasStateGuard(TCanvas& canvas)
    : canvas_(canvas),
      penPos_(canvas.PenPos()),
      windowOrg_(canvas.WindowOrg()),
      clipRegion_(canvas.ClipRegion()) {
  pen_.Assign(&canvas.Pen());
  brush_.Assign(&canvas.Brush());
  font_.Assign(&canvas.Font());
}

TCanvasStateGuard::~TCanvasStateGuard() {
  canvas_.Pen().Assign(&pen_);
  canvas_.Brush().Assign(&brush_);
  canvas_.Font().Assign(&font_);
  canvas_.SetPenPos(penPos_);
  canvas_.SetWindowOrg(windowOrg_);
  canvas_.SelectClipRegion(clipRegion_);
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
