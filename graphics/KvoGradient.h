#pragma once

// Two-colour gradients built from solid colour steps: linear, rotated,
// elliptical and rectangular, with a balance point that splits the gradient
// in two parts. Pure drawing routines; nothing is kept between calls except
// the rotated image left in a bitmap handed in for the angle shape.

#include <cstdint>

#include "platform/drawing/Types.h"

namespace mirto {

class TBitmap;
class TCanvas;

enum class TDgradOrientation : std::uint8_t {
  dgdVertical,    // colour changes from the top row to the bottom row
  dgdHorizontal,  // colour changes from the left column to the right column
  dgdAngle,       // dgdHorizontal turned clockwise by AngleDegree
  dgdRadial,      // concentric ellipses, first colour outside
  dgdRectangle,   // concentric rectangles, first colour outside
};
using enum TDgradOrientation;

// Which colours the two parts on either side of the balance point run
// between (see GradientFillEx).
enum class TDgradBalanceMode : std::uint8_t {
  bmNormal,
  bmMirror,
  bmReverse,
  bmReverseFromColor,
  bmInvertReverse,
  bmInvertReverseFromColor,
};
using enum TDgradBalanceMode;

enum class TConcentricShape { cshEllipse, cshRectangle };
using enum TConcentricShape;

// Paints a gradient from colorFrom to colorTo into rect with at most
// maxDegrade solid steps. balance (0..100) is the position of the point that
// splits the gradient in two parts, balanceMode colours those parts, and
// speedPercent (0..100) moves the colours met at the balance point: 100 is
// an even gradient, 50 a hard edge. The default combination (balance 50,
// bmNormal, speed 100) paints one even gradient.
//
// speedPercent outside 0..100 counts as the nearer end of that range.
//
// For dgdAngle, angleClipRect keeps the rotated image inside rect and
// angleBitmap, when given, receives the rotated image so the caller can draw
// it again without rebuilding it; a square with a side above 2,048 is never
// kept (angleBitmap is emptied) and only its part that reaches the canvas is
// built, so no angle shape needs more than a few tens of MB.
//
// An empty or inverted rect paints nothing, and so does one with a
// coordinate beyond +-2^29 (no canvas reaches that far).
void GradientFillEx(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                    TDgradOrientation orientation, std::uint16_t balance, std::uint16_t angleDegree,
                    TDgradBalanceMode balanceMode, std::uint8_t maxDegrade, int speedPercent,
                    bool angleClipRect = true, TBitmap* angleBitmap = nullptr);

// Stepped linear fills: min(colors, extent) bands of equal size (to within a
// pixel) over rect; the first band is one step away from colorFrom, the last
// is colorTo.
void FillStepsHorizontal(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                         std::uint8_t colors);
void FillStepsVertical(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                       std::uint8_t colors);

// Nested steps from outer (colorFrom) to inner (colorTo), each drawn over the
// previous one.
void FillStepsConcentric(TCanvas& canvas, const TRect& outer, TColor colorFrom, TColor colorTo,
                         std::uint8_t colors, const TRect& inner, TConcentricShape shape);

// The horizontal stepped gradient over a square as large as rect's diagonal,
// turned clockwise by angleDegree and drawn centred on rect. The square is
// kept in bitmap when one is given and its side is at most 2,048; otherwise
// only the part that reaches the canvas is built, in temporary bands.
void FillAngleGradient(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                       std::uint8_t colors, std::uint16_t angleDegree, bool angleClipRect,
                       TBitmap* bitmap);

// Turns the bitmap's image clockwise about its centre, in place; pixels the
// turned image does not cover keep their values.
void RotateBitmap(TBitmap* bitmap, std::uint16_t angleDegree);

// The side of the square the angle shape is built in: rect's diagonal,
// rounded. 0 for an empty rectangle and for one too large to build.
int AngleSquareSide(const TRect& rect);

// Draws the rotated square image centred on rect, as the angle shape places
// it; with clipToRect nothing outside rect changes.
void DrawAngleImage(TCanvas& canvas, const TRect& rect, const TBitmap& image, bool clipToRect);

// Grows r by half of its size times factor on every side; factor -1 leaves
// the centre (width and height 0 or 1).
void RectScale(TRect& r, double factor);
// Moves each edge of a towards the same edge of b by factor.
TRect RectLerp(const TRect& a, const TRect& b, double factor);
// centre grown on every side by the largest distance between an edge of
// centre and the same edge of r.
TRect RectEnclosingSquare(const TRect& centre, const TRect& r);

float DegToRad(float degrees);

}  // namespace mirto
