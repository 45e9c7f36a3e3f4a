#include "tests/support/PngMutator.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace mirto::testing {

namespace {

constexpr std::size_t kSignatureSize = 8;

struct ChunkSpan {
  std::size_t offset;  // of the length field
  std::uint32_t length;
  std::size_t End() const { return offset + 12 + length; }
};

std::uint32_t ReadU32(const std::vector<std::uint8_t>& data, std::size_t at) {
  return (std::uint32_t{data[at]} << 24) | (std::uint32_t{data[at + 1]} << 16) |
         (std::uint32_t{data[at + 2]} << 8) | data[at + 3];
}

void WriteU32(std::vector<std::uint8_t>& data, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) data[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// The complete chunks of the file, in order.
std::vector<ChunkSpan> Chunks(const std::vector<std::uint8_t>& data) {
  std::vector<ChunkSpan> chunks;
  std::size_t pos = kSignatureSize;
  while (pos + 12 <= data.size()) {
    const std::uint32_t length = ReadU32(data, pos);
    if (length > data.size() - pos - 12) break;
    chunks.push_back({pos, length});
    pos += 12 + std::size_t{length};
  }
  return chunks;
}

const ChunkSpan* FindChunk(const std::vector<ChunkSpan>& chunks,
                           const std::vector<std::uint8_t>& data, const char* name) {
  for (const ChunkSpan& c : chunks)
    if (std::memcmp(&data[c.offset + 4], name, 4) == 0) return &c;
  return nullptr;
}

constexpr std::array<std::uint8_t, 6> kInterestingBytes = {0, 1, 0x7F, 0x80, 0xFE, 0xFF};
constexpr std::array<std::uint32_t, 9> kInterestingSizes = {
    0, 1, 2, 255, 8192, 8193, 65535, 0x7FFFFFFF, 0xFFFFFFFF};

void FlipBits(std::vector<std::uint8_t>& data, std::size_t from, std::size_t size,
              TMutationRng& rng) {
  if (size == 0) return;
  const int flips = 1 + static_cast<int>(rng.Below(4));
  for (int i = 0; i < flips; ++i)
    data[from + rng.Below(static_cast<std::uint32_t>(size))] ^=
        static_cast<std::uint8_t>(1u << rng.Below(8));
}

// One mutation; returns false when the CRCs must stay as they are (the
// mutation is aimed at them).
bool MutateOnce(std::vector<std::uint8_t>& data,
                const std::vector<std::vector<std::uint8_t>>& donors, TMutationRng& rng) {
  const std::vector<ChunkSpan> chunks = Chunks(data);
  const ChunkSpan* chunk =
      chunks.empty() ? nullptr : &chunks[rng.Below(static_cast<std::uint32_t>(chunks.size()))];
  switch (rng.Below(10)) {
    case 0:  // cut short
      data.resize(rng.Below(static_cast<std::uint32_t>(data.size())));
      return true;
    case 1:  // bits flipped anywhere, CRCs left wrong
      FlipBits(data, 0, data.size(), rng);
      return false;
    case 2:  // bits flipped inside one chunk's data
      if (chunk) FlipBits(data, chunk->offset + 8, chunk->length, rng);
      return true;
    case 3:  // a byte of one chunk's data set to a boundary value
      if (chunk && chunk->length > 0)
        data[chunk->offset + 8 + rng.Below(chunk->length)] =
            kInterestingBytes[rng.Below(kInterestingBytes.size())];
      return true;
    case 4: {  // a header field set to a boundary value
      const ChunkSpan* header = FindChunk(chunks, data, "IHDR");
      if (!header || header->length < 13) return true;
      const std::size_t at = header->offset + 8;
      switch (rng.Below(3)) {
        case 0:
          WriteU32(data, at + 4 * rng.Below(2),
                   kInterestingSizes[rng.Below(kInterestingSizes.size())]);
          break;
        case 1:  // bit depth or colour type
          data[at + 8 + rng.Below(2)] =
              static_cast<std::uint8_t>(std::array<int, 8>{0, 1, 2, 3, 4, 6, 8, 16}[rng.Below(8)]);
          break;
        default:  // compression, filter or interlace method
          data[at + 10 + rng.Below(3)] = static_cast<std::uint8_t>(rng.Below(3));
          break;
      }
      return true;
    }
    case 5:  // a chunk's length changed, so the layout after it shifts
      if (chunk) {
        const std::uint32_t length = rng.Below(2) == 0
                                         ? kInterestingSizes[rng.Below(kInterestingSizes.size())]
                                         : chunk->length + rng.Below(9) - 4;
        WriteU32(data, chunk->offset, length);
      }
      return true;
    case 6:  // a chunk removed or doubled
      if (chunk) {
        const auto first = data.begin() + static_cast<std::ptrdiff_t>(chunk->offset);
        const auto last = data.begin() + static_cast<std::ptrdiff_t>(chunk->End());
        if (rng.Below(2) == 0) {
          data.erase(first, last);
        } else {
          const std::vector<std::uint8_t> copy(first, last);
          data.insert(last, copy.begin(), copy.end());
        }
      }
      return true;
    case 7:  // two neighbouring chunks swapped
      if (chunks.size() >= 2) {
        const std::size_t i = rng.Below(static_cast<std::uint32_t>(chunks.size() - 1));
        std::rotate(data.begin() + static_cast<std::ptrdiff_t>(chunks[i].offset),
                    data.begin() + static_cast<std::ptrdiff_t>(chunks[i + 1].offset),
                    data.begin() + static_cast<std::ptrdiff_t>(chunks[i + 1].End()));
      }
      return true;
    case 8:  // a chunk of another file spliced in
      if (!donors.empty() && chunk) {
        const std::vector<std::uint8_t>& donor =
            donors[rng.Below(static_cast<std::uint32_t>(donors.size()))];
        const std::vector<ChunkSpan> lent = Chunks(donor);
        if (lent.empty()) return true;
        const ChunkSpan& piece = lent[rng.Below(static_cast<std::uint32_t>(lent.size()))];
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(chunk->offset),
                    donor.begin() + static_cast<std::ptrdiff_t>(piece.offset),
                    donor.begin() + static_cast<std::ptrdiff_t>(piece.End()));
      }
      return true;
    default: {  // the image data grows by a compressed run: more rows than the image needs
      const ChunkSpan* image = FindChunk(chunks, data, "IDAT");
      if (!image) return true;
      std::vector<std::uint8_t> plain(1 + rng.Below(60000), static_cast<std::uint8_t>(rng.Next()));
      uLongf size = compressBound(static_cast<uLong>(plain.size()));
      std::vector<std::uint8_t> packed(size);
      if (compress(packed.data(), &size, plain.data(), static_cast<uLong>(plain.size())) != Z_OK)
        return true;
      packed.resize(size);
      const std::size_t at = image->offset + 8 + rng.Below(image->length + 1);
      data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), packed.begin(), packed.end());
      WriteU32(data, image->offset, image->length + static_cast<std::uint32_t>(packed.size()));
      return true;
    }
  }
}

}  // namespace

std::uint32_t TMutationRng::Next() {
  state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<std::uint32_t>(state_ >> 33);
}

void RepairChunkCrcs(std::vector<std::uint8_t>& file) {
  for (const ChunkSpan& c : Chunks(file)) {
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), &file[c.offset + 4], 4 + c.length);
    WriteU32(file, c.offset + 8 + c.length, static_cast<std::uint32_t>(crc));
  }
}

std::vector<std::uint8_t> MutatePng(const std::vector<std::uint8_t>& seed,
                                    const std::vector<std::vector<std::uint8_t>>& donors,
                                    TMutationRng& rng) {
  std::vector<std::uint8_t> data = seed;
  bool repair = true;
  const int mutations = 1 + static_cast<int>(rng.Below(3));
  for (int i = 0; i < mutations && !data.empty(); ++i)
    repair = MutateOnce(data, donors, rng) && repair;
  if (repair) RepairChunkCrcs(data);
  return data;
}

}  // namespace mirto::testing
