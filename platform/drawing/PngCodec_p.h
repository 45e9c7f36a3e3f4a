#pragma once

// Platform-internal: the image codec's glue. Decoding reads PNG data once,
// through libpng, and turns it into 8-bit rows and the ancillary chunks the
// image keeps; the reader's own guards (header size, chunk order, unknown
// critical chunks, image data past the last row) watch the chunks as libpng
// reads them. Encoding writes 8-bit rows back. Both raise EPngError with a
// plain message.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/drawing/PngImage.h"

namespace mirto {

struct TPngPixels {
  TPngHeader Header;
  std::vector<std::uint8_t> Pixels;  // as TPngImage keeps them
  std::vector<std::uint8_t> Alpha;   // colour types 4 and 6 only
  std::vector<TPngPaletteEntry> Palette;
  TColor TransparentColor = clNone;  // types 0 and 2 only
  std::vector<TPngChunk> Chunks;     // ancillary chunks, in file order
};

// Whether c may appear in a chunk name.
bool IsPngChunkLetter(std::uint8_t c);

// Chunks whose content the image models itself (or that the decoder needs).
bool IsModelledPngChunk(std::string_view name);

// The width and height the data's header declares, read without decoding;
// nothing when the data does not start like a PNG file.
std::optional<std::pair<std::uint32_t, std::uint32_t>> DeclaredPngSize(
    std::span<const std::uint8_t> data);

TPngPixels DecodePng(std::span<const std::uint8_t> data);

// rows: Header.Height rows of Header.Width * channels bytes, alpha
// interleaved after the colour bytes; chunks are written where they belong.
std::vector<std::uint8_t> EncodePng(const TPngHeader& header, const std::uint8_t* rows,
                                    int channels, const std::vector<TPngPaletteEntry>& palette,
                                    TColor transparentColor, const std::vector<TPngChunk>& chunks);

}  // namespace mirto
