#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "platform/drawing/Persistent.h"
#include "platform/drawing/Types.h"

namespace mirto {
namespace {

TEST(Rounding, RoundTakesHalvesToTheEvenNeighbour) {
  struct Case {
    double value;
    int expected;
  };
  const Case cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},    {3.5, 4},  {-0.5, 0},
                        {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.51, 3}, {-2.51, -3}};
  for (const auto& c : cases) EXPECT_EQ(Round(c.value), c.expected) << c.value;
}

TEST(Rounding, RoundSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(Round(1e20), INT_MAX);
  EXPECT_EQ(Round(-1e20), INT_MIN);
  EXPECT_EQ(Round(std::nan("")), 0);
}

TEST(Rounding, DivTruncatesTowardZeroAndNeverTraps) {
  EXPECT_EQ(Div(7, 2), 3);
  EXPECT_EQ(Div(-7, 2), -3);
  EXPECT_EQ(Div(7, -2), -3);
  EXPECT_EQ(Div(5, 0), 0);
  EXPECT_EQ(Div(INT_MIN, -1), INT_MAX);
}

TEST(Rounding, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(8, 1, 3), 3);
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // needs the 64-bit intermediate
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 4, 1), -1);
}

TEST(Colors, SystemColoursResolveFromTheFixedPalette) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
  EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
  EXPECT_EQ(ColorToRGB(clGrayText), RGB(109, 109, 109));
  EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(160, 160, 160));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), RGB(255, 255, 255));
  EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(TColorFromUnsigned(0xFF0000FFu)), clBlack);  // unknown index
}

TEST(Rects, RightAndBottomAreExclusive) {
  const TRect r = Rect(0, 0, 2, 3);
  EXPECT_EQ(r.Width(), 2);
  EXPECT_TRUE(r.Contains({1, 2}));
  EXPECT_FALSE(r.Contains({2, 0}));
  EXPECT_FALSE(r.Contains({0, 3}));
  TRect out;
  EXPECT_FALSE(IntersectRect(out, Rect(0, 0, 2, 2), Rect(2, 0, 4, 2)));
  EXPECT_TRUE(out.IsEmpty());
  EXPECT_TRUE(IntersectRect(out, Rect(0, 0, 4, 4), Rect(2, 1, 6, 3)));
  EXPECT_EQ(out, Rect(2, 1, 4, 3));
}

TEST(Sets, IncludeExcludeAndCombine) {
  TFontStyles styles{fsBold};
  styles.Include(fsItalic);
  EXPECT_TRUE(styles.Contains(fsBold));
  EXPECT_TRUE(styles.Contains(fsItalic));
  EXPECT_FALSE(styles.Contains(fsUnderline));
  EXPECT_EQ(styles - TFontStyles{fsBold}, TFontStyles{fsItalic});
  EXPECT_TRUE((styles * TFontStyles{fsStrikeOut}).Empty());
}

class Unrelated : public TPersistent {};
class Other : public TPersistent {};

TEST(Persistent, AssignOfAnUnrelatedClassFailsWithBothNames) {
  Unrelated a;
  Other b;
  try {
    a.Assign(&b);
    FAIL() << "expected EConvertError";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a Other to a Unrelated");
  }
  EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

}  // namespace
}  // namespace mirto
