#include "runtime/random.h"

#include <array>
#include <bit>
#include <limits>

namespace rt {
namespace {

struct RandomState {
  std::array<std::uint32_t, 17> low{};
  std::array<std::uint32_t, 17> high{};
  int p1 = 0;
  int p2 = 10;
  std::uint32_t seed = 0;
};
RandomState g_random;

}  // namespace

void SeedRandom(std::uint32_t seed) {
  g_random.seed = seed;
  std::uint32_t x = seed;
  for (int i = 0; i < 34; ++i) {
    x = x * 2891336453u + 1u;
    if (i % 2 == 0) {
      g_random.low[i / 2] = x;
    } else {
      g_random.high[i / 2] = x;
    }
  }
  g_random.p1 = 0;
  g_random.p2 = 10;
  for (int i = 0; i < 31; ++i) NextRandom();
}

std::uint32_t RandomSeed() { return g_random.seed; }

RandomStep NextRandom() {
  RandomState& s = g_random;
  const std::uint32_t z = std::rotl(s.low[s.p1], 19) + s.low[s.p2];
  const std::uint32_t y = std::rotl(s.high[s.p1], 27) + s.high[s.p2];
  s.low[s.p1] = y;
  s.high[s.p1] = z;
  s.p1 = s.p1 == 0 ? 16 : s.p1 - 1;
  s.p2 = s.p2 == 0 ? 16 : s.p2 - 1;
  return {y, z};
}

std::int32_t RandomUpTo(std::int32_t max) {
  const RandomStep step = NextRandom();
  if (max < 0) return std::numeric_limits<std::int32_t>::min();
  // floor((z * 2^32 + y) * R / 2^64) without division: the high word of z * R + A,
  // where A is the high word of y * R.
  const std::uint64_t range = static_cast<std::uint64_t>(max) + 1;
  const std::uint64_t a = (std::uint64_t{step.y} * range) >> 32;
  const std::uint64_t result = (std::uint64_t{step.z} * range + a) >> 32;
  return static_cast<std::int32_t>(result);
}

}  // namespace rt
