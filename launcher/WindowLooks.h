#pragma once

// Mirto's own looks: the font of its windows, the main window's colour, its
// four panels, the title bar's glyph buttons and caption, the categories
// button, the home page link, the two popup menu styles, and the about
// window's panels and links. The main window, the gallery, the
// benchmarks and the screenshots take them from here, so each colour is
// written once. The components stay general: they only know how to paint a
// look they are given.

#include <QString>

#include "components/KvoMenuStyle.h"
#include "platform/drawing/Types.h"

namespace mirto {

class TKvoLinkLabel;
class TKvoPanel;
class TKvoPngButton;
class TKvoTitleLabel;
struct TKvoTitleLook;

// The font of the windows' texts (each window, panel or label gives its own
// size).
inline const QString kWindowFontName = QStringLiteral("Segoe UI");

// The form's own colour, behind its panels.
inline constexpr TColor kMainWindowColor = 0x00FCFCFC;

// The title bar's gradient, from its top edge down.
inline constexpr TColor kTitleBarTop = 0x00454545;
inline constexpr TColor kTitleBarBottom = 0x00626262;
// The main area's gradient, from its corner outwards.
inline constexpr TColor kMainAreaFrom = 0x00D1DDE0;
inline constexpr TColor kMainAreaTo = 0x00E7EEEF;

// pnBg: flat grey with a dark frame, behind everything.
void ApplyBackgroundPanelLook(TKvoPanel& panel);
// pnAppTitle: a dark gradient down to the background's grey.
void ApplyTitleBarLook(TKvoPanel& panel);
// pnBottom: the title bar's gradient upside down.
void ApplyBottomBarLook(TKvoPanel& panel);
// pnMain: a light gradient at an angle, mirrored.
void ApplyMainAreaLook(TKvoPanel& panel);

// A title-bar button: nothing but the glyph, brighter while hot or pressed.
void ApplyTitleButtonLook(TKvoPngButton& button, int hotGamma);
// The categories button: transparent at rest, a warm grey under the pointer
// and while pressed.
void ApplyCategoriesButtonLook(TKvoPngButton& button);
// The categories button's focus cue, shown after keyboard use as the view
// buttons show theirs: a one-pixel frame in its caption's colour while it
// holds the focus.
void ShowCategoriesFocusCue(TKvoPngButton& button, bool shown);

// The window's caption: its font, and the colours and shadow of its letters
// (the label's font is set here; a bare look keeps the font it points to).
void ApplyTitleCaptionLook(TKvoTitleLabel& label);
void ApplyTitleCaptionLook(TKvoTitleLook& look);

// A link's letters in the launcher's way: in color, in hotColor under the
// pointer, and in the visited colours once visited; underlined under the
// pointer, and grey and underlined while disabled.
void ApplyLinkLook(TKvoLinkLabel& label, TColor color, TColor hotColor, TColor visitedColor,
                   TColor visitedHotColor);
// The home page link in the bottom bar: its colours and underlines.
void ApplyHomePageLinkLook(TKvoLinkLabel& label);

// The about window's panel: a light grey gradient at an angle, mirrored,
// in a wide dark frame.
void ApplyAboutPanelLook(TKvoPanel& panel);
// The frame round the about window's program list: no gradient, a narrower
// frame of the same colour.
void ApplyAboutListFrameLook(TKvoPanel& panel);
// The about window's links to the product page (blue) and to the donation
// page (red), purple once visited.
void ApplyProductLinkLook(TKvoLinkLabel& label);
void ApplyDonationLinkLook(TKvoLinkLabel& label);

// The title-bar menus (video and audio).
TKvoMenuStyle DarkMenuStyle();
// The program buttons' menu.
TKvoMenuStyle LightMenuStyle();

}  // namespace mirto
