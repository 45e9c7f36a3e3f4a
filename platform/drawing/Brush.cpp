#include "platform/drawing/Brush.h"

namespace mirto {

void TBrush::SetColor(TColor value) { Change(Fields(), std::tuple(value, bsSolid)); }

void TBrush::Assign(const TPersistent* source) {
  if (const auto* brush = dynamic_cast<const TBrush*>(source))
    return Change(Fields(), brush->Fields());
  TPersistent::Assign(source);
}

}  // namespace mirto
