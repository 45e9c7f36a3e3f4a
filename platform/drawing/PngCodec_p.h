#pragma once

// Platform-internal: the image codec's glue. Decoding turns sound PNG data
// (checked by the chunk walk first) into 8-bit rows; encoding writes 8-bit
// rows back. Both raise EPngError with a plain message.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/drawing/PngImage.h"

namespace mirto {

struct TPngPixels {
  TPngHeader Header;
  std::vector<std::uint8_t> Pixels;  // as TPngImage keeps them
  std::vector<std::uint8_t> Alpha;   // colour types 4 and 6 only
  std::vector<TPngPaletteEntry> Palette;
  TColor TransparentColor = clNone;  // types 0 and 2 only
};

TPngPixels DecodePng(std::span<const std::uint8_t> data);

// rows: Header.Height rows of Header.Width * channels bytes, alpha
// interleaved after the colour bytes; chunks are written where they belong.
std::vector<std::uint8_t> EncodePng(const TPngHeader& header, const std::uint8_t* rows,
                                    int channels, const std::vector<TPngPaletteEntry>& palette,
                                    TColor transparentColor, const std::vector<TPngChunk>& chunks);

}  // namespace mirto
