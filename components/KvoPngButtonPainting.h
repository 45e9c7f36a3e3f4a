#pragma once

// How the PNG button paints: the glyph and caption layout, the choice of
// look, the custom drawing of a look and the platform-style drawing. Each
// painter reads the button and a folded state and changes neither.

#include <QString>

#include "components/KvoPngButton.h"
#include "platform/drawing/TextLayout.h"
#include "platform/drawing/Types.h"

namespace mirto {

class TCanvas;
class TPngImage;

enum class TKvoLookKind { lkNormal, lkHot, lkDown, lkFocused, lkDisabled };
using enum TKvoLookKind;

// First match wins: disabled, hot (pointer over and not pressed), pressed,
// holding the focus, normal.
TKvoLookKind ChooseLook(const TKvoPngButtonState& state);
const TKvoItemStateParams& LookOf(const TKvoButtonAppearance& appearance, TKvoLookKind kind);

// Top-left corners of glyph and caption in client. The caption is measured
// with the canvas's font; biDiFlags containing DT_RIGHT mirror the left and
// right layouts. pressed or down shift both by one pixel. margin -1 centres
// glyph and caption together; spacing -1 divides the free length into three
// equal parts (margin, gap, margin) when margin is -1 too, and otherwise
// centres the caption in the room after margin and glyph.
// The placement rule itself, for glyph and caption sizes already known.
void PlaceGlyphAndCaption(TSize glyph, TSize text, const TRect& client, bool pressed, bool down,
                          TButtonLayout layout, int margin, int spacing, TPoint& glyphPos,
                          TPoint& textPos, TTextFormat biDiFlags);

void LayoutGlyphAndCaption(TCanvas& canvas, const TPngImage* png, const TRect& client, bool pressed,
                           bool down, const QString& caption, TButtonLayout layout, int margin,
                           int spacing, TPoint& glyphPos, TPoint& textPos, TTextFormat biDiFlags);

// The upper and lower gradient bands of a look inside client: the upper from
// the top margin down to the boundary, the lower from there to the bottom
// margin. The boundary is client height x percent (capped at 100), rounded
// halves to even.
struct TKvoGradientBands {
  TRect Upper;
  TRect Lower;
};
TKvoGradientBands GradientBandsOf(const TKvoItemStateParams& look, const TRect& client);

// The custom drawing of the look that state selects.
void PaintPngButtonCustom(const TKvoPngButton& button, TCanvas& canvas, const TRect& client,
                          const TKvoPngButtonState& state);

// The platform's push button (themed under visual styles, else the classic
// frame) with the glyph and caption on it.
void PaintPngButtonPlatformStyle(const TKvoPngButton& button, TCanvas& canvas, const TRect& client,
                                 const TKvoPngButtonState& state);

}  // namespace mirto
