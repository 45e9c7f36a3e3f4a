#pragma once

// Deterministic damage to PNG files for robustness tests and the fuzz
// target: each mutation is aimed at one layer of the format (the chunk
// layout, the header's fields, the compressed stream, the samples), and the
// chunks' CRCs are repaired afterwards so that the damage reaches the
// decoder's later stages instead of stopping at the CRC check.

#include <cstdint>
#include <vector>

namespace mirto::testing {

// A small seeded generator, so that a failing case can be replayed.
class TMutationRng {
 public:
  explicit TMutationRng(std::uint64_t seed) : state_(seed) {}
  std::uint32_t Next();
  // 0..n-1; 0 for n 0.
  std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : Next() % n; }

 private:
  std::uint64_t state_;
};

// Gives every complete chunk after the signature its correct CRC; stops at
// the first chunk that runs past the end of the file.
void RepairChunkCrcs(std::vector<std::uint8_t>& file);

// One to three mutations of seed; `donors` lend chunks for splicing (may be
// empty).
std::vector<std::uint8_t> MutatePng(const std::vector<std::uint8_t>& seed,
                                    const std::vector<std::vector<std::uint8_t>>& donors,
                                    TMutationRng& rng);

}  // namespace mirto::testing
