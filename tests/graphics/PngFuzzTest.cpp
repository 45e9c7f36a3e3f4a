#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tests/support/PngMutator.h"
#include "tests/support/PngSamples.h"
#include "tests/support/PngWorkout.h"

namespace mirto {
namespace {

using testing::RawPng;

// Small images of every colour type, some bit depths, interlaced or not,
// with palettes, transparency and ancillary chunks for the mutations to
// work on.
std::vector<std::vector<std::uint8_t>> Seeds() {
  std::vector<std::vector<std::uint8_t>> seeds;
  const struct {
    int type, depth;
    bool interlaced;
  } formats[] = {{0, 1, false}, {0, 16, true}, {2, 8, false}, {2, 16, true}, {3, 1, false},
                 {3, 4, false}, {3, 8, true},  {4, 8, false}, {4, 16, true}, {6, 8, true}};
  for (const auto& f : formats) {
    RawPng raw;
    raw.width = 9;
    raw.height = 6;
    raw.colorType = f.type;
    raw.bitDepth = f.depth;
    raw.interlaced = f.interlaced;
    const int channels = testing::ChannelCount(f.type);
    const int range = f.type == 3 ? (f.depth == 1 ? 2 : 5) : (1 << f.depth);
    for (int i = 0; i < raw.width * raw.height * channels; ++i)
      raw.samples.push_back(std::uint16_t((i * 37) % range));
    if (f.type == 3) {
      raw.palette = {{255, 0, 255}, {0, 0, 0}, {10, 200, 30}, {90, 90, 90}, {255, 0, 255}};
      raw.palette.resize(std::size_t(range));
      raw.paletteAlpha = {0, 255, 128};
      raw.paletteAlpha.resize(std::min<std::size_t>(3, std::size_t(range)));
    }
    if (f.type == 2 && f.depth == 8) raw.transparent = std::array<std::uint16_t, 3>{0, 37, 74};
    if (f.type == 0 && f.depth == 1) raw.transparent = std::array<std::uint16_t, 3>{1, 0, 0};
    raw.extraChunks = {{"gAMA", {0, 0, 0xB1, 0x8F}},
                       {"tEXt", {'T', 'i', 't', 'l', 'e', 0, 'x'}},
                       {"pHYs", {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1}}};
    seeds.push_back(testing::EncodeRawPng(raw));
  }
  return seeds;
}

// 20,000 damaged files, each through load, every effect, drawing and
// saving. The sanitizer build runs it too: it is where a fault in the
// decoder glue or the effects would show.
TEST(PngRobustness, MutatedFilesAreRefusedCleanlyOrSurviveEveryEffectDrawingAndSaving) {
  const auto seeds = Seeds();
  testing::TMutationRng rng{20261209};
  int decoded = 0, refused = 0;
  for (int round = 0; round < 20000; ++round) {
    const auto data = testing::MutatePng(seeds[round % seeds.size()], seeds, rng);
    const bool ok = testing::PngWorkout(
        data, [round](const char* what) { ADD_FAILURE() << what << " (round " << round << ")"; });
    ++(ok ? decoded : refused);
    if (HasFailure()) break;
  }
  // The mix must exercise both outcomes, or the mutations are not reaching
  // the decoder.
  EXPECT_GT(decoded, 2000);
  EXPECT_GT(refused, 2000);
}

}  // namespace
}  // namespace mirto
