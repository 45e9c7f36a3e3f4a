#pragma once

// The colours, widths and fonts a styled popup menu paints with. A plain
// value: copy it, change it, hand it to a styled menu. The launcher's own
// menu styles are in launcher/WindowLooks.

#include <QString>

#include "platform/drawing/Font.h"
#include "platform/drawing/Types.h"

namespace mirto {

// Font of an entry's caption. Height is the character height in pixels.
struct TKvoMenuFont {
  QString Name;
  int Height = 13;
  TColor Color = clBlack;
};

struct TKvoMenuStyle {
  // Background of the whole menu, left to right (equal ends for a flat one).
  TColor BackgroundFrom = clWhite;
  TColor BackgroundTo = clWhite;
  // The bar along the left edge that holds the entries' images, left to
  // right, and the line along its right edge (clNone for none); the line is
  // the bar's last column.
  TColor IconBarFrom = clWhite;
  TColor IconBarTo = clWhite;
  TColor IconBarLine = clNone;
  int IconBarWidth = 26;
  TKvoMenuFont ItemFont;
  // The entry under the pointer or the keyboard: a gradient, left to right,
  // framed by a border, with its caption in SelectedFont.
  TColor SelectedFrom = clGray;
  TColor SelectedTo = clGray;
  TColor SelectedBorder = clGray;
  TKvoMenuFont SelectedFont;
  TColor SeparatorColor = clGray;
  TColor BorderColor = clGray;
  // Smoothing of the captions' letters.
  TFontQuality TextQuality = fqDefault;

  // A disabled entry's caption: half way from the item font colour to the
  // background's start colour.
  TColor DisabledFontColor() const;
};

}  // namespace mirto
