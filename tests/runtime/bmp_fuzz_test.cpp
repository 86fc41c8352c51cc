// Random mutations of sound BMP files fed to SpriteFromBitmap: whatever the bytes, the
// loader either refuses them or makes a sprite that agrees with its size, and never
// reads past the bytes given (run under the address sanitizer to catch that).
//
// The default run is short.  For a long run set QUELMO_BMP_FUZZ_INPUTS, e.g.
//   QUELMO_BMP_FUZZ_INPUTS=5000000 build/asan/tests/runtime_tests --gtest_filter='BmpFuzz*'
// and QUELMO_BMP_FUZZ_SEED to start from another seed.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "runtime/screen.h"
#include "tests/runtime/screen_fixture.h"

namespace {

using testing_screen::MakeBmp;
using testing_screen::ScreenTest;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != 0 ? std::strtoull(text, nullptr, 10) : fallback;
}

// Values that sit on the edges of what the header fields may hold.
constexpr std::uint32_t kInteresting[] = {0,          1,          2,          3,          4,
                                          12,         40,         53,         54,         55,
                                          0x7F,       0x80,       0xFF,       0x100,      0x3FFF,
                                          0x4000,     0x4001,     0x7FFF,     0x8000,     0xFFFF,
                                          0x10000,    0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
// The header fields the loader reads.
constexpr std::size_t kFields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34};

std::vector<std::uint8_t> Mutate(const std::vector<std::uint8_t>& seed, std::mt19937_64& rng) {
  std::vector<std::uint8_t> out(seed);
  const int edits = 1 + static_cast<int>(rng() % 4);
  for (int e = 0; e < edits; ++e) {
    switch (rng() % 6) {
      case 0:  // flip a bit, mostly in the header
        if (!out.empty()) {
          const std::size_t at = rng() % 2 ? rng() % std::min<std::size_t>(out.size(), 54) : rng() % out.size();
          out[at] = static_cast<std::uint8_t>(out[at] ^ (1u << (rng() % 8)));
        }
        break;
      case 1: {  // an edge value into a header field
        const std::size_t at = kFields[rng() % std::size(kFields)];
        const std::uint32_t v = kInteresting[rng() % std::size(kInteresting)];
        for (int i = 0; i < 4 && at + i < out.size(); ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        break;
      }
      case 2:  // cut the file short
        if (!out.empty()) out.resize(rng() % out.size());
        break;
      case 3:  // append bytes
        out.resize(out.size() + rng() % 64, static_cast<std::uint8_t>(rng()));
        break;
      case 4:  // a random byte anywhere
        if (!out.empty()) out[rng() % out.size()] = static_cast<std::uint8_t>(rng());
        break;
      default: {  // a field set to the file size, or just off it
        const std::size_t at = kFields[rng() % std::size(kFields)];
        const auto v = static_cast<std::uint32_t>(out.size() + (rng() % 3) - 1);
        for (int i = 0; i < 4 && at + i < out.size(); ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        break;
      }
    }
  }
  return out;
}

using BmpFuzz = ScreenTest;

TEST_F(BmpFuzz, MutatedFilesAreRefusedOrLoadSoundly) {
  const std::uint64_t inputs = EnvNumber("QUELMO_BMP_FUZZ_INPUTS", 30000);
  std::mt19937_64 rng(EnvNumber("QUELMO_BMP_FUZZ_SEED", 1));
  std::vector<std::vector<std::uint8_t>> seeds;
  for (int bits : {16, 24, 32}) {
    for (int w : {1, 3, 7, 32}) {
      std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * 5);
      for (auto& p : pixels) p = static_cast<std::uint32_t>(rng()) & 0x00FFFFFFu;
      seeds.push_back(MakeBmp(w, 5, bits, pixels));
    }
  }
  std::uint64_t accepted = 0;
  for (std::uint64_t i = 0; i < inputs; ++i) {
    const auto bytes = Mutate(seeds[rng() % seeds.size()], rng);
    // An exact-size block, so that any read past the end is caught.
    auto block = std::make_unique<std::uint8_t[]>(bytes.size() + 1);
    std::memcpy(block.get(), bytes.data(), bytes.size());
    rt::Surface* s = rt::SpriteFromBitmap(1, block.get(), bytes.size(), 0);
    if (s == nullptr) {
      ASSERT_EQ(rt::FindSprite(1), nullptr);
      continue;
    }
    ++accepted;
    ASSERT_GT(s->width, 0);
    ASSERT_GT(s->height, 0);
    ASSERT_EQ(s->pixels.size(), static_cast<std::size_t>(s->width) * s->height);
    // The stored pixels must fit in the bytes given.
    ASSERT_LE(static_cast<std::uint64_t>(s->width) * s->height * 2, bytes.size());
    for (std::uint32_t p : s->pixels) ASSERT_EQ(p & 0xFF000000u, 0u);
    rt::DrawSpriteKeyed(1, static_cast<int>(rng() % 700) - 30, static_cast<int>(rng() % 540) - 30);
  }
  // Most mutations leave a loadable file or break it; both kinds must have been seen.
  EXPECT_GT(accepted, 0u);
  EXPECT_LT(accepted, inputs);
  RecordProperty("inputs", std::to_string(inputs));
  RecordProperty("accepted", std::to_string(accepted));
}

}  // namespace
