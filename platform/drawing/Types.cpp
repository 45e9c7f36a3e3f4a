#include "platform/drawing/Types.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace mirto {

namespace {

// Classic desktop defaults, so rendering does not depend on the machine's theme.
constexpr std::array<TColor, 31> kSystemColors = {
    RGB(200, 200, 200),  // scroll bar
    RGB(0, 0, 0),        // desktop background
    RGB(153, 180, 209),  // active caption
    RGB(191, 205, 219),  // inactive caption
    RGB(240, 240, 240),  // menu
    RGB(255, 255, 255),  // window
    RGB(100, 100, 100),  // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(0, 0, 0),        // caption text
    RGB(180, 180, 180),  // active border
    RGB(244, 247, 252),  // inactive border
    RGB(171, 171, 171),  // application workspace
    RGB(0, 120, 215),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(240, 240, 240),  // button face
    RGB(160, 160, 160),  // button shadow
    RGB(109, 109, 109),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(0, 0, 0),        // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(105, 105, 105),  // 3D dark shadow
    RGB(227, 227, 227),  // 3D light
    RGB(0, 0, 0),        // info text
    RGB(255, 255, 225),  // info background
    RGB(0, 0, 0),        // (unused index 25)
    RGB(0, 102, 204),    // hot light
    RGB(185, 209, 234),  // gradient active caption
    RGB(215, 228, 242),  // gradient inactive caption
    RGB(0, 120, 215),    // menu highlight
    RGB(240, 240, 240),  // menu bar
};

}  // namespace

TColor ColorToRGB(TColor color) {
  if ((static_cast<std::uint32_t>(color) & 0xFF000000u) != 0xFF000000u) return color;
  const auto index = static_cast<std::size_t>(color & 0xFF);
  return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
}

void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Top -= dy;
  r.Right += dx;
  r.Bottom += dy;
}

void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty() || a.IsEmpty() || b.IsEmpty()) {
    result = TRect{};
    return false;
  }
  result = r;
  return true;
}

bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }

int Round(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  const double floor = std::floor(value);
  const double fraction = value - floor;
  auto result = static_cast<long long>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && (result % 2) != 0)) ++result;
  return ClampToInt(result);
}

int Div(int a, int b) {
  if (b == 0) return 0;
  if (a == INT_MIN && b == -1) return INT_MAX;
  return a / b;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long product = static_cast<long long>(a) * b;
  long long quotient = product / c;
  const long long remainder = product % c;
  // |remainder| * 2 >= |c|: a half or more rounds away from zero.
  const long long absRemainder = remainder < 0 ? -remainder : remainder;
  const long long absDivisor = c < 0 ? -static_cast<long long>(c) : c;
  if (absRemainder * 2 >= absDivisor) quotient += ((product < 0) != (c < 0)) ? -1 : 1;
  if (quotient > INT_MAX || quotient < INT_MIN) return -1;
  return static_cast<int>(quotient);
}

}  // namespace mirto
