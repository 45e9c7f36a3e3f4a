#pragma once

// Test images written straight with libpng, independent of TPngImage's own
// encoder, so decoding can be checked against files of every colour type,
// bit depth and interlacing.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirto::testing {

struct RawPng {
  int width = 1;
  int height = 1;
  int colorType = 2;
  int bitDepth = 8;
  bool interlaced = false;
  // width * height * channels samples in the file's channel order (R, G, B, A;
  // grey, alpha; palette index), each within the bit depth.
  std::vector<std::uint16_t> samples;
  std::vector<std::array<std::uint8_t, 3>> palette;  // R, G, B
  std::vector<std::uint8_t> paletteAlpha;
  // Transparent colour at the file's bit depth: {grey} or {R, G, B}.
  std::optional<std::array<std::uint16_t, 3>> transparent;
  // Extra ancillary chunks written before the palette: {name, data}.
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> extraChunks;
};

int ChannelCount(int colorType);

// Encodes the image with libpng's writer; throws std::runtime_error on failure.
std::vector<std::uint8_t> EncodeRawPng(const RawPng& image);

// A complete chunk (length, type, data, CRC).
std::vector<std::uint8_t> MakeChunk(const std::string& name, const std::vector<std::uint8_t>& data);

// Offset of the first chunk called name in a PNG file, or -1.
long FindChunk(const std::vector<std::uint8_t>& file, const std::string& name);

// Recomputes the CRC of the chunk starting at offset.
void FixChunkCrc(std::vector<std::uint8_t>& file, long offset);

}  // namespace mirto::testing
