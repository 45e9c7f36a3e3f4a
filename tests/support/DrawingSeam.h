#pragma once

// The tests' door into the drawing layer: what it keeps between calls and
// the toolkit font it makes, for checks the public canvas cannot show.
// Tests use this instead of the drawing layer's internal headers.

#include <cstddef>

#include "platform/drawing/Font.h"

namespace mirto::testing {

// Bytes of the snapshot an in-place turn of a bitmap keeps for the next turn
// of one the same size (on this thread).
std::size_t KeptTurnSnapshotBytes();
// The pixel size the toolkit resolves for the font the canvas paints with.
int ResolvedPixelSizeOf(const TFont& font);

}  // namespace mirto::testing
