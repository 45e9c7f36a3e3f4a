#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/PngFunctions.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "tests/support/PngSamples.h"

namespace mirto {
namespace {

using testing::RawPng;

// Small deterministic generator, so that a failing case can be replayed.
struct Lcg {
  std::uint64_t state;
  std::uint32_t Next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state >> 33);
  }
  std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : Next() % n; }
};

std::vector<std::vector<std::uint8_t>> Seeds() {
  std::vector<std::vector<std::uint8_t>> seeds;
  const struct {
    int type, depth;
    bool interlaced;
  } formats[] = {{0, 1, false}, {0, 16, true}, {2, 8, false}, {2, 16, true},
                 {3, 4, false}, {3, 8, true},  {4, 8, false}, {6, 8, true}};
  for (const auto& f : formats) {
    RawPng raw;
    raw.width = 9;
    raw.height = 6;
    raw.colorType = f.type;
    raw.bitDepth = f.depth;
    raw.interlaced = f.interlaced;
    const int channels = testing::ChannelCount(f.type);
    const int range = f.type == 3 ? 5 : (1 << f.depth);
    for (int i = 0; i < raw.width * raw.height * channels; ++i) {
      raw.samples.push_back(std::uint16_t((i * 37) % range));
    }
    if (f.type == 3) {
      raw.palette = {{255, 0, 255}, {0, 0, 0}, {10, 200, 30}, {90, 90, 90}, {1, 2, 3}};
      raw.paletteAlpha = {0, 255, 128};
    }
    if (f.type == 2 && f.depth == 8) raw.transparent = std::array<std::uint16_t, 3>{0, 37, 74};
    raw.extraChunks = {{"gAMA", {0, 0, 0xB1, 0x8F}}};
    seeds.push_back(testing::EncodeRawPng(raw));
  }
  return seeds;
}

// Flips bits of one chunk and, in half the cases, repairs its CRC so that the
// damage reaches the decompressor and the filters instead of the CRC check.
std::vector<std::uint8_t> Mutate(const std::vector<std::uint8_t>& seed, Lcg& rng) {
  std::vector<std::uint8_t> data = seed;
  switch (rng.Below(3)) {
    case 0: {  // truncation
      data.resize(rng.Below(std::uint32_t(data.size())));
      break;
    }
    case 1: {  // bit flips anywhere
      const int flips = 1 + int(rng.Below(4));
      for (int i = 0; i < flips; ++i)
        data[rng.Below(std::uint32_t(data.size()))] ^= 1u << rng.Below(8);
      break;
    }
    default: {  // bit flips inside one chunk with a repaired CRC
      const char* names[] = {"IHDR", "PLTE", "tRNS", "IDAT", "gAMA"};
      const long chunk = testing::FindChunk(data, names[rng.Below(5)]);
      if (chunk < 0) break;
      const std::uint32_t length = (std::uint32_t{data[chunk]} << 24) |
                                   (std::uint32_t{data[chunk + 1]} << 16) |
                                   (std::uint32_t{data[chunk + 2]} << 8) | data[chunk + 3];
      if (length == 0) break;
      const int flips = 1 + int(rng.Below(3));
      for (int i = 0; i < flips; ++i) data[chunk + 8 + rng.Below(length)] ^= 1u << rng.Below(8);
      testing::FixChunkCrc(data, chunk);
      break;
    }
  }
  return data;
}

TEST(PngRobustness, MutatedFilesAreRefusedOrSurviveEveryEffect) {
  const auto seeds = Seeds();
  Lcg rng{20261209};
  int decoded = 0, refused = 0;
  TBitmap canvas;
  canvas.SetSize(12, 8);
  for (int round = 0; round < 400; ++round) {
    const auto data = Mutate(seeds[round % seeds.size()], rng);
    TPngImage png;
    try {
      png.LoadFromBytes(data);
    } catch (const EPngError& e) {
      ++refused;
      ASSERT_TRUE(png.Empty()) << "round " << round;
      ASSERT_STRNE(e.what(), "") << "round " << round;
      continue;
    }
    ++decoded;
    for (int effect = 0; effect < 3; ++effect) {
      TPngImage copy;
      copy.Assign(&png);
      if (effect == 0) PngApplyGamma(&copy, 1.7f);
      if (effect == 1) PngApplyBlend(&copy, 127);
      if (effect == 2) PngApplyGrayscale(&copy, 255);
      ASSERT_EQ(copy.Width(), png.Width()) << "round " << round;
      TPngImage again;
      again.LoadFromBytes(copy.SaveToBytes());
      ASSERT_EQ(again.Height(), png.Height()) << "round " << round;
      canvas.Canvas().Draw(0, 0, copy);
    }
  }
  // The mix must exercise both outcomes, or the mutations are not reaching
  // the decoder.
  EXPECT_GT(decoded, 40);
  EXPECT_GT(refused, 40);
}

}  // namespace
}  // namespace mirto
