#pragma once

// Platform-internal: what the canvas's own sources share (Canvas.cpp,
// CanvasShapes.cpp, CanvasText.cpp, CanvasPictures.cpp): the target a
// canvas is bound to, with its painter and the metrics of its last font,
// and the arithmetic of device rectangles, safe at the ends of int.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "platform/drawing/Canvas.h"
#include "platform/drawing/QtConversions_p.h"

namespace mirto {

// Wider pens draw as this wide: nothing on screen is wider, and the limit
// keeps arithmetic on the pen's extent far from overflow.
inline constexpr int kMaxPenWidth = 1 << 16;

inline TRect Offset(const TRect& r, long long dx, long long dy) {
  return {ClampToInt(r.Left + dx), ClampToInt(r.Top + dy), ClampToInt(r.Right + dx),
          ClampToInt(r.Bottom + dy)};
}

// Logical to device coordinates: device = logical - origin.
inline TRect ToDevice(const TRect& r, TPoint origin) {
  return Offset(r, -1LL * origin.X, -1LL * origin.Y);
}

// Width and height without overflow for any rectangle.
inline long long Width64(const TRect& r) { return 1LL * r.Right - r.Left; }
inline long long Height64(const TRect& r) { return 1LL * r.Bottom - r.Top; }

inline TRect Normalized(TRect r) {
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  return r;
}

inline TRect Intersection(const TRect& a, const TRect& b) {
  TRect r;
  IntersectRect(r, a, b);
  return r;
}

inline TRect Inflated(TRect r, int d) {
  return {ClampToInt(1LL * r.Left - d), ClampToInt(1LL * r.Top - d), ClampToInt(1LL * r.Right + d),
          ClampToInt(1LL * r.Bottom + d)};
}

inline std::uint32_t PenModeColor(TPenMode mode, std::uint32_t rgb) {
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

inline FontKey KeyOf(const TFont& font) {
  return {font.Name(), font.Height(), font.Style().ToBits(), font.Pitch(), font.Quality()};
}

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

// Starts (or reuses) the painter and sets it up for device coordinates:
// no antialiasing but for text, source-over, clipped to clip (Canvas.cpp).
QPainter* DevicePainter(QPainter& painter, QImage* image, const TRect& clip);

}  // namespace mirto
