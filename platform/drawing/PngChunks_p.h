#pragma once

// Platform-internal: the walk over a PNG file's chunks. It checks the file's
// structure (signature, lengths, CRCs, chunk order, header values) before
// the decoder sees it, so that every refusal carries a plain message, and
// collects the ancillary chunks the image keeps.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/drawing/PngImage.h"

namespace mirto {

// The ancillary chunks the image keeps, in file order with their places;
// raises EPngError for a file that is not sound.
std::vector<TPngChunk> WalkPngChunks(std::span<const std::uint8_t> data);

// Where the last IDAT chunk of a file the walk accepted ends.
std::size_t PngImageDataEnd(std::span<const std::uint8_t> data);

// Whether c may appear in a chunk name.
bool IsPngChunkLetter(std::uint8_t c);

// Chunks whose content the image models itself (or that the decoder needs).
bool IsModelledPngChunk(std::string_view name);

}  // namespace mirto
