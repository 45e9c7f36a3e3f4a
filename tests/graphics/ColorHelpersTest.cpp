#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>

#include "graphics/ColorHelpers.h"

namespace mirto {
namespace {

TEST(ColorHelpers, ComposeAndSplitUseOnlyTheLowBytes) {
  EXPECT_EQ(RgbToColor(255, 0, 0), 255);
  EXPECT_EQ(RgbToColor(0x12, 0x34, 0x56), 0x563412);
  EXPECT_EQ(RgbToColor(256 + 7, -1, 0x1FF), 0xFFFF07);

  int r = -1, g = -1, b = -1;
  ColorToRgbParts(65280, r, g, b);
  EXPECT_EQ((std::array{r, g, b}), (std::array{0, 255, 0}));
  // The high byte is dropped and system colours stay unresolved.
  ColorToRgbParts(clBtnFace, r, g, b);
  EXPECT_EQ((std::array{r, g, b}), (std::array{15, 0, 0}));
}

struct ShiftCase {
  TColor color;
  int percent;
  bool brighten;
  TColor expected;
};

TEST(ColorHelpers, ChannelsMoveByTruncatedPercentAndClamp) {
  const ShiftCase cases[] = {
      {RGB(200, 100, 50), 100, true, RGB(255, 200, 100)},
      {RGB(200, 100, 50), 100, false, clBlack},
      {RGB(10, 20, 30), 15, true, RGB(11, 23, 34)},  // 1.5 and 4.5 truncate
      {RGB(10, 20, 30), 15, false, RGB(9, 17, 26)},
      {RGB(10, 20, 30), 0, true, RGB(10, 20, 30)},
      {RGB(100, 50, 0), -50, true, RGB(50, 25, 0)},  // a negative percent darkens
      {RGB(100, 50, 0), -50, false, RGB(150, 75, 0)},
      {RGB(0xD7, 0xDF, 0xDF), 35, true, clWhite},
      {RGB(1, 128, 0), INT_MAX, true, RGB(255, 255, 0)},
      {RGB(1, 128, 0), INT_MIN, true, clBlack},
      {RGB(1, 128, 255), INT_MAX, false, clBlack},
  };
  for (const ShiftCase& c : cases) {
    EXPECT_EQ(ShiftColorPercent(c.color, c.percent, c.brighten), c.expected)
        << std::hex << c.color << " " << std::dec << c.percent << " " << c.brighten;
    EXPECT_EQ(ColorSetPercentBrightness(c.color, c.percent, c.brighten), c.expected);
  }
}

TEST(ColorHelpers, OnlyBrightnessResolvesSystemColours) {
  const TColor shadow = ColorToRGB(clBtnShadow);
  ASSERT_NE(shadow, clBtnShadow);
  int r = 0, g = 0, b = 0;
  ColorToRgbParts(shadow, r, g, b);
  EXPECT_EQ(
      ColorSetPercentBrightness(clBtnShadow, 10, true),
      RgbToColor(std::min(255, r + r / 10), std::min(255, g + g / 10), std::min(255, b + b / 10)));
  EXPECT_EQ(ColorSetPercentBrightness(clBtnFace, 0, true), ColorToRGB(clBtnFace));

  // clBtnShadow's low byte is 16: treated as red 16, green and blue 0.
  EXPECT_EQ(ShiftColorPercent(clBtnShadow, 10, true), RGB(17, 0, 0));
  EXPECT_EQ(ShiftColorPercent(clBtnFace, 0, true), RGB(15, 0, 0));
  // Every result is a plain RGB value.
  EXPECT_EQ(ShiftColorPercent(clNone, 0, true) & 0xFF000000, 0);
}

TEST(ColorHelpers, PercentOfRoundsHalvesToEven) {
  struct Case {
    int value;
    double percent;
    int expected;
  };
  const Case cases[] = {
      {5, 50, 2},   {7, 50, 4},   {200, 12.5, 25}, {3, 50, 2},        {-5, 50, -2},
      {-7, 50, -4}, {0, 99.9, 0}, {100, -30, -30}, {1000, 33.3, 333},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PercentOf(c.value, c.percent), c.expected) << c.value << " " << c.percent;
  }
}

}  // namespace
}  // namespace mirto
