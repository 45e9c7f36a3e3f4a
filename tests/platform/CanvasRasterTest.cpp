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

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Region.h"

namespace mirto {
namespace {

// Device pixels of a bitmap, row by row.
struct Pixels {
  int width = 0, height = 0;
  std::vector<TColor> colors;
  TColor& At(int x, int y) { return colors[static_cast<std::size_t>(y) * width + x]; }
  TColor At(int x, int y) const { return colors[static_cast<std::size_t>(y) * width + x]; }
};

Pixels Read(TBitmap& bitmap) {
  Pixels p{bitmap.Width(), bitmap.Height(), {}};
  const TPoint saved = bitmap.Canvas().WindowOrg();
  bitmap.Canvas().SetWindowOrg({0, 0});
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) p.colors.push_back(bitmap.Canvas().Pixels(x, y));
  bitmap.Canvas().SetWindowOrg(saved);
  return p;
}

// The first pixel that differs, or "" when both agree.
std::string FirstDifference(const Pixels& expected, const Pixels& actual) {
  if (expected.width != actual.width || expected.height != actual.height) return "size";
  for (int y = 0; y < expected.height; ++y)
    for (int x = 0; x < expected.width; ++x)
      if (expected.At(x, y) != actual.At(x, y))
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return "";
}

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
void ReferencePlgBlt(Pixels& target, TPoint origin, const std::array<TPoint, 3>& points,
                     const Pixels& source, const TRect& sourceRect) {
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
      Pixels expected = Read(target);
      const Pixels from = Read(source);
      const auto corners = Turned(c.sourceRect, angle, c.shift);
      ReferencePlgBlt(expected, c.origin, corners, from, c.sourceRect);
      target.Canvas().SetWindowOrg(c.origin);
      EXPECT_TRUE(target.Canvas().PlgBlt(corners, source, c.sourceRect));
      target.Canvas().SetWindowOrg({0, 0});
      EXPECT_EQ(FirstDifference(expected, Read(target)), "");
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
    Pixels expected = Read(target);
    ReferencePlgBlt(expected, {0, 0}, shape, Read(source), {0, 0, 13, 11});
    EXPECT_TRUE(target.Canvas().PlgBlt(shape, source, {0, 0, 13, 11}));
    EXPECT_EQ(FirstDifference(expected, Read(target)), "");
  }
}

}  // namespace
}  // namespace mirto
