#pragma once

// The embedded pictures live in a static library, whose resource registration
// the linker would drop as unreferenced: this call pulls it in and registers
// the pictures once. platform/drawing/EmbeddedArtwork calls it before every
// look-up, so nobody else needs to.

namespace mirto {

void InitArtworkResources();

}  // namespace mirto
