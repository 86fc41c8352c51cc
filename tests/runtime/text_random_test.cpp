// Decimal texts, sub-texts, parsing and the random generator, against known values.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/random.h"
#include "runtime/text.h"

namespace {

std::vector<int> TenDraws(std::uint32_t seed) {
  rt::SeedRandom(seed);
  std::vector<int> out;
  for (int i = 0; i < 10; ++i) out.push_back(rt::RandomUpTo(6));
  return out;
}

TEST(Random, KnownSequencesForSeedsZeroAndOne) {
  EXPECT_EQ(TenDraws(0), (std::vector<int>{3, 5, 4, 2, 1, 4, 4, 2, 1, 3}));
  EXPECT_EQ(TenDraws(1), (std::vector<int>{5, 1, 4, 6, 0, 0, 3, 2, 2, 5}));
}

TEST(Random, RawStepsAfterSeedOne) {
  rt::SeedRandom(1);
  rt::RandomStep a = rt::NextRandom();
  EXPECT_EQ(a.y, 822390891u);
  EXPECT_EQ(a.z, 3099668639u);
  rt::RandomStep b = rt::NextRandom();
  EXPECT_EQ(b.y, 2704065994u);
  EXPECT_EQ(b.z, 777618810u);
}

TEST(Random, DegenerateRangesStillAdvanceTheGenerator) {
  rt::SeedRandom(1);
  EXPECT_EQ(rt::RandomUpTo(0), 0);
  EXPECT_EQ(rt::RandomUpTo(-1), -2147483647 - 1);
  // Two steps were taken: the third draw is the third of the seed-1 sequence.
  EXPECT_EQ(rt::RandomUpTo(6), 4);
}

TEST(Random, FullRangeStaysInBounds) {
  rt::SeedRandom(7);
  for (int i = 0; i < 10000; ++i) {
    const int v = rt::RandomUpTo(2147483647);
    EXPECT_GE(v, 0);
  }
  for (int i = 0; i < 10000; ++i) {
    const int v = rt::RandomUpTo(18);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 18);
  }
}

TEST(Text, FormatNumber) {
  EXPECT_EQ(rt::FormatNumber(0), "0");
  EXPECT_EQ(rt::FormatNumber(-7), "-7");
  EXPECT_EQ(rt::FormatNumber(311), "311");
  EXPECT_EQ(rt::FormatNumber(-2147483647 - 1), "-2147483648");
}

TEST(Text, SubTextEdges) {
  EXPECT_EQ(rt::SubText("323", 2, 1), "2");
  EXPECT_EQ(rt::SubText("323", 3, 1), "3");
  EXPECT_EQ(rt::SubText("abc", 0, 2), "ab");
  EXPECT_EQ(rt::SubText("abc", -5, 1), "a");
  EXPECT_EQ(rt::SubText("abc", 4, 1), "");
  EXPECT_EQ(rt::SubText("abc", 2, 0), "");
  EXPECT_EQ(rt::SubText("abc", 2, -3), "");
  EXPECT_EQ(rt::SubText("abc", 2, 10), "bc");
  EXPECT_EQ(rt::SubText("", 1, 1), "");
}

TEST(Text, ParseNumber) {
  EXPECT_EQ(rt::ParseNumber("3"), 3);
  EXPECT_EQ(rt::ParseNumber("-12"), -12);
  EXPECT_EQ(rt::ParseNumber(""), 0);
  EXPECT_EQ(rt::ParseNumber("-"), 0);
  EXPECT_EQ(rt::ParseNumber("2147483647"), 2147483647);
  // Any byte counts as a digit of (byte - 48) mod 256; the sum wraps.
  EXPECT_EQ(rt::ParseNumber("A"), 17);
  EXPECT_EQ(rt::ParseNumber(" "), 240);
  EXPECT_EQ(rt::ParseNumber("4294967296"), 0);
}

TEST(Text, TextEquals) {
  EXPECT_EQ(rt::TextEquals("", ""), 1);
  EXPECT_EQ(rt::TextEquals("a", "A"), 0);
  EXPECT_EQ(rt::TextEquals("3", "3"), 1);
  EXPECT_EQ(rt::TextEquals("3", "30"), 0);
  EXPECT_EQ(rt::FormatNumber(10).insert(0, "Level "), "Level 10");
}

}  // namespace
