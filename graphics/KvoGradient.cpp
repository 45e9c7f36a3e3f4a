#include "graphics/KvoGradient.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"

namespace mirto {

namespace {

// Larger squares would need gigabytes; such a rectangle gets no angle shape.
constexpr int kMaxAngleSquareSide = 16384;

// Coordinates beyond this reach no canvas. Keeping to it lets every step of
// the arithmetic (sizes, enclosing squares, shrinking) stay within int.
constexpr int kCoordinateReach = 1 << 29;

bool WithinReach(const TRect& r) {
  const auto within = [](int v) { return v >= -kCoordinateReach && v <= kCoordinateReach; };
  return within(r.Left) && within(r.Top) && within(r.Right) && within(r.Bottom);
}

// Round (halves to the even neighbour) for values of 64-bit sizes; the
// default rounding mode of nearbyint is exactly that.
std::int64_t Round64(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<std::int64_t>(std::clamp(std::nearbyint(value), -9.0e18, 9.0e18));
}

struct Channels {
  int r = 0;
  int g = 0;
  int b = 0;
};

Channels Split(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

Channels Difference(const Channels& to, const Channels& from) {
  return {to.r - from.r, to.g - from.g, to.b - from.b};
}

// Colour `step` of `steps` on the way from `from` by `delta`. Stays within
// the two colours as long as step <= steps.
TColor StepColor(const Channels& from, const Channels& delta, int step, int steps) {
  return RGB(static_cast<std::uint8_t>(from.r + MulDiv(step, delta.r, steps)),
             static_cast<std::uint8_t>(from.g + MulDiv(step, delta.g, steps)),
             static_cast<std::uint8_t>(from.b + MulDiv(step, delta.b, steps)));
}

void FillSolid(TCanvas& canvas, const TRect& rect, TColor color) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(rect);
}

enum class Axis { Columns, Rows };

void FillSteps(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
               std::uint8_t colors, Axis axis) {
  if (!WithinReach(rect)) return;
  const int extent = axis == Axis::Columns ? rect.Width() : rect.Height();
  const int steps = std::min<int>(colors, extent);
  if (steps <= 0) return;
  const Channels from = Split(colorFrom);
  const Channels delta = Difference(Split(colorTo), from);
  for (int i = 1; i <= steps; ++i) {
    TRect band = rect;
    if (axis == Axis::Columns) {
      band.Left = rect.Left + MulDiv(i - 1, extent, steps);
      band.Right = rect.Left + MulDiv(i, extent, steps);
    } else {
      band.Top = rect.Top + MulDiv(i - 1, extent, steps);
      band.Bottom = rect.Top + MulDiv(i, extent, steps);
    }
    FillSolid(canvas, band, StepColor(from, delta, i, steps));
  }
}

struct ConcentricStep {
  TRect rect;
  TColor color;
  bool asRectangle;
};

// Fills the part of rect that lies outside hole.
void FillOutside(TCanvas& canvas, const TRect& rect, const TRect& hole, TColor color) {
  TRect cut;
  if (!IntersectRect(cut, rect, hole)) {
    FillSolid(canvas, rect, color);
    return;
  }
  FillSolid(canvas, {rect.Left, rect.Top, rect.Right, cut.Top}, color);
  FillSolid(canvas, {rect.Left, cut.Bottom, rect.Right, rect.Bottom}, color);
  FillSolid(canvas, {rect.Left, cut.Top, cut.Left, cut.Bottom}, color);
  FillSolid(canvas, {cut.Right, cut.Top, rect.Right, cut.Bottom}, color);
}

// How much `next` is smaller than `step` on every side, when it is step's
// box shrunk evenly (both boxes upright); -1 otherwise.
int EvenInset(const TRect& step, const TRect& next) {
  if (step.Left > step.Right || step.Top > step.Bottom) return -1;
  if (next.Left > next.Right || next.Top > next.Bottom) return -1;
  const int w = next.Left - step.Left;
  if (w < 0) return -1;
  const TRect shrunk{step.Left + w, step.Top + w, step.Right - w, step.Bottom - w};
  return next == shrunk ? w : -1;
}

// Paints the steps so that every pixel ends in the colour of the last step
// that covers it, as painting each step whole over the previous one would,
// but paints most pixels once: each step only where the next one will not
// paint over it. Ellipses become rings drawn with a pen as wide as the gap to
// the next ellipse; that needs a plain solid pen, otherwise every ellipse is
// drawn whole with the canvas's pen.
void PaintConcentricSteps(TCanvas& canvas, const std::vector<ConcentricStep>& steps) {
  TPen& pen = canvas.Pen();
  const int penWidth = pen.Width();
  const bool ringsPossible = pen.Style() == psSolid && pen.Mode() == pmCopy && penWidth <= 1;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const ConcentricStep& step = steps[i];
    const ConcentricStep* next = i + 1 < steps.size() ? &steps[i + 1] : nullptr;
    if (step.asRectangle) {
      if (next && next->asRectangle) {
        FillOutside(canvas, step.rect, next->rect, step.color);
      } else {
        FillSolid(canvas, step.rect, step.color);
      }
      continue;
    }
    canvas.Brush().SetColor(step.color);
    canvas.Brush().SetStyle(bsSolid);
    pen.SetColor(step.color);
    const int gap =
        ringsPossible && next && !next->asRectangle ? EvenInset(step.rect, next->rect) : -1;
    if (gap == 0) continue;  // the next ellipse covers exactly the same pixels
    TRect ringBox = step.rect;
    InflateRect(ringBox, -(gap - 1) / 2, -(gap - 1) / 2);
    if (gap > 0 && !ringBox.IsEmpty()) {
      // A pen `gap` wide centred this way paints from the step's edge to the
      // next ellipse's edge; the clear brush leaves the inside to the next step.
      pen.SetWidth(gap);
      canvas.Brush().SetStyle(bsClear);
      canvas.Ellipse(ringBox);
      pen.SetWidth(penWidth);
    } else {
      canvas.Ellipse(step.rect);
    }
  }
  canvas.Brush().SetStyle(bsSolid);
}

// Restores the caller's clip region when the angle image has been drawn.
class ClipRegionGuard {
 public:
  explicit ClipRegionGuard(TCanvas& canvas) : canvas_(canvas), saved_(canvas.ClipRegion()) {}
  ~ClipRegionGuard() { canvas_.SelectClipRegion(saved_); }
  ClipRegionGuard(const ClipRegionGuard&) = delete;
  ClipRegionGuard& operator=(const ClipRegionGuard&) = delete;

 private:
  TCanvas& canvas_;
  TRegion saved_;
};

// The corners RotateBitmap turns a w x h picture onto.
std::array<TPoint, 3> RotationCorners(int width, int height, std::uint16_t angleDegree) {
  const float angle = DegToRad(static_cast<float>(angleDegree));
  const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
  const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
  const auto w = static_cast<float>(width);
  const auto h = static_cast<float>(height);
  const float x0 = (w - w * c + h * s) / 2.0f;
  const float y0 = (h - w * s - h * c) / 2.0f;
  return {
      TPoint{Round(x0), Round(y0)},
      TPoint{Round(x0 + w * c), Round(y0 + w * s)},
      TPoint{Round(x0 - h * s), Round(y0 + h * c)},
  };
}

// Squares up to this side are kept whole in a bitmap the caller hands in, so
// it can be drawn again (16 MB at most). A larger square is never built
// whole: only the part that reaches the canvas, in bands of at most
// kBandPixels, so no angle shape costs more than a few tens of MB.
constexpr int kMaxKeptSquareSide = 2048;
constexpr long long kBandPixels = 1LL << 22;

// Puts `part` (square coordinates) of the turned square into `out`, which
// has part's size and the strip's pixel format. The square is columns of one
// colour each, so the strip (its top row) holds all of it: turning the square
// reads the same colours as turning its top row stretched over the full
// height, and the pixels the turn does not reach keep the unturned columns.
void BuildSquarePart(TBitmap& out, const TBitmap& strip, const std::array<TPoint, 3>& corners,
                     const TRect& part) {
  const std::uint8_t* columns = strip.ScanLine(0);
  if (columns == nullptr) return;
  const std::size_t pixel = static_cast<std::size_t>(strip.BytesPerPixel());
  const std::size_t bytes = static_cast<std::size_t>(part.Width()) * pixel;
  for (int y = 0; y < out.Height(); ++y)
    std::memcpy(out.ScanLine(y), columns + static_cast<std::size_t>(part.Left) * pixel, bytes);
  TCanvas& canvas = out.Canvas();
  const TPoint origin = canvas.WindowOrg();
  canvas.SetWindowOrg({part.Left, part.Top});
  canvas.PlgBlt(corners, strip, {0, 0, strip.Width(), 1});
  canvas.SetWindowOrg(origin);
}

// Builds and draws only the part of the turned square (placed centred on
// rect) that can reach the canvas, band by band.
void PaintSquareInBands(TCanvas& canvas, const TRect& rect, const TBitmap& strip,
                        const std::array<TPoint, 3>& corners, bool clipToRect) {
  const int side = strip.Width();
  const int left = rect.Left + (rect.Width() - side) / 2;
  const int top = rect.Top + (rect.Height() - side) / 2;
  TRect reach = canvas.ClipRect();
  if (clipToRect && !IntersectRect(reach, reach, rect)) return;
  TRect window;
  if (!IntersectRect(window, reach, Bounds(left, top, side, side))) return;
  const int rows = static_cast<int>(std::max<long long>(1, kBandPixels / window.Width()));
  TBitmap band;
  band.SetPixelFormat(strip.PixelFormat());
  for (int y = window.Top; y < window.Bottom; y += std::min(rows, window.Bottom - y)) {
    const int height = std::min(rows, window.Bottom - y);
    band.SetSize(window.Width(), height);
    if (band.Width() != window.Width() || band.Height() != height) return;
    BuildSquarePart(band, strip, corners,
                    Bounds(window.Left - left, y - top, window.Width(), height));
    canvas.Draw(window.Left, y, band);
  }
}

// Builds the square with `fill`, turns it and draws it centred on rect. Any
// failure ends the drawing. A bitmap handed in keeps the turned square when
// it is modest and is emptied otherwise, so nothing large stays behind.
template <typename Fill>
void PaintAngleShape(TCanvas& canvas, const TRect& rect, std::uint16_t angleDegree, bool clipToRect,
                     TBitmap* bitmap, Fill fill) {
  const int side = AngleSquareSide(rect);
  if (side <= 0) return;
  try {
    const bool keep = bitmap != nullptr && side <= kMaxKeptSquareSide;
    TBitmap strip;
    strip.SetPixelFormat(keep ? bitmap->PixelFormat() : pf24bit);
    strip.SetSize(side, 1);
    if (strip.Width() != side) return;
    fill(strip.Canvas(), side, 1);
    const std::array<TPoint, 3> corners = RotationCorners(side, side, angleDegree);
    if (!keep) {
      if (bitmap != nullptr) bitmap->SetSize(0, 0);
      PaintSquareInBands(canvas, rect, strip, corners, clipToRect);
      return;
    }
    if (bitmap->Width() != side || bitmap->Height() != side) bitmap->SetSize(side, side);
    if (bitmap->Width() != side || bitmap->Height() != side) return;
    BuildSquarePart(*bitmap, strip, corners, {0, 0, side, side});
    DrawAngleImage(canvas, rect, *bitmap, clipToRect);
  } catch (const std::exception&) {
    // The gradient is decoration: a picture that cannot be built is left out.
  }
}

struct GradientPart {
  TColor from;
  TColor to;
};

TColor WrapChannels(int r, int g, int b) {
  return RGB(static_cast<std::uint8_t>(r & 0xFF), static_cast<std::uint8_t>(g & 0xFF),
             static_cast<std::uint8_t>(b & 0xFF));
}

// Colours of the two parts for a balance mode; false for an unknown mode.
bool BalancedParts(TColor colorFrom, TColor colorTo, TDgradBalanceMode mode, int speedPercent,
                   GradientPart& first, GradientPart& second) {
  TColor mid1 = colorFrom;
  TColor mid2 = colorTo;
  if (mode != bmMirror) {
    const Channels f = Split(colorFrom);
    const Channels t = Split(colorTo);
    const int speed = speedPercent - 50;
    const Channels delta{MulDiv(t.r - f.r, speed, 100), MulDiv(t.g - f.g, speed, 100),
                         MulDiv(t.b - f.b, speed, 100)};
    mid1 = WrapChannels(f.r + delta.r, f.g + delta.g, f.b + delta.b);
    mid2 = WrapChannels(t.r - delta.r, t.g - delta.g, t.b - delta.b);
  }
  switch (mode) {
    case bmNormal:
      first = {colorFrom, mid1};
      second = {mid2, colorTo};
      return true;
    case bmMirror:
      first = {colorFrom, colorTo};
      second = {colorTo, colorFrom};
      return true;
    case bmReverse:
      first = {colorFrom, mid1};
      second = {colorTo, mid2};
      return true;
    case bmReverseFromColor:
      first = {colorFrom, mid1};
      second = {colorTo, colorFrom};
      return true;
    case bmInvertReverse:
      first = {mid2, colorTo};
      second = {mid1, colorFrom};
      return true;
    case bmInvertReverseFromColor:
      first = {colorFrom, colorTo};
      second = {mid1, colorFrom};
      return true;
  }
  return false;
}

// The centre of rect: width and height 0 or 1.
TRect CentreOf(const TRect& rect) {
  TRect centre = rect;
  RectScale(centre, -1);
  return centre;
}

void FillEven(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
              TDgradOrientation orientation, std::uint16_t angleDegree, std::uint8_t maxDegrade,
              bool angleClipRect, TBitmap* angleBitmap) {
  switch (orientation) {
    case dgdVertical:
      FillStepsVertical(canvas, rect, colorFrom, colorTo, maxDegrade);
      break;
    case dgdHorizontal:
      FillStepsHorizontal(canvas, rect, colorFrom, colorTo, maxDegrade);
      break;
    case dgdAngle:
      FillAngleGradient(canvas, rect, colorFrom, colorTo, maxDegrade, angleDegree, angleClipRect,
                        angleBitmap);
      break;
    case dgdRadial: {
      const TRect centre = CentreOf(rect);
      FillSolid(canvas, rect, colorFrom);
      FillStepsConcentric(canvas, RectEnclosingSquare(centre, rect), colorFrom, colorTo, maxDegrade,
                          centre, cshEllipse);
      break;
    }
    case dgdRectangle: {
      const TRect centre = CentreOf(rect);
      FillSolid(canvas, rect, colorFrom);
      FillStepsConcentric(canvas, rect, colorFrom, colorTo, maxDegrade, centre, cshRectangle);
      break;
    }
  }
}

void FillBalanced(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                  TDgradOrientation orientation, int balance, std::uint16_t angleDegree,
                  TDgradBalanceMode balanceMode, std::uint8_t maxDegrade, int speedPercent,
                  bool angleClipRect, TBitmap* angleBitmap) {
  GradientPart first;
  GradientPart second;
  if (!BalancedParts(colorFrom, colorTo, balanceMode, speedPercent, first, second)) return;
  const int firstSteps = MulDiv(maxDegrade, balance, 100);
  const auto firstColors = static_cast<std::uint8_t>(firstSteps);
  const auto secondColors = static_cast<std::uint8_t>(maxDegrade - firstSteps);
  const double factor = balance / 100.0;

  switch (orientation) {
    case dgdVertical: {
      const int split = rect.Top + MulDiv(balance, rect.Height(), 100);
      FillStepsVertical(canvas, {rect.Left, rect.Top, rect.Right, split}, first.from, first.to,
                        firstColors);
      FillStepsVertical(canvas, {rect.Left, split, rect.Right, rect.Bottom}, second.from, second.to,
                        secondColors);
      break;
    }
    case dgdHorizontal: {
      const int split = rect.Left + MulDiv(balance, rect.Width(), 100);
      FillStepsHorizontal(canvas, {rect.Left, rect.Top, split, rect.Bottom}, first.from, first.to,
                          firstColors);
      FillStepsHorizontal(canvas, {split, rect.Top, rect.Right, rect.Bottom}, second.from,
                          second.to, secondColors);
      break;
    }
    case dgdAngle:
      PaintAngleShape(
          canvas, rect, angleDegree, angleClipRect, angleBitmap,
          [&](TCanvas& square, int side, int height) {
            const int split = MulDiv(balance, side, 100);
            FillStepsHorizontal(square, {0, 0, split, height}, first.from, first.to, firstColors);
            FillStepsHorizontal(square, {split, 0, side, height}, second.from, second.to,
                                secondColors);
          });
      break;
    case dgdRadial: {
      const TRect centre = CentreOf(rect);
      FillSolid(canvas, rect, colorFrom);
      const TRect outer = RectEnclosingSquare(centre, rect);
      const TRect boundary = RectLerp(outer, centre, factor);
      FillStepsConcentric(canvas, outer, first.from, first.to, firstColors, boundary, cshEllipse);
      FillStepsConcentric(canvas, boundary, second.from, second.to, secondColors, centre,
                          cshEllipse);
      break;
    }
    case dgdRectangle: {
      const TRect centre = CentreOf(rect);
      FillSolid(canvas, rect, colorFrom);
      const TRect boundary = RectLerp(rect, centre, factor);
      FillStepsConcentric(canvas, rect, first.from, first.to, firstColors, boundary, cshRectangle);
      FillStepsConcentric(canvas, boundary, second.from, second.to, secondColors, centre,
                          cshRectangle);
      break;
    }
  }
}

}  // namespace

void GradientFillEx(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                    TDgradOrientation orientation, std::uint16_t balance, std::uint16_t angleDegree,
                    TDgradBalanceMode balanceMode, std::uint8_t maxDegrade, int speedPercent,
                    bool angleClipRect, TBitmap* angleBitmap) {
  // Every shape stays inside rect (the angle and radial shapes are drawn
  // around its centre), so a rectangle without area gets nothing.
  if (rect.IsEmpty() || !WithinReach(rect)) return;
  // A balance point beyond the end would put the second part outside rect.
  const int clampedBalance = std::min<int>(balance, 100);
  // Speeds outside 0..100 would move the balance colours past any meaning
  // (and overflow at the ends of int).
  const int clampedSpeed = std::clamp(speedPercent, 0, 100);
  if (clampedBalance == 50 && balanceMode == bmNormal && clampedSpeed == 100) {
    FillEven(canvas, rect, colorFrom, colorTo, orientation, angleDegree, maxDegrade, angleClipRect,
             angleBitmap);
  } else {
    FillBalanced(canvas, rect, colorFrom, colorTo, orientation, clampedBalance, angleDegree,
                 balanceMode, maxDegrade, clampedSpeed, angleClipRect, angleBitmap);
  }
}

void FillStepsHorizontal(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                         std::uint8_t colors) {
  FillSteps(canvas, rect, colorFrom, colorTo, colors, Axis::Columns);
}

void FillStepsVertical(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                       std::uint8_t colors) {
  FillSteps(canvas, rect, colorFrom, colorTo, colors, Axis::Rows);
}

void FillStepsConcentric(TCanvas& canvas, const TRect& outer, TColor colorFrom, TColor colorTo,
                         std::uint8_t colors, const TRect& inner, TConcentricShape shape) {
  if (!WithinReach(outer) || !WithinReach(inner)) return;
  const Channels from = Split(colorFrom);
  const Channels delta = Difference(Split(colorTo), from);
  const int dx = std::abs(outer.Width() - inner.Width()) / 2;
  const int dy = std::abs(outer.Height() - inner.Height()) / 2;
  const int largest = std::max(dx, dy);
  const int count = largest < colors ? largest + 1 : colors;

  std::vector<ConcentricStep> steps;
  steps.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 1; i <= count; ++i) {
    ConcentricStep step{outer, ColorToRGB(colorFrom), shape == cshRectangle};
    if (i == 1) {
      // The outer step in the first colour.
    } else if (i == count) {
      step.rect = inner;
      step.color = ColorToRGB(colorTo);
      // An ellipse one pixel thin would not show; the innermost step still must.
      if (inner.Width() == 1 || inner.Height() == 1) step.asRectangle = true;
    } else {
      InflateRect(step.rect, -MulDiv(i - 1, dx, count), -MulDiv(i - 1, dy, count));
      step.color = StepColor(from, delta, i - 1, count);
    }
    steps.push_back(step);
  }
  PaintConcentricSteps(canvas, steps);
}

void FillAngleGradient(TCanvas& canvas, const TRect& rect, TColor colorFrom, TColor colorTo,
                       std::uint8_t colors, std::uint16_t angleDegree, bool angleClipRect,
                       TBitmap* bitmap) {
  PaintAngleShape(canvas, rect, angleDegree, angleClipRect, bitmap,
                  [&](TCanvas& square, int side, int height) {
                    FillStepsHorizontal(square, {0, 0, side, height}, colorFrom, colorTo, colors);
                  });
}

void RotateBitmap(TBitmap* bitmap, std::uint16_t angleDegree) {
  if (bitmap == nullptr || bitmap->Empty()) return;
  bitmap->Canvas().PlgBlt(RotationCorners(bitmap->Width(), bitmap->Height(), angleDegree), *bitmap,
                          {0, 0, bitmap->Width(), bitmap->Height()});
}

int AngleSquareSide(const TRect& rect) {
  if (rect.IsEmpty() || !WithinReach(rect)) return 0;
  const auto w = static_cast<std::int64_t>(rect.Width());
  const auto h = static_cast<std::int64_t>(rect.Height());
  const int side = Round(std::sqrt(static_cast<double>(w * w + h * h)));
  return side <= kMaxAngleSquareSide ? side : 0;
}

void DrawAngleImage(TCanvas& canvas, const TRect& rect, const TBitmap& image, bool clipToRect) {
  if (!WithinReach(rect)) return;
  ClipRegionGuard restoreClip(canvas);
  if (clipToRect) {
    TRegion region = CreateRectRgn(rect);
    const TPoint origin = canvas.WindowOrg();
    region.Offset(ClampToInt(-std::int64_t{origin.X}), ClampToInt(-std::int64_t{origin.Y}));
    // Stay inside whatever the caller already clipped to.
    const TRegion& current = canvas.ClipRegion();
    if (!current.IsNull()) {
      TRect both;
      IntersectRect(both, current.Bounds(), region.Bounds());
      region = CreateRectRgn(both);
    }
    canvas.SelectClipRegion(region);
  }
  canvas.Draw(rect.Left + (rect.Width() - image.Width()) / 2,
              rect.Top + (rect.Height() - image.Height()) / 2, image);
}

void RectScale(TRect& r, double factor) {
  const std::int64_t dx = Round64((std::int64_t{r.Right} - r.Left) * factor) / 2;
  const std::int64_t dy = Round64((std::int64_t{r.Bottom} - r.Top) * factor) / 2;
  r = {ClampToInt(r.Left - dx), ClampToInt(r.Top - dy), ClampToInt(r.Right + dx),
       ClampToInt(r.Bottom + dy)};
}

TRect RectLerp(const TRect& a, const TRect& b, double factor) {
  const auto edge = [factor](int from, int to) {
    return ClampToInt(from + Round64((std::int64_t{to} - from) * factor));
  };
  return {edge(a.Left, b.Left), edge(a.Top, b.Top), edge(a.Right, b.Right),
          edge(a.Bottom, b.Bottom)};
}

TRect RectEnclosingSquare(const TRect& centre, const TRect& r) {
  const auto distance = [](int a, int b) { return std::llabs(std::int64_t{a} - b); };
  const std::int64_t m = std::max({distance(centre.Left, r.Left), distance(centre.Right, r.Right),
                                   distance(centre.Top, r.Top), distance(centre.Bottom, r.Bottom)});
  return {ClampToInt(centre.Left - m), ClampToInt(centre.Top - m), ClampToInt(centre.Right + m),
          ClampToInt(centre.Bottom + m)};
}

float DegToRad(float degrees) {
  return static_cast<float>(static_cast<double>(degrees) * 0.017453292519943295);
}

}  // namespace mirto
