#pragma once

// Binds a menu style to a popup menu: the menu becomes owner-drawn and paints
// its background, entries and separators with the style's painter. Opening,
// keyboard navigation, accelerators, hover, disabled entries and the
// entries' accessible names stay the popup menu's own; the style only
// measures and paints.

#include "components/KvoMenuStyle.h"

namespace mirto {

class TPopupMenu;

// From now on menu paints in style (a copy; attaching again replaces it).
// The handlers keep their own copy of the style, so nothing here has to
// outlive the menu.
void AttachMenuStyle(TPopupMenu& menu, const TKvoMenuStyle& style);
// The toolkit's own look again.
void DetachMenuStyle(TPopupMenu& menu);

}  // namespace mirto
