#pragma once
// The program's own random generator: a lagged rotate-and-add generator on 17 pairs of
// 32-bit words.  Every random decision of the game goes through RandomUpTo.
#include <cstdint>

namespace rt {

struct RandomStep {
  std::uint32_t y;  // low word
  std::uint32_t z;  // high word
};

void SeedRandom(std::uint32_t seed);
// The seed the generator was last given: a recording names it, to play the game again.
std::uint32_t RandomSeed();
RandomStep NextRandom();
// A uniform integer from 0 to max inclusive; -2147483648 for a negative max.  Always
// takes exactly one step of the generator.
std::int32_t RandomUpTo(std::int32_t max);

}  // namespace rt
