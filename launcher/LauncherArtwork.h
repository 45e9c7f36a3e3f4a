#pragma once
// TEMPORARY stand-in until the artwork lands; never committed to main.
#include "graphics/PngImageList.h"
#include "platform/drawing/Icon.h"
namespace mirto {
inline constexpr char kGlyphMenuVideo[] = "glyph-menu-video";
inline constexpr char kGlyphMenuAudio[] = "glyph-menu-audio";
inline constexpr char kGlyphAbout[] = "glyph-about";
inline constexpr char kGlyphMinimize[] = "glyph-minimize";
inline constexpr char kGlyphMinimizeToTray[] = "glyph-minimize-to-tray";
inline constexpr char kGlyphExit[] = "glyph-exit";
inline constexpr char kGlyphClose[] = "glyph-close";
inline constexpr char kGlyphCategories[] = "glyph-categories";
inline int LoadMainImageList(TPngImageList&, int = 1) { return 0; }
inline bool LoadApplicationIcon(TIcon&) { return false; }
}  // namespace mirto
