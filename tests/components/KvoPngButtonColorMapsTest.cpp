#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "components/KvoPngButtonColorMaps.h"
#include "tests/components/PngButtonTestSupport.h"

namespace mirto {
namespace {

using testing::ColorsIn;
using testing::PaintInto;

TKvoPngButtonColorMapType MapTypeAt(int index) {
  return static_cast<TKvoPngButtonColorMapType>(index + 1);
}

std::vector<TKvoPngButtonStateColors> LooksOf(const TKvoPngButtonColorMap& map) {
  return {map.Normal, map.Hot, map.Down, map.Focused, map.Disabled};
}

// The colours a button shows now, read back into a map.
TKvoPngButtonColorMap MapOf(const TKvoPngButton& button) {
  const TKvoButtonAppearance& a = button.Appearance();
  const auto colors = [](const TKvoItemStateParams& look) {
    return TKvoPngButtonStateColors{look.Border().Color(),
                                    look.Font().Color(),
                                    look.Color(),
                                    look.BottomGradient().ColorFrom(),
                                    look.BottomGradient().ColorTo(),
                                    look.UpperGradient().ColorFrom(),
                                    look.UpperGradient().ColorTo()};
  };
  return {a.BorderWhenDefault().Color(),
          a.FocusRect().Pen().Color(),
          colors(a.Normal()),
          colors(a.Hot()),
          colors(a.Down()),
          colors(a.Focused()),
          colors(a.Disabled())};
}

double RelativeLuminance(TColor c) {
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) +
         0.0722 * channel(GetBValue(c));
}

double Contrast(TColor a, TColor b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The caption's worst contrast against any colour that can lie behind it.
double CaptionContrast(const TKvoPngButtonStateColors& look) {
  double worst = 1e9;
  for (TColor back : {look.Color, look.BottomGradientColorFrom, look.BottomGradientColorTo,
                      look.UpperGradientColorFrom, look.UpperGradientColorTo})
    worst = std::min(worst, Contrast(look.FontColor, back));
  return worst;
}

TEST(ColorMaps, AeroIsTheNewButtonAndTheGivenMapsHoldTheirColours) {
  TKvoPngButton fresh;
  TKvoPngButtonColorMap aero{};
  GetPredefinedColorMap(cmtAero, aero);
  EXPECT_EQ(aero, MapOf(fresh));

  TKvoPngButtonColorMap map{};
  GetPredefinedColorMap(cmtBlack, map);
  EXPECT_EQ(map.FocusRectColor, RGB(75, 75, 75));
  EXPECT_EQ(map.Focused, (TKvoPngButtonStateColors{
                             RGB(91, 91, 91), RGB(205, 205, 205), RGB(51, 51, 51), RGB(42, 42, 42),
                             RGB(32, 32, 32), RGB(68, 68, 68), RGB(42, 42, 42)}));
  EXPECT_EQ(map.Disabled.FontColor, RGB(98, 98, 98));
  GetPredefinedColorMap(cmtHighContrastWhite, map);
  EXPECT_EQ(map.Down, (TKvoPngButtonStateColors{RGB(51, 204, 204), clWhite, RGB(51, 204, 204),
                                                RGB(51, 204, 204), RGB(77, 210, 210),
                                                RGB(77, 210, 210), RGB(51, 204, 204)}));
  GetPredefinedColorMap(cmtStyleMetropolisUIBlue, map);
  EXPECT_EQ(map.Disabled.BorderColor, RGB(169, 199, 221));
  EXPECT_EQ(map.Hot.Color, RGB(232, 102, 37));

  const TKvoPngButtonColorMap before = map;
  GetPredefinedColorMap(cmtCustom, map);
  EXPECT_EQ(map, before) << "cmtCustom names no map";
}

TEST(ColorMaps, EveryMapIsPlainRgbAndDistinctWithSixteenFocusedEqualToHot) {
  std::set<std::string> seen;
  int focusedIsHot = 0;
  for (int i = 0; i < kPredefinedColorMapCount; ++i) {
    const TKvoPngButtonColorMap& map = PredefinedColorMaps[i];
    const std::string name = ColorMapTypeName(MapTypeAt(i));
    const auto* colors = reinterpret_cast<const TColor*>(&map);
    static_assert(sizeof(TKvoPngButtonColorMap) == 37 * sizeof(TColor));
    for (int c = 0; c < 37; ++c) EXPECT_EQ(colors[c] & 0xFF000000, 0) << name << " colour " << c;
    std::string bytes(reinterpret_cast<const char*>(&map), sizeof map);
    EXPECT_TRUE(seen.insert(bytes).second) << name << " repeats another map";
    if (map.Focused == map.Hot) ++focusedIsHot;
  }
  EXPECT_EQ(focusedIsHot, 16);
}

TEST(ColorMaps, FlatMapsHaveNoGradientInAnyLook) {
  for (TKvoPngButtonColorMapType type :
       {cmtStyleLight, cmtStyleMetropolisUIBlack, cmtStyleMetropolisUIDark,
        cmtStyleMetropolisUIBlue, cmtStyleMetropolisUIGreen}) {
    TKvoPngButtonColorMap map{};
    GetPredefinedColorMap(type, map);
    for (const TKvoPngButtonStateColors& look : LooksOf(map)) {
      EXPECT_EQ(look.BottomGradientColorFrom, look.Color) << ColorMapTypeName(type);
      EXPECT_EQ(look.BottomGradientColorTo, look.Color) << ColorMapTypeName(type);
      EXPECT_EQ(look.UpperGradientColorFrom, look.Color) << ColorMapTypeName(type);
      EXPECT_EQ(look.UpperGradientColorTo, look.Color) << ColorMapTypeName(type);
    }
  }
}

TEST(ColorMaps, NormalCaptionsAreReadableAndDisabledOnesDimmed) {
  for (int i = 0; i < kPredefinedColorMapCount; ++i) {
    const TKvoPngButtonColorMap& map = PredefinedColorMaps[i];
    const char* name = ColorMapTypeName(MapTypeAt(i));
    const double normal = CaptionContrast(map.Normal);
    const double disabled = CaptionContrast(map.Disabled);
    EXPECT_GE(normal, 4.5) << name;
    // Dimmed so the button reads as unavailable, yet never lost in its face;
    // only the high-contrast black scheme keeps it at full readability.
    EXPECT_LT(disabled, normal) << name;
    EXPECT_EQ(disabled >= 4.5, MapTypeAt(i) == cmtHighContrastBlack) << name << " " << disabled;
    EXPECT_GE(disabled, 1.5) << name;
  }
}

TEST(ColorMaps, SelectingAMapRecoloursOnlyColours) {
  TKvoPngButton button;
  TKvoButtonAppearance& a = button.Appearance();
  a.Hot().SetTransparentFrame(true);
  a.Down().SetGradientEnabled(false);
  a.Normal().SetUpperGradientPercent(100);
  a.SetGlyphHotGammaFactor(230);
  TKvoPngButtonColorMap black{};
  GetPredefinedColorMap(cmtBlack, black);

  button.SetColorMapType(cmtBlack);
  EXPECT_EQ(MapOf(button), black);
  button.SetColorMapType(cmtBlack);
  EXPECT_EQ(MapOf(button), black) << "applying twice gives the same colours";
  button.SetColorMapType(cmtCustom);
  EXPECT_EQ(button.ColorMapType(), cmtCustom);
  EXPECT_EQ(MapOf(button), black) << "cmtCustom restores nothing";

  TKvoPngButtonColorMap white{};
  GetPredefinedColorMap(cmtHighContrastWhite, white);
  button.ApplyColorMap(white);
  EXPECT_EQ(button.ColorMapType(), cmtCustom);
  EXPECT_EQ(a.Hot().Font().Color(), clWhite);
  EXPECT_EQ(a.Hot().Color(), clBlack);
  EXPECT_EQ(a.BorderWhenDefault().Color(), RGB(0, 255, 255));
  EXPECT_EQ(a.FocusRect().Pen().Color(), RGB(0, 255, 255));
  EXPECT_TRUE(a.Hot().TransparentFrame());
  EXPECT_FALSE(a.Down().GradientEnabled());
  EXPECT_EQ(a.Normal().UpperGradientPercent(), 100);
  EXPECT_EQ(a.GlyphHotGammaFactor(), 230);
}

TEST(ColorMaps, MapSelectedAfterTheAppearanceWins) {
  // A layout sets the appearance first and the map after it.
  TKvoPngButton layoutSource;
  layoutSource.Appearance().Normal().SetColor(clRed);
  TKvoPngButton button;
  button.BeginLoading();
  button.SetAppearance(layoutSource.Appearance());
  button.SetColorMapType(cmtStyleJet);
  button.EndLoading();
  TKvoPngButtonColorMap jet{};
  GetPredefinedColorMap(cmtStyleJet, jet);
  EXPECT_EQ(MapOf(button), jet);
}

TEST(ColorMaps, FlatMapPaintsFlatWithGradientsOn) {
  TKvoPngButton button;
  button.SetBounds(0, 0, 30, 22);
  button.SetColorMapType(cmtStyleMetropolisUIBlue);
  ASSERT_TRUE(button.Appearance().Normal().GradientEnabled());
  TBitmap bitmap;
  PaintInto(bitmap, button, {});
  EXPECT_EQ(ColorsIn(bitmap, Rect(1, 1, 29, 21)), std::set<TColor>{RGB(19, 115, 169)});
}

}  // namespace
}  // namespace mirto
