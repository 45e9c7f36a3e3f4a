#include "platform/drawing/Pen.h"

namespace mirto {

void TPen::Assign(const TPersistent* source) {
  if (const auto* pen = dynamic_cast<const TPen*>(source)) return Change(Fields(), pen->Fields());
  TPersistent::Assign(source);
}

}  // namespace mirto
