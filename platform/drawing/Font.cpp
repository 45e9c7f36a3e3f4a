#include "platform/drawing/Font.h"

namespace mirto {

int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }

void TFont::Assign(const TPersistent* source) {
  if (const auto* font = dynamic_cast<const TFont*>(source))
    return Change(Fields(), font->Fields());
  TPersistent::Assign(source);
}

}  // namespace mirto
