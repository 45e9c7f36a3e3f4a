#pragma once

// Which embedded picture each part of the windows shows: the title-bar and
// about-window glyphs, the categories glyph, the main window's image list and
// the application icon.

#include <array>

#include "graphics/PngImageList.h"
#include "platform/drawing/Icon.h"
#include "platform/drawing/PngImage.h"

namespace mirto {

// Glyphs of the window buttons (24 x 24; the categories glyph 16 x 16).
inline constexpr char kGlyphMenuVideo[] = "glyph-menu-video";
inline constexpr char kGlyphMenuAudio[] = "glyph-menu-audio";
inline constexpr char kGlyphAbout[] = "glyph-about";
inline constexpr char kGlyphMinimize[] = "glyph-minimize";
inline constexpr char kGlyphMinimizeToTray[] = "glyph-minimize-to-tray";
inline constexpr char kGlyphExit[] = "glyph-exit";
inline constexpr char kGlyphClose[] = "glyph-close";  // the about window's
inline constexpr char kGlyphCategories[] = "glyph-categories";

// The application icon, in every size a desktop asks for.
inline constexpr char kApplicationIcon[] = "mirto-icon";

struct TMainListImage {
  const char* Name;     // the item's name in the list
  const char* Picture;  // the embedded picture
};

inline constexpr int kMainImageCount = 30;

// The images of the main window's list pilMain, in index order.
const std::array<TMainListImage, kMainImageCount>& MainListImages();

// Empties list and fills it with the images of MainListImages(), each named
// and with background clWindow; sizes 16 x 16 at scale 1, the separate
// drawings of 32 x 32 at scale 2. Disabled entries are greyed and blended.
// Returns how many pictures were found (all of them unless the program was
// built without its artwork).
int LoadMainImageList(TPngImageList& list, int scale = 1);

// The application icon with all its sizes; false when it is missing.
bool LoadApplicationIcon(TIcon& icon);

}  // namespace mirto
