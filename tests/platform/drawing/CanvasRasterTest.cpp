// The direct pixel paths of the parallelogram blit and of ellipses, checked
// pixel for pixel against straightforward renderings of the same shapes.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Region.h"
#include "tests/support/PixelDifference.h"

namespace mirto {
namespace {

using testing_support::FirstDifference;
using testing_support::PixelGrid;
using testing_support::ReadPixels;

// Some colour for every pixel, different for neighbours.
void Noise(TBitmap& bitmap, TPixelFormat format, int width, int height, int seed) {
  bitmap.SetPixelFormat(format);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.Canvas().SetPixels(
          x, y,
          RGB(static_cast<std::uint8_t>(x * 7 + seed), static_cast<std::uint8_t>(y * 13 + seed),
              static_cast<std::uint8_t>((x ^ y) * 3 + seed)));
}

// The blit as a plain per-pixel loop: every pixel centre of the bounding box
// is mapped back into the source's unit square, stepping by a constant
// amount along the row.
void ReferencePlgBlt(PixelGrid& target, TPoint origin, const std::array<TPoint, 3>& points,
                     const PixelGrid& source, const TRect& sourceRect) {
  const double p0x = 1.0 * points[0].X - origin.X, p0y = 1.0 * points[0].Y - origin.Y;
  const double ax = 1.0 * points[1].X - points[0].X, ay = 1.0 * points[1].Y - points[0].Y;
  const double bx = 1.0 * points[2].X - points[0].X, by = 1.0 * points[2].Y - points[0].Y;
  const double det = ax * by - ay * bx;
  const double xs[] = {p0x, p0x + ax, p0x + bx, p0x + ax + bx};
  const double ys[] = {p0y, p0y + ay, p0y + by, p0y + ay + by};
  const int left = std::max(0, static_cast<int>(std::floor(*std::min_element(xs, xs + 4))));
  const int top = std::max(0, static_cast<int>(std::floor(*std::min_element(ys, ys + 4))));
  const int right =
      std::min(target.width, static_cast<int>(std::ceil(*std::max_element(xs, xs + 4))));
  const int bottom =
      std::min(target.height, static_cast<int>(std::ceil(*std::max_element(ys, ys + 4))));
  const double sw = sourceRect.Right - sourceRect.Left, sh = sourceRect.Bottom - sourceRect.Top;
  const double du = by / det, dv = -ay / det;
  for (int y = top; y < bottom; ++y) {
    const double cx = left + 0.5 - p0x, cy = y + 0.5 - p0y;
    double u = (cx * by - cy * bx) / det;
    double v = (ax * cy - ay * cx) / det;
    for (int x = left; x < right; ++x, u += du, v += dv) {
      if (u < 0.0 || u >= 1.0 || v < 0.0 || v >= 1.0) continue;
      const long long sx = sourceRect.Left + static_cast<long long>(u * sw);
      const long long sy = sourceRect.Top + static_cast<long long>(v * sh);
      if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height) continue;
      target.At(x, y) = source.At(static_cast<int>(sx), static_cast<int>(sy));
    }
  }
}

// Corners of `rect` turned by `degrees` about its centre and moved by shift.
std::array<TPoint, 3> Turned(const TRect& rect, double degrees, TPoint shift) {
  const double a = degrees * std::numbers::pi / 180;
  const double cx = (rect.Left + rect.Right) / 2.0, cy = (rect.Top + rect.Bottom) / 2.0;
  const auto turn = [&](double x, double y) {
    return TPoint{
        static_cast<int>(std::lround(cx + (x - cx) * std::cos(a) - (y - cy) * std::sin(a))) +
            shift.X,
        static_cast<int>(std::lround(cy + (x - cx) * std::sin(a) + (y - cy) * std::cos(a))) +
            shift.Y};
  };
  return {turn(rect.Left, rect.Top), turn(rect.Right, rect.Top), turn(rect.Left, rect.Bottom)};
}

TEST(CanvasPlgBlt, TurnedPicturesMatchThePerPixelMapping) {
  struct Case {
    const char* name;
    TPixelFormat sourceFormat, targetFormat;
    int sourceWidth, sourceHeight;
    TRect sourceRect;
    TPoint shift, origin;
    bool inPlace;
  };
  const Case cases[] = {
      {"24 to 24", pf24bit, pf24bit, 31, 31, {0, 0, 31, 31}, {0, 0}, {0, 0}, false},
      {"32 to 32", pf32bit, pf32bit, 30, 30, {0, 0, 30, 30}, {0, 0}, {0, 0}, false},
      {"24 to 32", pf24bit, pf32bit, 17, 24, {0, 0, 17, 24}, {2, 3}, {0, 0}, false},
      {"32 to 24", pf32bit, pf24bit, 24, 17, {0, 0, 24, 17}, {-3, 1}, {0, 0}, false},
      {"part of the source", pf24bit, pf24bit, 29, 29, {5, 3, 20, 26}, {0, 0}, {0, 0}, false},
      {"source rectangle beyond the picture",
       pf32bit,
       pf32bit,
       20,
       20,
       {-4, -2, 26, 23},
       {0, 0},
       {0, 0},
       false},
      {"window origin", pf24bit, pf24bit, 25, 25, {0, 0, 25, 25}, {5, -2}, {4, -3}, false},
      {"in place 24", pf24bit, pf24bit, 33, 33, {0, 0, 33, 33}, {0, 0}, {0, 0}, true},
      {"in place 32", pf32bit, pf32bit, 32, 32, {0, 0, 32, 32}, {0, 0}, {0, 0}, true},
      {"in place sticking out", pf32bit, pf32bit, 21, 21, {0, 0, 21, 21}, {9, 7}, {0, 0}, true},
  };
  const double angles[] = {0, 1, 13.5, 30, 45, 60, 89, 90, 91, 135, 179, 180, 200, 270, 300, 359};
  for (const Case& c : cases) {
    for (const double angle : angles) {
      SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(angle) + " degrees");
      TBitmap source;
      Noise(source, c.sourceFormat, c.sourceWidth, c.sourceHeight, 11);
      TBitmap separate;
      TBitmap& target = c.inPlace ? source : separate;
      if (!c.inPlace) Noise(separate, c.targetFormat, 40, 36, 57);
      PixelGrid expected = ReadPixels(target);
      const PixelGrid from = ReadPixels(source);
      const auto corners = Turned(c.sourceRect, angle, c.shift);
      ReferencePlgBlt(expected, c.origin, corners, from, c.sourceRect);
      target.Canvas().SetWindowOrg(c.origin);
      EXPECT_TRUE(target.Canvas().PlgBlt(corners, source, c.sourceRect));
      target.Canvas().SetWindowOrg({0, 0});
      EXPECT_EQ(FirstDifference(expected, ReadPixels(target)), "");
    }
  }
}

TEST(CanvasPlgBlt, MirroredAndShearedParallelogramsMatchThePerPixelMapping) {
  const std::array<TPoint, 3> shapes[] = {
      {TPoint{20, 2}, TPoint{2, 2}, TPoint{20, 25}},     // mirrored left to right
      {TPoint{2, 25}, TPoint{20, 25}, TPoint{2, 2}},     // mirrored top to bottom
      {TPoint{3, 3}, TPoint{30, 9}, TPoint{8, 30}},      // sheared both ways
      {TPoint{1, 1}, TPoint{60, 1}, TPoint{1, 3}},       // stretched thin
      {TPoint{-10, -8}, TPoint{50, 5}, TPoint{-2, 45}},  // larger than the target
  };
  for (const auto& shape : shapes) {
    SCOPED_TRACE(std::to_string(shape[0].X) + "," + std::to_string(shape[0].Y));
    TBitmap source;
    Noise(source, pf24bit, 13, 11, 3);
    TBitmap target;
    Noise(target, pf32bit, 40, 36, 77);
    PixelGrid expected = ReadPixels(target);
    ReferencePlgBlt(expected, {0, 0}, shape, ReadPixels(source), {0, 0, 13, 11});
    EXPECT_TRUE(target.Canvas().PlgBlt(shape, source, {0, 0, 13, 11}));
    EXPECT_EQ(FirstDifference(expected, ReadPixels(target)), "");
  }
}

// How an ellipse is to be drawn, in the canvas's own terms.
struct EllipseStyle {
  int penWidth;  // 0: clear pen
  TColor pen;
  TPenMode mode;
  bool filled;
  TColor brush;
};

QColor Opaque(TColor color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

// The ellipse filled by the painter itself: the interior with the brush,
// then the outline as the ring between two ellipses the pen's width apart.
void PaintedEllipse(PixelGrid& pixels, TRect r, TPoint origin, const TRect& clip,
                    const EllipseStyle& style) {
  QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) {
      const TColor c = pixels.At(x, y);
      image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  if (r.IsEmpty()) return;
  const auto device = [&](TRect box) {
    return TRect{box.Left - origin.X, box.Top - origin.Y, box.Right - origin.X,
                 box.Bottom - origin.Y};
  };
  const auto ellipse = [](const TRect& box) {
    QPainterPath path;
    if (!box.IsEmpty())
      path.addEllipse(QRectF(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top));
    return path;
  };
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(QRect(clip.Left, clip.Top, clip.Right - clip.Left, clip.Bottom - clip.Top));
    if (style.penWidth == 0) {
      if (style.filled)
        painter.fillPath(ellipse(device({r.Left, r.Top, r.Right - 1, r.Bottom - 1})),
                         Opaque(style.brush));
    } else {
      const int w = style.penWidth, grow = (w - 1) / 2;
      const TRect outer = device({r.Left - grow, r.Top - grow, r.Right + grow, r.Bottom + grow});
      const TRect inner{outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w};
      const QPainterPath innerPath = ellipse(inner);
      if (style.filled && !inner.IsEmpty()) painter.fillPath(innerPath, Opaque(style.brush));
      QPainterPath ring = ellipse(outer);
      if (!inner.IsEmpty()) {
        ring.addPath(innerPath);
        ring.setFillRule(Qt::OddEvenFill);
      }
      const TColor pen = style.mode == pmBlack   ? clBlack
                         : style.mode == pmWhite ? clWhite
                                                 : style.pen;
      painter.fillPath(ring, Opaque(pen));
    }
  }
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) {
      const QRgb c = image.pixel(x, y);
      pixels.At(x, y) =
          RGB(static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
              static_cast<std::uint8_t>(qBlue(c)));
    }
}

// Draws one ellipse both ways on a noisy bitmap; "" when every pixel agrees.
std::string CompareEllipse(TPixelFormat format, TSize size, const TRect& r, TPoint origin,
                           const TRect* clipTo, const EllipseStyle& style) {
  TBitmap bitmap;
  Noise(bitmap, format, size.cx, size.cy, 5);
  PixelGrid expected = ReadPixels(bitmap);
  TRect clip{0, 0, size.cx, size.cy};
  TCanvas& canvas = bitmap.Canvas();
  if (clipTo) {
    IntersectRect(clip, clip, *clipTo);
    canvas.SelectClipRegion(CreateRectRgn(*clipTo));
  }
  PaintedEllipse(expected, r, origin, clip, style);
  canvas.SetWindowOrg(origin);
  canvas.Pen().SetStyle(style.penWidth == 0 ? psClear : psSolid);
  canvas.Pen().SetWidth(std::max(style.penWidth, 1));
  canvas.Pen().SetColor(style.pen);
  canvas.Pen().SetMode(style.mode);
  canvas.Brush().SetColor(style.brush);  // a colour makes the brush solid
  canvas.Brush().SetStyle(style.filled ? bsSolid : bsClear);
  canvas.Ellipse(r);
  canvas.SetWindowOrg({0, 0});
  canvas.ClearClipRegion();
  return FirstDifference(expected, ReadPixels(bitmap));
}

TEST(CanvasEllipse, EveryShapeMatchesThePaintersFill) {
  const EllipseStyle styles[] = {
      {1, clNavy, pmCopy, true, clYellow}, {1, clRed, pmCopy, false, clYellow},
      {0, clRed, pmCopy, true, clLime},    {2, clBlue, pmCopy, true, clAqua},
      {3, clGreen, pmCopy, false, clAqua}, {5, clMaroon, pmCopy, true, clSilver},
      {1, clRed, pmBlack, true, clYellow}, {4, clRed, pmWhite, true, clPurple},
  };
  for (const EllipseStyle& style : styles) {
    for (int w = 1; w <= 23; ++w) {
      for (int h = 1; h <= 21; h += (h < 6 ? 1 : 3)) {
        SCOPED_TRACE("pen " + std::to_string(style.penWidth) + ", " + std::to_string(w) + " x " +
                     std::to_string(h));
        EXPECT_EQ(CompareEllipse(pf32bit, {30, 28}, {3, 2, 3 + w, 2 + h}, {0, 0}, nullptr, style),
                  "");
      }
    }
  }
}

TEST(CanvasEllipse, LargeClippedAndMovedEllipsesMatchThePaintersFill) {
  struct Case {
    const char* name;
    TPixelFormat format;
    TRect rect;
    TPoint origin;
    bool clipped;
    TRect clip;
  };
  const Case cases[] = {
      {"wide, 24 bits", pf24bit, {0, 0, 121, 52}, {0, 0}, false, {}},
      {"tall, 32 bits", pf32bit, {5, 1, 44, 118}, {0, 0}, false, {}},
      {"larger than the bitmap", pf24bit, {-37, -21, 160, 141}, {0, 0}, false, {}},
      {"past every edge, odd", pf32bit, {-40, -30, 163, 133}, {0, 0}, false, {}},
      {"flat", pf24bit, {-50, 40, 170, 43}, {0, 0}, false, {}},
      {"thin", pf32bit, {60, -20, 62, 140}, {0, 0}, false, {}},
      {"reversed corners", pf24bit, {90, 70, 10, 5}, {0, 0}, false, {}},
      {"window origin", pf32bit, {10, 10, 80, 60}, {-7, 13}, false, {}},
      {"clip region", pf24bit, {-3, 4, 97, 101}, {0, 0}, true, {17, 9, 71, 55}},
      {"clip region and origin", pf32bit, {-20, -10, 150, 90}, {5, -6}, true, {30, 20, 88, 77}},
      {"clipped away", pf32bit, {0, 0, 40, 40}, {0, 0}, true, {50, 50, 60, 60}},
  };
  const EllipseStyle styles[] = {
      {1, clNavy, pmCopy, true, clYellow},
      {0, clNavy, pmCopy, true, clYellow},
      {3, clNavy, pmCopy, false, clYellow},
      {8, clNavy, pmCopy, true, clYellow},
  };
  for (const Case& c : cases) {
    for (const EllipseStyle& style : styles) {
      SCOPED_TRACE(std::string(c.name) + ", pen " + std::to_string(style.penWidth));
      EXPECT_EQ(CompareEllipse(c.format, {120, 110}, c.rect, c.origin,
                               c.clipped ? &c.clip : nullptr, style),
                "");
    }
  }
}

TEST(CanvasEllipse, ConcentricRingsMatchThePaintersFill) {
  // Rings shrinking towards the centre of a wide rectangle, as a radial
  // gradient paints them: every size between the outer box and a point.
  const EllipseStyle style{2, clBlue, pmCopy, false, clWhite};
  for (int i = 0; i < 70; ++i) {
    SCOPED_TRACE(i);
    const TRect r{-30 + 2 * i, -12 + i, 190 - 2 * i, 100 - i};
    EXPECT_EQ(CompareEllipse(pf24bit, {160, 90}, r, {0, 0}, nullptr, style), "");
  }
}

TEST(CanvasEllipse, SeededSweepMatchesThePaintersFill) {
  // Sizes, positions, pens and clips drawn from a fixed seed, so that odd
  // corners of the arithmetic get their turn.
  unsigned seed = 987;
  const auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<unsigned>(n));
  };
  const int pens[] = {0, 1, 1, 1, 2, 3, 4, 9, 30};
  for (int i = 0; i < 300; ++i) {
    const int left = next(300) - 100, top = next(200) - 60;
    const TRect r{left, top, left + next(600), top + next(400)};
    const TPoint origin{next(21) - 10, next(21) - 10};
    const TRect clip{next(100) - 5, next(80) - 5, 60 + next(150), 50 + next(100)};
    const bool clipped = next(3) == 0;
    const EllipseStyle style{pens[next(9)], clNavy, pmCopy, next(2) == 0, clYellow};
    const TPixelFormat format = next(2) ? pf24bit : pf32bit;
    SCOPED_TRACE(std::to_string(i));
    EXPECT_EQ(CompareEllipse(format, {200, 140}, r, origin, clipped ? &clip : nullptr, style), "");
  }
}

}  // namespace
}  // namespace mirto
