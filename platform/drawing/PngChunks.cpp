#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "platform/drawing/PngChunks_p.h"

namespace mirto {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

bool ValidDepthForType(int colorType, int bitDepth) {
  switch (colorType) {
    case COLOR_GRAYSCALE:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case COLOR_PALETTE:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case COLOR_RGB:
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA:
      return bitDepth == 8 || bitDepth == 16;
    default:
      return false;
  }
}

}  // namespace

bool IsPngChunkLetter(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsModelledPngChunk(std::string_view name) {
  return name == "IHDR" || name == "PLTE" || name == "IDAT" || name == "IEND" || name == "tRNS";
}

std::vector<TPngChunk> WalkPngChunks(std::span<const std::uint8_t> data) {
  if (data.size() < kSignature.size() ||
      !std::equal(kSignature.begin(), kSignature.end(), data.begin())) {
    throw EPngError("Not a PNG image: the PNG signature is missing");
  }
  std::vector<TPngChunk> kept;
  std::size_t pos = kSignature.size();
  bool seenHeader = false, seenPalette = false, seenData = false, dataEnded = false;
  int colorType = -1;
  while (true) {
    if (data.size() - pos < 8) throw EPngError("Truncated PNG data: a chunk header is cut off");
    const std::uint32_t length = ReadBigEndian32(data.data() + pos);
    const std::uint8_t* type = data.data() + pos + 4;
    const std::string name(reinterpret_cast<const char*>(type), 4);
    if (!std::all_of(type, type + 4, IsPngChunkLetter)) {
      throw EPngError("Invalid PNG data: a chunk has an invalid type");
    }
    if (length > 0x7FFFFFFFu) throw EPngError("Invalid PNG data: chunk " + name + " is too long");
    if (data.size() - pos - 8 < std::size_t{length} + 4) {
      throw EPngError("Truncated PNG data in chunk " + name);
    }
    const std::uint8_t* body = type + 4;
    const std::uint32_t storedCrc = ReadBigEndian32(body + length);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, type, 4 + length);
    if (static_cast<std::uint32_t>(crc) != storedCrc) {
      throw EPngError("Corrupt PNG data: CRC error in chunk " + name);
    }
    pos += 12 + std::size_t{length};

    if (!seenHeader) {
      if (name != "IHDR" || length != 13) throw EPngError("Invalid PNG data: IHDR is not first");
      seenHeader = true;
      const std::uint32_t width = ReadBigEndian32(body);
      const std::uint32_t height = ReadBigEndian32(body + 4);
      const int bitDepth = body[8];
      colorType = body[9];
      if (width == 0 || height == 0) throw EPngError("Invalid PNG data: the image has no pixels");
      if (width > std::uint32_t{TPngImage::kMaxSide} ||
          height > std::uint32_t{TPngImage::kMaxSide} ||
          std::uint64_t{width} * height > std::uint64_t(TPngImage::kMaxPixels)) {
        throw EPngError("PNG image too large: " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels");
      }
      if (!ValidDepthForType(colorType, bitDepth)) {
        throw EPngError("Invalid PNG data: bit depth " + std::to_string(bitDepth) +
                        " with colour type " + std::to_string(colorType));
      }
      if (body[10] != 0 || body[11] != 0 || body[12] > 1) {
        throw EPngError("Invalid PNG data: unknown compression, filter or interlace method");
      }
      continue;
    }
    if (name == "IHDR") throw EPngError("Invalid PNG data: more than one IHDR");
    if (name == "IEND") break;
    if (name == "IDAT") {
      if (dataEnded) throw EPngError("Invalid PNG data: IDAT chunks are not consecutive");
      seenData = true;
      continue;
    }
    if (seenData) dataEnded = true;
    if (name == "PLTE") {
      if (seenData) throw EPngError("Invalid PNG data: PLTE after the image data");
      seenPalette = true;
      continue;
    }
    if (IsModelledPngChunk(name)) continue;
    if ((type[0] & 0x20) == 0)
      throw EPngError("Unsupported PNG data: unknown critical chunk " + name);
    const TPngChunkPlace place = seenData      ? pcpAfterData
                                 : seenPalette ? pcpBeforeData
                                               : pcpBeforePalette;
    kept.push_back({name, std::vector<std::uint8_t>(body, body + length), place});
  }
  if (!seenData) throw EPngError("Invalid PNG data: the image data (IDAT) is missing");
  if (colorType == COLOR_PALETTE && !seenPalette) {
    throw EPngError("Invalid PNG data: the palette (PLTE) is missing");
  }
  return kept;
}

std::size_t PngImageDataEnd(std::span<const std::uint8_t> data) {
  std::size_t end = 0;
  for (std::size_t pos = kSignature.size(); data.size() - pos >= 12;) {
    const std::size_t next = pos + 12 + ReadBigEndian32(data.data() + pos);
    if (std::memcmp(data.data() + pos + 4, "IDAT", 4) == 0) end = next;
    if (std::memcmp(data.data() + pos + 4, "IEND", 4) == 0 || next > data.size()) break;
    pos = next;
  }
  return end;
}

}  // namespace mirto
