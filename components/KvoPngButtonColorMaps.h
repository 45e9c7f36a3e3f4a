#pragma once

// Named colour schemes of the PNG button: 37 colours each (the default-button
// border, the focus rectangle, and border, font, background and four gradient
// colours for each of the five looks). Every colour is a plain RGB value.

#include <array>

#include "platform/drawing/Types.h"

namespace mirto {

// The colours of one look, in the order a map lists them.
struct TKvoPngButtonStateColors {
  TColor BorderColor;
  TColor FontColor;
  TColor Color;
  TColor BottomGradientColorFrom;
  TColor BottomGradientColorTo;
  TColor UpperGradientColorFrom;
  TColor UpperGradientColorTo;
  friend constexpr bool operator==(const TKvoPngButtonStateColors&,
                                   const TKvoPngButtonStateColors&) = default;
};

struct TKvoPngButtonColorMap {
  TColor BorderWhenDefaultColor;
  TColor FocusRectColor;
  TKvoPngButtonStateColors Normal;
  TKvoPngButtonStateColors Hot;
  TKvoPngButtonStateColors Down;
  TKvoPngButtonStateColors Focused;
  TKvoPngButtonStateColors Disabled;
  friend constexpr bool operator==(const TKvoPngButtonColorMap&,
                                   const TKvoPngButtonColorMap&) = default;
};

// cmtCustom names no map: the colours were set one by one.
enum class TKvoPngButtonColorMapType {
  cmtCustom,
  cmtAero,
  cmtAeroMod1,
  cmtBlack,
  cmtBlueVeryDark,
  cmtBlue,
  cmtGray,
  cmtGrayDark,
  cmtGrayVeryDark,
  cmtGray_Blue,
  cmtGray_Yellow,
  cmtGreenDark,
  cmtGreenVeryDark,
  cmtGreen,
  cmtHighContrastBlack,
  cmtHighContrastWhite,
  cmtStyleAquaLightSlate,
  cmtStyleAuric,
  cmtStyleCarbon,
  cmtStyleCharcoalDarkSlate,
  cmtStyleCobaltXEMedia,
  cmtStyleCoral,
  cmtStyleEmerald,
  cmtStyleGlossy,
  cmtStyleGoldenGraphite,
  cmtStyleIcebergClassico,
  cmtStyleJet,
  cmtStyleLight,
  cmtStyleLuna,
  cmtStyleMetropolisUIBlack,
  cmtStyleMetropolisUIDark,
  cmtStyleMetropolisUIBlue,
  cmtStyleMetropolisUIGreen,
  cmtStyleRubyGraphite,
  cmtStyleSilver,
  cmtStyleSlateClassico,
  cmtStyleTurquoiseGray,
};
using enum TKvoPngButtonColorMapType;

constexpr int kPredefinedColorMapCount = 36;

// The map named mapType, cmtAero to cmtStyleTurquoiseGray, in enumeration
// order (index = ordinal - 1).
extern const std::array<TKvoPngButtonColorMap, kPredefinedColorMapCount> PredefinedColorMaps;

// Overwrites colorMap with the predefined map of that name; cmtCustom (or a
// value outside the enumeration) leaves it unchanged.
void GetPredefinedColorMap(TKvoPngButtonColorMapType mapType, TKvoPngButtonColorMap& colorMap);

// The map's name as the program writes it ("cmtGray_Yellow").
const char* ColorMapTypeName(TKvoPngButtonColorMapType mapType);

}  // namespace mirto
