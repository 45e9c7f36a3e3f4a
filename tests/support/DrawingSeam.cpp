#include "tests/support/DrawingSeam.h"

#include <QFontInfo>

#include "platform/drawing/Canvas_p.h"
#include "platform/drawing/QtConversions_p.h"

namespace mirto::testing {

std::size_t KeptTurnSnapshotBytes() { return TCanvasAccess::KeptTurnSnapshotBytes(); }

int ResolvedPixelSizeOf(const TFont& font) { return QFontInfo(ToQFont(font)).pixelSize(); }

}  // namespace mirto::testing
