#include "platform/drawing/Canvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/Graphic.h"
#include "platform/drawing/PicturePlacement.h"
#include "platform/drawing/PixelSurface_p.h"

namespace mirto {

namespace {

// Wider pens draw as this wide: nothing on screen is wider, and the limit
// keeps arithmetic on the pen's extent far from overflow.
constexpr int kMaxPenWidth = 1 << 16;

// 0xRRGGBB of a colour, or nothing for clNone/clDefault.
std::optional<std::uint32_t> Rgb(TColor color) {
  if (color == clNone || color == clDefault) return std::nullopt;
  const auto c = static_cast<std::uint32_t>(ColorToRGB(color));
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int Clamp(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

TRect Offset(const TRect& r, long long dx, long long dy) {
  return {Clamp(r.Left + dx), Clamp(r.Top + dy), Clamp(r.Right + dx), Clamp(r.Bottom + dy)};
}

// Logical to device coordinates: device = logical - origin.
TRect ToDevice(const TRect& r, TPoint origin) {
  return Offset(r, -1LL * origin.X, -1LL * origin.Y);
}

// offset * to / from, truncated; the product of two extents of up to 2^32
// needs more than 64 bits.
long long Scaled(long long offset, long long to, long long from) {
  return static_cast<long long>(static_cast<__int128>(offset) * to / from);
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
  return {Clamp(1LL * r.Left - d), Clamp(1LL * r.Top - d), Clamp(1LL * r.Right + d),
          Clamp(1LL * r.Bottom + d)};
}

void FillDevice(PixelSurface& surface, const TRect& clip, const TRect& rect, std::uint32_t rgb,
                TPenMode mode) {
  const TRect r = Intersection(clip, rect);
  if (r.IsEmpty()) return;
  if (mode != pmCopy) {
    for (int y = r.Top; y < r.Bottom; ++y) surface.Span(y, r.Left, r.Right, rgb, mode);
    return;
  }
  surface.Span(r.Top, r.Left, r.Right, rgb, mode);
  for (int y = r.Top + 1; y < r.Bottom; ++y) surface.CopyRow(r.Top, y, r.Left, r.Right);
}

// Pixels of the frame w pixels wide along the inside of outer, each once.
void FillRing(PixelSurface& surface, const TRect& clip, const TRect& outer, int w,
              std::uint32_t rgb, TPenMode mode) {
  const TRect inner = Inflated(outer, -w);
  if (inner.IsEmpty()) {
    FillDevice(surface, clip, outer, rgb, mode);
    return;
  }
  FillDevice(surface, clip, {outer.Left, outer.Top, outer.Right, inner.Top}, rgb, mode);
  FillDevice(surface, clip, {outer.Left, inner.Bottom, outer.Right, outer.Bottom}, rgb, mode);
  FillDevice(surface, clip, {outer.Left, inner.Top, inner.Left, inner.Bottom}, rgb, mode);
  FillDevice(surface, clip, {inner.Right, inner.Top, outer.Right, inner.Bottom}, rgb, mode);
}

std::optional<QPainter::CompositionMode> CompositionFor(TPenMode mode) {
  switch (mode) {
    case pmNop:
      return std::nullopt;
    case pmBlack:
    case pmWhite:
    case pmCopy:
      return QPainter::CompositionMode_SourceOver;
    case pmNot:
      return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
      return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
      return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
      return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
      return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
      return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
      return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
      return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
      return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
      return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
  }
  return QPainter::CompositionMode_SourceOver;
}

std::uint32_t PenModeColor(TPenMode mode, std::uint32_t rgb) {
  if (mode == pmBlack) return 0;
  if (mode == pmWhite) return 0xFFFFFF;
  return rgb;
}

QColor OpaqueColor(std::uint32_t rgb) { return QColor::fromRgb(0xFF000000u | rgb); }

// Dash patterns of one-pixel pens: lengths of alternating on and off runs.
std::vector<int> DashPattern(TPenStyle style) {
  switch (style) {
    case psDash:
      return {18, 6};
    case psDot:
      return {3, 3};
    case psDashDot:
      return {9, 6, 3, 6};
    case psDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

// Walks the dash pattern one pixel at a time; the position carries over
// from one line to the next like the platform's styled lines.
class DashWalker {
 public:
  explicit DashWalker(TPenStyle style) : pattern_(DashPattern(style)) {
    for (int len : pattern_) period_ += len;
  }
  // Whether the next pixel is "on"; advances.
  bool Next() {
    if (pattern_.empty()) return true;
    int pos = position_ % period_;
    ++position_;
    for (std::size_t i = 0; i < pattern_.size(); ++i) {
      if (pos < pattern_[i]) return i % 2 == 0;
      pos -= pattern_[i];
    }
    return true;
  }
  bool Solid() const { return pattern_.empty(); }

 private:
  std::vector<int> pattern_;
  int period_ = 0;
  long long position_ = 0;
};

struct FontKey {
  QString name;
  int height = 0;
  std::uint64_t style = 0;
  TFontPitch pitch = fpDefault;
  TFontQuality quality = fqDefault;
  bool operator==(const FontKey&) const = default;
};

FontKey KeyOf(const TFont& font) {
  return {font.Name(), font.Height(), font.Style().ToBits(), font.Pitch(), font.Quality()};
}

// Cuts the segment to box (Liang-Barsky); false when it misses the box.
bool ClipSegment(long long& x0, long long& y0, long long& x1, long long& y1, const TRect& box) {
  const double dx = static_cast<double>(x1 - x0), dy = static_cast<double>(y1 - y0);
  double t0 = 0.0, t1 = 1.0;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {static_cast<double>(x0 - box.Left), static_cast<double>(box.Right - 1 - x0),
                      static_cast<double>(y0 - box.Top), static_cast<double>(box.Bottom - 1 - y0)};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const long long nx0 = std::llround(x0 + t0 * dx), ny0 = std::llround(y0 + t0 * dy);
  const long long nx1 = std::llround(x0 + t1 * dx), ny1 = std::llround(y0 + t1 * dy);
  x0 = nx0;
  y0 = ny0;
  x1 = nx1;
  y1 = ny1;
  return true;
}

}  // namespace

QColor ToQColor(TColor color) {
  const auto rgb = Rgb(color);
  return rgb ? OpaqueColor(*rgb) : QColor();
}

QFont ToQFont(const TFont& font) {
  QFont f(font.Name());
  int pixels = 11;
  if (font.Height() < 0) {
    pixels = -static_cast<long long>(font.Height()) > 4096 ? 4096 : -font.Height();
  } else if (font.Height() > 0) {
    // A positive height is the whole cell; find the em size giving that cell.
    QFont probe(font.Name());
    probe.setPixelSize(100);
    const QFontMetricsF m(probe);
    const double cell = m.ascent() + m.descent();
    pixels = cell > 0 ? Round(std::min(font.Height(), 4096) * 100.0 / cell) : font.Height();
  }
  f.setPixelSize(std::max(1, pixels));
  f.setBold(font.Style().Contains(fsBold));
  f.setItalic(font.Style().Contains(fsItalic));
  f.setUnderline(font.Style().Contains(fsUnderline));
  f.setStrikeOut(font.Style().Contains(fsStrikeOut));
  if (font.Pitch() == fpFixed) {
    f.setFixedPitch(true);
    f.setStyleHint(QFont::Monospace);
  }
  switch (font.Quality()) {
    case fqNonAntialiased:
      f.setStyleStrategy(QFont::NoAntialias);
      break;
    case fqAntialiased:
      f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
      break;
    case fqClearType:
      f.setStyleStrategy(QFont::PreferAntialias);
      break;
    case fqDefault:
      break;
  }
  f.setKerning(false);
  return f;
}

struct TCanvas::Target {
  QImage* image = nullptr;
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

TRect TCanvas::DeviceClip() const {
  const QImage* image = target_->image;
  if (!image || image->isNull()) return {};
  TRect clip{0, 0, image->width(), image->height()};
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

namespace {

// Row-wise pixel access for the formats bitmaps use, so that copying loops
// touch memory directly; any other format goes through QImage.
enum class RowFormat { Bgr24, Xrgb32, Other };

RowFormat ReadableFormat(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_BGR888:
      return RowFormat::Bgr24;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      return RowFormat::Xrgb32;
    default:
      return RowFormat::Other;
  }
}

RowFormat WritableFormat(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_BGR888:
      return RowFormat::Bgr24;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      return RowFormat::Xrgb32;
    default:
      return RowFormat::Other;
  }
}

// The same value as ReadRgb(image, x, y); row is image's row y.
inline std::uint32_t ReadRowRgb(const QImage& image, const uchar* row, RowFormat format, int x,
                                int y) {
  switch (format) {
    case RowFormat::Bgr24: {
      const uchar* p = row + 3 * x;
      return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
    case RowFormat::Xrgb32:
      return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
    case RowFormat::Other:
      break;
  }
  return ReadRgb(image, x, y);
}

// The same effect as surface.Set(x, y, rgb); row is the surface's row y.
inline void WriteRowRgb(PixelSurface& surface, uchar* row, RowFormat format, int x, int y,
                        std::uint32_t rgb) {
  switch (format) {
    case RowFormat::Bgr24: {
      uchar* p = row + 3 * x;
      p[0] = static_cast<uchar>(rgb);
      p[1] = static_cast<uchar>(rgb >> 8);
      p[2] = static_cast<uchar>(rgb >> 16);
      return;
    }
    case RowFormat::Xrgb32:
      reinterpret_cast<std::uint32_t*>(row)[x] = 0xFF000000u | rgb;
      return;
    case RowFormat::Other:
      break;
  }
  surface.Set(x, y, rgb);
}

}  // namespace

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
  PixelSurface surface(*image);
  const RowFormat readFormat = ReadableFormat(from);
  const RowFormat writeFormat = WritableFormat(*image);
  const long long dw = Width64(device), dh = Height64(device);
  const long long sw = Width64(sourceRect), sh = Height64(sourceRect);
  // Unscaled copies (every plain Draw) map columns by an offset.
  const bool unscaled = dw == sw && dh == sh;
  const long long columnOffset = 1LL * sourceRect.Left - device.Left;
  for (int y = clip.Top; y < clip.Bottom; ++y) {
    const long long sy = sourceRect.Top + Scaled(1LL * y - device.Top, sh, dh);
    if (sy < 0 || sy >= from.height()) continue;
    const uchar* sourceRow = from.constScanLine(static_cast<int>(sy));
    uchar* row = writeFormat == RowFormat::Other ? nullptr : image->scanLine(y);
    int left = clip.Left, right = clip.Right;
    if (unscaled) {
      left = Clamp(std::max<long long>(left, -columnOffset));
      right = Clamp(std::min<long long>(right, from.width() - columnOffset));
      if (!transparent && writeFormat == RowFormat::Xrgb32 && readFormat != RowFormat::Other) {
        auto* out = reinterpret_cast<std::uint32_t*>(row);
        if (readFormat == RowFormat::Xrgb32) {
          const auto* in = reinterpret_cast<const std::uint32_t*>(sourceRow);
          for (int x = left; x < right; ++x)
            out[x] = 0xFF000000u | (in[x + columnOffset] & 0xFFFFFF);
        } else {
          for (int x = left; x < right; ++x) {
            const uchar* p = sourceRow + 3 * (x + columnOffset);
            out[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
          }
        }
        continue;
      }
    }
    for (int x = left; x < right; ++x) {
      const long long sx =
          unscaled ? x + columnOffset : sourceRect.Left + Scaled(1LL * x - device.Left, sw, dw);
      if (sx < 0 || sx >= from.width()) continue;
      const std::uint32_t rgb =
          ReadRowRgb(from, sourceRow, readFormat, static_cast<int>(sx), static_cast<int>(sy));
      if (transparent && rgb == (*transparent & 0xFFFFFF)) continue;
      WriteRowRgb(surface, row, writeFormat, x, y, rgb);
    }
  }
}

// --- shapes -----------------------------------------------------------------

void TCanvas::FillRect(const TRect& rect) {
  if (brush_.Style() == bsClear) return;
  const auto rgb = Rgb(brush_.Color());
  const TRect device = ToDevice(rect, windowOrg_);
  QImage* image = target_->Bits();
  if (!rgb || device.IsEmpty() || !image) return;
  PixelSurface surface(*image);
  FillDevice(surface, DeviceClip(), device, *rgb, pmCopy);
}

void TCanvas::FrameRect(const TRect& rect) {
  if (brush_.Style() == bsClear) return;
  const auto rgb = Rgb(brush_.Color());
  const TRect device = ToDevice(rect, windowOrg_);
  QImage* image = target_->Bits();
  if (!rgb || device.IsEmpty() || !image) return;
  PixelSurface surface(*image);
  FillRing(surface, DeviceClip(), device, 1, *rgb, pmCopy);
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
      PixelSurface surface(*image);
      FillDevice(surface, DeviceClip(),
                 ToDevice({r.Left, r.Top, r.Right - 1, r.Bottom - 1}, windowOrg_), brushRgb,
                 pmCopy);
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
    PixelSurface surface(*image);
    const TRect clip = DeviceClip();
    if (filled && !inner.IsEmpty()) FillDevice(surface, clip, inner, brushRgb, pmCopy);
    if (!dashed) {
      FillRing(surface, clip, outer, w, PenModeColor(pen_.Mode(), *penRgb), pen_.Mode());
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

// Aliased path fill, pixel for pixel as the painter's raster engine does it,
// but written through the pixel surface: a large shape filled by the painter
// goes through its worker threads, and handing them hundreds of concentric
// ellipses costs more than the filling.
//
// Curves are flattened until they stray less than a quarter pixel, corners
// rounded to 1/64 pixel, and each row is sampled through the pixel centres in
// 16.16 fixed point: a pixel is inside when its centre lies right of a
// crossing and not right of the next.
class PathSpans {
 public:
  // Whether the fill stays inside the coordinate range this arithmetic is
  // exact for.
  static bool Fits(const TRect& r) {
    constexpr int kLimit = 1 << 14;
    return r.Left > -kLimit && r.Top > -kLimit && r.Right < kLimit && r.Bottom < kLimit;
  }

  PathSpans(const QPainterPath& path, const TRect& clip)
      : clip_(clip), oddEven_(path.fillRule() == Qt::OddEvenFill) {
    points_.reserve(256);
    Flatten(path);
    if (points_.size() < 3 || clip_.IsEmpty()) return;
    int minY = points_[0].y, maxY = points_[0].y;
    for (const Point& p : points_) {
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
    }
    top_ = std::max(clip_.Top, (minY + 32) >> 6);
    bottom_ = std::min(clip_.Bottom - 1, (maxY - 32) >> 6);
    if (top_ > bottom_) return;
    edges_.reserve(points_.size());
    std::size_t first = 0;
    for (const std::size_t end : contourEnds_) {
      for (std::size_t i = first; i < end; ++i)
        AddEdge(points_[i], points_[i + 1 < end ? i + 1 : first]);
      first = end;
    }
  }

  // False when an edge is too flat for 16.16 steps: such paths are left to
  // the painter.
  bool Exact() const { return exact_; }

  // Calls onSpan(y, x0, x1) for every run of pixels x0 .. x1 - 1 inside the
  // path and the clip.
  template <typename Emit>
  void ForEach(Emit onSpan) const {
    if (top_ > bottom_ || edges_.empty()) return;
    const std::size_t rows = static_cast<std::size_t>(bottom_ - top_ + 1);
    // Crossings by row (counting sort), then by x within the row.
    // Scratch kept between calls: hundreds of rings are drawn in a row.
    thread_local std::vector<int> start, fill;
    thread_local std::vector<Crossing> crossings;
    start.assign(rows + 2, 0);
    for (const Edge& e : edges_) {
      ++start[static_cast<std::size_t>(e.top - top_) + 1];
      --start[static_cast<std::size_t>(e.bottom - top_) + 2];
    }
    for (int pass = 0; pass < 2; ++pass)
      for (std::size_t i = 1; i <= rows; ++i) start[i] += start[i - 1];
    crossings.resize(static_cast<std::size_t>(start[rows]));
    fill.assign(start.begin(), start.begin() + static_cast<std::ptrdiff_t>(rows));
    for (const Edge& e : edges_) {
      long long xFP = e.xFP;
      const Crossing side = e.winding > 0 ? 1 : 0;
      for (int y = e.top; y <= e.bottom; ++y, xFP += e.slopeFP)
        crossings[static_cast<std::size_t>(fill[static_cast<std::size_t>(y - top_)]++)] =
            static_cast<Crossing>(static_cast<std::uint64_t>(xFP >> 16) << 32) | side;
    }
    for (std::size_t r = 0; r < rows; ++r) {
      Crossing* begin = crossings.data() + start[r];
      Crossing* end = crossings.data() + start[r + 1];
      SortFew(begin, end);
      int winding = 0, from = 0;
      for (const Crossing* c = begin; c != end; ++c) {
        const int x = static_cast<int>(*c >> 32);
        if (oddEven_ ? (winding & 1) != 0 : winding != 0) {
          const int left = std::max(from, clip_.Left), right = std::min(x, clip_.Right);
          if (left < right) onSpan(top_ + static_cast<int>(r), left, right);
        }
        from = x;
        winding += (*c & 1) != 0 ? 1 : -1;
      }
    }
  }

 private:
  struct Point {
    int x, y;  // 1/64 pixel
  };
  struct Edge {
    int xFP, slopeFP, top, bottom, winding;
  };
  // x in the high half, so that crossings sort by x; bit 0: whether the
  // edge runs downwards.
  using Crossing = std::int64_t;

  static void Order(Crossing& a, Crossing& b) {
    const Crossing low = std::min(a, b), high = std::max(a, b);
    a = low;
    b = high;
  }

  // Rows cross an ellipse twice and a ring four times: fixed networks
  // without branches, in registers; anything else by insertion.
  static void SortFew(Crossing* begin, Crossing* end) {
    switch (end - begin) {
      case 2: {
        Crossing a = begin[0], b = begin[1];
        Order(a, b);
        begin[0] = a;
        begin[1] = b;
        return;
      }
      case 4: {
        Crossing a = begin[0], b = begin[1], c = begin[2], d = begin[3];
        Order(a, b);
        Order(c, d);
        Order(a, c);
        Order(b, d);
        Order(b, c);
        begin[0] = a;
        begin[1] = b;
        begin[2] = c;
        begin[3] = d;
        return;
      }
      default:
        break;
    }
    for (Crossing* c = begin + 1; c < end; ++c) {
      const Crossing moving = *c;
      Crossing* hole = c;
      for (; hole != begin && *(hole - 1) > moving; --hole) *hole = *(hole - 1);
      *hole = moving;
    }
  }

  static int ToFixed(double v) {
    const double scaled = v * 64;
    return scaled >= 0.0 ? static_cast<int>(scaled + 0.5) : static_cast<int>(scaled - 0.5);
  }

  struct Cubic {
    double x1, y1, x2, y2, x3, y3, x4, y4;
    // de Casteljau halves: first into a, second into b.
    void Split(Cubic& a, Cubic& b) const {
      const Cubic s = *this;
      double c = (s.x2 + s.x3) * .5;
      a.x2 = (s.x1 + s.x2) * .5;
      b.x3 = (s.x3 + s.x4) * .5;
      a.x1 = s.x1;
      b.x4 = s.x4;
      a.x3 = (a.x2 + c) * .5;
      b.x2 = (b.x3 + c) * .5;
      a.x4 = b.x1 = (a.x3 + b.x2) * .5;
      c = (s.y2 + s.y3) * .5;
      a.y2 = (s.y1 + s.y2) * .5;
      b.y3 = (s.y3 + s.y4) * .5;
      a.y1 = s.y1;
      b.y4 = s.y4;
      a.y3 = (a.y2 + c) * .5;
      b.y2 = (b.y3 + c) * .5;
      a.y4 = b.y1 = (a.y3 + b.y2) * .5;
    }
  };

  // Appends the end points of the pieces a cubic is cut into until each is
  // flat to within a quarter pixel (nine halvings at most).
  void AddCubic(const Cubic& curve) {
    constexpr double kThreshold = 0.25;
    // Pieces wholly above or below the clip's rows cross none of them: they
    // end in the same point whether cut further or not. The limits keep a
    // 1/64 pixel margin from the first and last row's centre, so rounding
    // cannot bring a left-out piece back into view.
    const double aboveRows = (clip_.Top * 64.0 + 31.0) / 64.0;
    const double belowRows = ((clip_.Bottom - 1) * 64.0 + 33.0) / 64.0;
    Cubic stack[10];
    int levels[10];
    stack[0] = curve;
    levels[0] = 9;
    int top = 0;
    while (top >= 0) {
      Cubic& b = stack[top];
      const double y4y1 = b.y4 - b.y1, x4x1 = b.x4 - b.x1;
      double l = std::fabs(x4x1) + std::fabs(y4y1);
      double d;
      if (l > 1.) {
        d = std::fabs(x4x1 * (b.y1 - b.y2) - y4y1 * (b.x1 - b.x2)) +
            std::fabs(x4x1 * (b.y1 - b.y3) - y4y1 * (b.x1 - b.x3));
      } else {
        d = std::fabs(b.x1 - b.x2) + std::fabs(b.y1 - b.y2) + std::fabs(b.x1 - b.x3) +
            std::fabs(b.y1 - b.y3);
        l = 1.;
      }
      const bool unseen = std::max(std::max(b.y1, b.y2), std::max(b.y3, b.y4)) < aboveRows ||
                          std::min(std::min(b.y1, b.y2), std::min(b.y3, b.y4)) > belowRows;
      if (unseen || d < kThreshold * l || levels[top] == 0) {
        points_.push_back({ToFixed(b.x4), ToFixed(b.y4)});
        --top;
      } else {
        b.Split(stack[top + 1], b);
        levels[top + 1] = --levels[top];
        ++top;
      }
    }
  }

  void Flatten(const QPainterPath& path) {
    bool open = false;
    QPointF last;
    const auto add = [&](double x, double y) {
      points_.push_back({ToFixed(x), ToFixed(y)});
      last = {x, y};
    };
    const auto close = [&] {
      if (open) contourEnds_.push_back(points_.size());
      open = false;
    };
    for (int i = 0; i < path.elementCount(); ++i) {
      const QPainterPath::Element e = path.elementAt(i);
      if (e.isMoveTo()) {
        close();
        add(e.x, e.y);
        open = true;
      } else if (!open) {
        continue;
      } else if (e.isLineTo()) {
        add(e.x, e.y);
      } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
        const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
        AddCubic({last.x(), last.y(), e.x, e.y, c2.x, c2.y, end.x, end.y});
        last = {end.x, end.y};
        i += 2;
      }
    }
    close();
  }

  void AddEdge(Point a, Point b) {
    int winding = 1;
    if (a.y > b.y) {
      std::swap(a, b);
      winding = -1;
    }
    const int top = std::max(top_, (a.y + 32) >> 6);
    const int bottom = std::min(bottom_, (b.y - 32) >> 6);
    if (top > bottom) return;
    const int aFP = (1 << 15) + a.x * 1024;
    if (a.x == b.x) {
      edges_.push_back({aFP, 0, top, bottom, winding});
      return;
    }
    const double slope = (b.x - a.x) / static_cast<double>(b.y - a.y);
    if (std::fabs(slope) >= 32767.) {
      exact_ = false;
      return;
    }
    const int slopeFP = static_cast<int>(slope * 65536.);
    const long long offset = top * 65536LL + (1 << 15) - a.y * 1024LL;
    const int xFP = aFP + static_cast<int>((slopeFP * offset) >> 16);
    edges_.push_back({xFP, slopeFP, top, bottom, winding});
  }

  TRect clip_;
  bool oddEven_;
  bool exact_ = true;
  int top_ = 0, bottom_ = -1;
  std::vector<Point> points_;
  std::vector<std::size_t> contourEnds_;
  std::vector<Edge> edges_;
};

}  // namespace

void TCanvas::RoundRect(const TRect& rect, int rx, int ry) {
  const TRect r = Normalized(rect);
  if (rx <= 0 || ry <= 0) {
    Rectangle(r);
    return;
  }
  DrawShape(r, static_cast<int>(ShapeKind::RoundRect), Clamp(std::min<long long>(rx, Width64(r))),
            Clamp(std::min<long long>(ry, Height64(r))));
}

void TCanvas::Ellipse(const TRect& rect) {
  DrawShape(Normalized(rect), static_cast<int>(ShapeKind::Ellipse), 0, 0);
}

void TCanvas::DrawShape(const TRect& r, int shape, int rx, int ry) {
  if (r.IsEmpty()) return;
  const auto kind = static_cast<ShapeKind>(shape);
  const auto penRgb = Rgb(pen_.Color());
  const bool penVisible = pen_.Style() != psClear && penRgb && pen_.Mode() != pmNop;
  const std::optional<std::uint32_t> brushColor = Rgb(brush_.Color());
  const bool filled = brush_.Style() == bsSolid && brushColor.has_value();
  const std::uint32_t brushRgb = brushColor.value_or(0);
  // Ellipses in plain colours are filled span by span without the painter.
  const auto drawEllipseDirect = [&]() -> bool {
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
    switch (image->format()) {
      case QImage::Format_BGR888:
      case QImage::Format_RGB32:
      case QImage::Format_ARGB32:
      case QImage::Format_ARGB32_Premultiplied:
        break;
      default:
        return false;
    }
    const TRect clip = DeviceClip();
    if (clip.IsEmpty()) return true;
    const auto ellipse = [](const TRect& box) { return ShapePath(ShapeKind::Ellipse, box, 0, 0); };
    std::optional<PathSpans> fill, ring;
    if (!penVisible) {
      const TRect inner = ToDevice({r.Left, r.Top, r.Right - 1, r.Bottom - 1}, windowOrg_);
      if (!PathSpans::Fits(inner)) return false;
      if (filled) fill.emplace(ellipse(inner), clip);
    } else {
      const int w = std::clamp(pen_.Width(), 1, kMaxPenWidth);
      const TRect outer = ToDevice(Inflated(r, (w - 1) / 2), windowOrg_);
      const TRect inner = Inflated(outer, -w);
      if (!PathSpans::Fits(outer)) return false;
      const QPainterPath innerPath = ellipse(inner);
      if (filled && !inner.IsEmpty()) fill.emplace(innerPath, clip);
      QPainterPath outline = ellipse(outer);
      if (!inner.IsEmpty()) {
        outline.addPath(innerPath);
        outline.setFillRule(Qt::OddEvenFill);
      }
      ring.emplace(outline, clip);
    }
    if ((fill && !fill->Exact()) || (ring && !ring->Exact())) return false;
    QImage* bits = target_->Bits();
    if (!bits) return true;
    PixelSurface surface(*bits);
    surface.Pin();
    if (fill) {
      const std::uint32_t rgb = *brushColor;
      fill->ForEach([&](int y, int x0, int x1) { surface.CopySpan(y, x0, x1, rgb); });
    }
    if (ring) {
      const std::uint32_t rgb = PenModeColor(mode, *penRgb);
      ring->ForEach([&](int y, int x0, int x1) { surface.CopySpan(y, x0, x1, rgb); });
    }
    return true;
  };
  if (kind == ShapeKind::Ellipse && drawEllipseDirect()) return;
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
  PixelSurface surface(*image);

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
    FillDevice(surface, clip, {Clamp(left), Clamp(top), Clamp(right), Clamp(bottom)}, color, mode);
    return;
  }

  // One-pixel lines: Bresenham from the start point, the end point left out.
  long long sx0 = x0, sy0 = y0, sx1 = x1, sy1 = y1;
  if (std::max(std::llabs(x1 - x0), std::llabs(y1 - y0)) > 4LL * (clip.Width() + clip.Height())) {
    // A line far longer than the clip: cut it to the clip grown by two
    // pixels first, so that the walk stays short. Its new ends lie outside
    // the clip, where painting them or not makes no difference.
    if (!ClipSegment(sx0, sy0, sx1, sy1, Inflated(clip, 2))) return;
  }
  const std::optional<std::uint32_t> gapRgb =
      brush_.Style() == bsSolid ? Rgb(brush_.Color()) : std::nullopt;
  long long x = sx0, y = sy0;
  const long long dx = std::llabs(sx1 - sx0), dy = -std::llabs(sy1 - sy0);
  const int stepX = sx0 < sx1 ? 1 : -1, stepY = sy0 < sy1 ? 1 : -1;
  long long err = dx + dy;
  const long long steps = std::max(dx, -dy);
  for (long long i = 0; i < steps; ++i) {
    const bool on = dashes.Next();
    if (clip.Contains({static_cast<int>(x), static_cast<int>(y)})) {
      const int px = static_cast<int>(x), py = static_cast<int>(y);
      if (on)
        surface.Span(py, px, px + 1, color, mode);
      else if (gapRgb)
        surface.Span(py, px, px + 1, PenModeColor(mode, *gapRgb), mode);
    }
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += stepX;
    }
    if (e2 <= dx) {
      err += dx;
      y += stepY;
    }
  }
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  const TPoint saved = penPos_;
  penPos_ = points.front();
  for (std::size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
  penPos_ = saved;
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  const std::optional<std::uint32_t> brushColor = Rgb(brush_.Color());
  if (brush_.Style() == bsSolid && brushColor && points.size() >= 3) {
    QPainter* painter = DevicePainter(target_->painter, target_->image, DeviceClip());
    if (painter) {
      QPolygonF polygon;
      for (const TPoint& p : points)
        polygon << QPointF(1.0 * p.X - windowOrg_.X, 1.0 * p.Y - windowOrg_.Y);
      QPainterPath path;
      path.addPolygon(polygon);
      path.closeSubpath();
      path.setFillRule(Qt::OddEvenFill);
      painter->fillPath(path, OpaqueColor(*brushColor));
    }
  }
  std::vector<TPoint> outline = points;
  outline.push_back(points.front());
  Polyline(outline);
}

// --- text -------------------------------------------------------------------

int TCanvas::TextWidth(const QString& text) const {
  return target_->Metrics(font_).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const { return target_->Metrics(font_).height(); }

TSize TCanvas::TextExtent(const QString& text) const { return {TextWidth(text), TextHeight(text)}; }

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
    const int ux = deviceX + metrics.horizontalAdvance(text.left(underline));
    const int uw = metrics.horizontalAdvance(text.at(underline));
    const int thickness = std::max(1, metrics.lineWidth());
    painter->fillRect(QRect(ux, baseline + std::max(1, metrics.underlinePos()), uw, thickness),
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
  PixelSurface surface(*image);
  FillDevice(surface, deviceClip, deviceRect, *rgb, pmCopy);
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  const int width = TextWidth(text);
  const int height = TextHeight(text);
  penPos_ = {Clamp(1LL * x + width), y};
  const long long dx = 1LL * x - windowOrg_.X, dy = 1LL * y - windowOrg_.Y;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty() || text.isEmpty()) return;
  FillTextBackground({Clamp(dx), Clamp(dy), Clamp(dx + width), Clamp(dy + height)}, clip);
  DrawTextRun(Clamp(dx), Clamp(dy), text, -1, clip, false);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const QString& text) {
  const TRect deviceRect = ToDevice(rect, windowOrg_);
  const TRect clip = Intersection(DeviceClip(), deviceRect);
  if (clip.IsEmpty()) return;
  FillTextBackground(deviceRect, clip);
  DrawTextRun(Clamp(1LL * x - windowOrg_.X), Clamp(1LL * y - windowOrg_.Y), text, -1, clip, false);
}

int TCanvas::DrawText(const QString& text, TRect& rect, TTextFormat flags) {
  const TAcceleratedText shown =
      (flags & DT_NOPREFIX) ? TAcceleratedText{text, -1} : StripAccelerators(text);
  const QFontMetrics& metrics = target_->Metrics(font_);
  const auto measure = [&metrics](const QString& s) { return metrics.horizontalAdvance(s); };
  const std::vector<TTextLine> lines =
      LayoutTextLines(shown.Text, shown.Underline, flags, Clamp(Width64(rect)), measure);
  const int lineHeight = metrics.height();
  const int textHeight = Clamp(1LL * lineHeight * static_cast<long long>(lines.size()));

  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const TTextLine& line : lines) widest = std::max(widest, measure(line.Text));
    rect.Right = Clamp(1LL * rect.Left + widest);
    rect.Bottom = Clamp(1LL * rect.Top + textHeight);
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
    FillTextBackground({Clamp(left), Clamp(top), Clamp(left + width), Clamp(top + lineHeight)},
                       clip);
    DrawTextRun(Clamp(left), Clamp(top), line.Text, line.Underline, clip,
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
  PixelSurface surface(*image);
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
  const TRect device = ToDevice(sourceRect, source.windowOrg_);
  TCanvasAccess::Blit(*this, dest, *from, device);
}

namespace {

// How a parallelogram blit walks one row: (u, v) moves by (du, dv) per
// pixel and maps into the source rectangle.
struct BlitStep {
  double du, dv, sw, sh;
  long long left, top, width, height;
};

// Copies pixels from x on for as long as their centres map into the source.
// Everything the loop changes is a local, so byte stores through `copy`
// cannot force it out of registers.
template <typename Copy>
void CopyRun(int x, int right, double u, double v, const BlitStep& step, Copy copy) {
  const BlitStep s = step;
  for (; x < right; ++x, u += s.du, v += s.dv) {
    if (u < 0.0 || u >= 1.0 || v < 0.0 || v >= 1.0) return;
    const long long sx = s.left + static_cast<long long>(u * s.sw);
    const long long sy = s.top + static_cast<long long>(v * s.sh);
    if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height) return;
    copy(x, sx, sy);
  }
}

}  // namespace

namespace {

constexpr std::size_t kKeptTurnSnapshotBytes = std::size_t{4} << 20;

QImage& TurnSnapshot() {
  thread_local QImage snapshot;
  return snapshot;
}

}  // namespace

std::size_t TCanvasAccess::KeptTurnSnapshotBytes() {
  return std::size_t(TurnSnapshot().sizeInBytes());
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
  // Turning a bitmap in place reads pixels this blit overwrites, so it reads
  // a snapshot; a small snapshot's memory is kept for the next turn of a
  // bitmap the same size, a large one is released when the blit ends.
  QImage& snapshot = TurnSnapshot();
  struct ReleaseLargeSnapshot {
    QImage& snapshot;
    ~ReleaseLargeSnapshot() {
      if (std::size_t(snapshot.sizeInBytes()) > kKeptTurnSnapshotBytes) snapshot = QImage();
    }
  } release{snapshot};
  if (&sourceImage == image && ReadableFormat(sourceImage) == RowFormat::Other) {
    snapshot = sourceImage.copy();  // keeps a colour table, if any
  } else if (&sourceImage == image) {
    if (snapshot.size() != sourceImage.size() || snapshot.format() != sourceImage.format() ||
        snapshot.bytesPerLine() != sourceImage.bytesPerLine())
      snapshot = QImage(sourceImage.size(), sourceImage.format());
    const auto rowBytes = static_cast<std::size_t>(sourceImage.bytesPerLine());
    for (int y = 0; y < sourceImage.height(); ++y)
      std::memcpy(snapshot.scanLine(y), sourceImage.constScanLine(y), rowBytes);
  }
  const QImage& from = (&sourceImage == image) ? snapshot : sourceImage;
  if (from.isNull()) return false;  // no memory for the snapshot

  const double xs[] = {p0x, p0x + ax, p0x + bx, p0x + ax + bx};
  const double ys[] = {p0y, p0y + ay, p0y + by, p0y + ay + by};
  TRect box{Clamp(static_cast<long long>(std::floor(*std::min_element(xs, xs + 4)))),
            Clamp(static_cast<long long>(std::floor(*std::min_element(ys, ys + 4)))),
            Clamp(static_cast<long long>(std::ceil(*std::max_element(xs, xs + 4)))),
            Clamp(static_cast<long long>(std::ceil(*std::max_element(ys, ys + 4))))};
  box = Intersection(box, DeviceClip());
  PixelSurface surface(*image);
  const double sw = static_cast<double>(Width64(sourceRect));
  const double sh = static_cast<double>(Height64(sourceRect));
  const long long fromWidth = from.width(), fromHeight = from.height();
  // (u, v): the pixel centre's position in the source's unit square; it
  // moves by a constant step from one pixel to the next.
  const double du = by / det, dv = -ay / det;
  const RowFormat readFormat = ReadableFormat(from);
  const RowFormat writeFormat = WritableFormat(*image);
  const uchar* sourceBits = from.constBits();
  const qsizetype sourceStride = from.bytesPerLine();
  const long long left = sourceRect.Left, top = sourceRect.Top;
  const BlitStep step{du, dv, sw, sh, left, top, fromWidth, fromHeight};
  for (int y = box.Top; y < box.Bottom; ++y) {
    const double cx = box.Left + 0.5 - p0x, cy = y + 0.5 - p0y;
    double u = (cx * by - cy * bx) / det;
    double v = (ax * cy - ay * cx) / det;
    // u and v only grow or only shrink along a row, so the pixels whose
    // centres map into the source form one run: skip to it, copy it, stop.
    int x = box.Left;
    for (; x < box.Right; ++x, u += du, v += dv) {
      if (u < 0.0 || u >= 1.0 || v < 0.0 || v >= 1.0) continue;
      const long long sx = left + static_cast<long long>(u * sw);
      const long long sy = top + static_cast<long long>(v * sh);
      if (sx >= 0 && sy >= 0 && sx < fromWidth && sy < fromHeight) break;
    }
    if (x == box.Right) continue;
    uchar* row = writeFormat == RowFormat::Other ? nullptr : image->scanLine(y);
    if (readFormat == RowFormat::Bgr24 && writeFormat == RowFormat::Bgr24) {
      CopyRun(x, box.Right, u, v, step,
              [row, sourceBits, sourceStride](int to, long long sx, long long sy) {
                const uchar* p = sourceBits + sy * sourceStride + 3 * sx;
                uchar* q = row + 3 * to;
                q[0] = p[0];
                q[1] = p[1];
                q[2] = p[2];
              });
    } else if (readFormat == RowFormat::Xrgb32 && writeFormat == RowFormat::Xrgb32) {
      auto* out = reinterpret_cast<std::uint32_t*>(row);
      CopyRun(x, box.Right, u, v, step,
              [out, sourceBits, sourceStride](int to, long long sx, long long sy) {
                const auto* in =
                    reinterpret_cast<const std::uint32_t*>(sourceBits + sy * sourceStride);
                out[to] = 0xFF000000u | (in[sx] & 0xFFFFFF);
              });
    } else {
      CopyRun(x, box.Right, u, v, step, [&](int to, long long sx, long long sy) {
        const uchar* sourceRow =
            readFormat == RowFormat::Other ? nullptr : sourceBits + sy * sourceStride;
        WriteRowRgb(
            surface, row, writeFormat, to, y,
            ReadRowRgb(from, sourceRow, readFormat, static_cast<int>(sx), static_cast<int>(sy)));
      });
    }
  }
  return true;
}

TColor TCanvas::Pixels(int x, int y) const {
  const QImage* image = TCanvasAccess::Image(*this);
  const long long dx = 1LL * x - windowOrg_.X, dy = 1LL * y - windowOrg_.Y;
  if (!image || dx < 0 || dy < 0 || dx >= image->width() || dy >= image->height()) return clNone;
  const std::uint32_t rgb = ReadRgb(*image, static_cast<int>(dx), static_cast<int>(dy));
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
  PixelSurface(*image).Set(static_cast<int>(dx), static_cast<int>(dy), *rgb);
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
  PixelSurface surface(*image);
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
    canvas.MoveTo(Clamp(left), Clamp(bottom));
    canvas.LineTo(Clamp(left), Clamp(top));
    canvas.LineTo(Clamp(right), Clamp(top));
    canvas.Pen().SetColor(bottomRight);
    canvas.LineTo(Clamp(right), Clamp(bottom));
    canvas.LineTo(Clamp(left - 1), Clamp(bottom));
    ++left;
    ++top;
    --right;
    --bottom;
  }
  canvas.Pen().SetColor(bottomRight);
  rect = {Clamp(1LL * rect.Left + width), Clamp(1LL * rect.Top + width),
          Clamp(1LL * rect.Right - width), Clamp(1LL * rect.Bottom - width)};
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

}  // namespace mirto
