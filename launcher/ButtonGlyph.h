#pragma once

// The windows' buttons take their glyphs from the program's built-in
// pictures.

namespace mirto {

class TKvoPngButton;

// Gives button the built-in picture of that name; a missing picture leaves
// the glyph empty (the button then shows no picture).
void LoadGlyph(TKvoPngButton& button, const char* pictureName);

}  // namespace mirto
