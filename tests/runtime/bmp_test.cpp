// Sprites from BMP files in memory: 16-, 24- and 32-bit sources decode to the right
// pixels, and every malformed or lying file is refused with the number left empty.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "runtime/bmp_writer.h"
#include "runtime/screen.h"
#include "tests/runtime/screen_fixture.h"

namespace {

using testing_screen::MakeBmp;
using testing_screen::ScreenTest;

std::vector<std::uint32_t> Pattern(int w, int h) {
  std::vector<std::uint32_t> p(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      p[static_cast<std::size_t>(y) * w + x] =
          rt::PixelRGB(x * 40 + 8, y * 56 + 16, (x * 13 + y * 29) * 8);
    }
  }
  return p;
}

void Put32(std::vector<std::uint8_t>& bmp, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A copy of `bmp` with a 32-bit field or a byte changed.
std::vector<std::uint8_t> With32(const std::vector<std::uint8_t>& bmp, std::size_t at,
                                 std::uint32_t v) {
  std::vector<std::uint8_t> out(bmp);
  Put32(out, at, v);
  return out;
}
std::vector<std::uint8_t> With8(const std::vector<std::uint8_t>& bmp, std::size_t at, int v) {
  std::vector<std::uint8_t> out(bmp);
  out[at] = static_cast<std::uint8_t>(v);
  return out;
}

class BmpTest : public ScreenTest {
 protected:
  // Loads from an exact-size heap copy, so a read past the end is caught.
  rt::Surface* Load(int number, const std::vector<std::uint8_t>& bytes) {
    auto copy = std::make_unique<std::uint8_t[]>(bytes.size() + (bytes.empty() ? 1 : 0));
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    return rt::SpriteFromBitmap(number, copy.get(), bytes.size(), 0);
  }
  // The file must be refused and the number, which held a sprite, left empty.
  void ExpectRefused(const std::vector<std::uint8_t>& bytes) {
    ASSERT_NE(rt::NewBlankSprite(42, 2, 2, 0), nullptr);
    EXPECT_EQ(Load(42, bytes), nullptr);
    EXPECT_EQ(rt::FindSprite(42), nullptr);
  }
};

TEST_F(BmpTest, DecodesTwentyFourBitRowsOfEveryPadding) {
  for (int w = 1; w <= 6; ++w) {
    for (int h : {1, 3}) {
      SCOPED_TRACE(testing::Message() << w << "x" << h);
      const auto pixels = Pattern(w, h);
      rt::Surface* s = Load(3, MakeBmp(w, h, 24, pixels));
      ASSERT_NE(s, nullptr);
      EXPECT_EQ(s->width, w);
      EXPECT_EQ(s->height, h);
      EXPECT_EQ(s->pixels, pixels);
      EXPECT_EQ(s->key, 0u);
    }
  }
  // The project's own writer and this loader agree.
  rt::Surface* s = Load(4, rt::EncodeBmp24(*rt::FindSprite(3)));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->pixels, rt::FindSprite(3)->pixels);
}

TEST_F(BmpTest, DecodesSixteenAndThirtyTwoBitSources) {
  // 5-5-5: each component shifted left by three; the top bit means nothing.
  std::vector<std::uint8_t> bmp = MakeBmp(3, 1, 16, {0, 0, 0});
  const std::uint16_t values[] = {0x7FFF, 0x7C00 | 0x8000, 0x0021};
  for (int i = 0; i < 3; ++i) {
    bmp[54 + 2 * i] = static_cast<std::uint8_t>(values[i]);
    bmp[55 + 2 * i] = static_cast<std::uint8_t>(values[i] >> 8);
  }
  rt::Surface* s = Load(5, bmp);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->At(0, 0), rt::PixelRGB(248, 248, 248));
  EXPECT_EQ(s->At(1, 0), rt::PixelRGB(248, 0, 0));
  EXPECT_EQ(s->At(2, 0), rt::PixelRGB(0, 8, 8));

  // 32-bit: blue, green, red and a byte that carries no colour.
  const auto pixels = Pattern(5, 4);
  s = Load(6, MakeBmp(5, 4, 32, pixels, 0xAB));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->pixels, pixels);
  // 16-bit rows of odd width are padded too.
  const auto wide = Pattern(3, 2);
  s = Load(7, MakeBmp(3, 2, 16, wide));
  ASSERT_NE(s, nullptr);
  for (std::size_t i = 0; i < wide.size(); ++i) EXPECT_EQ(s->pixels[i], wide[i] & 0x00F8F8F8u);
}

TEST_F(BmpTest, RefusesWrongMagicCompressionAndDepth) {
  const auto good = MakeBmp(4, 4, 24, Pattern(4, 4));
  ExpectRefused(With8(good, 1, 'A'));
  for (std::uint32_t compression : {1u, 2u, 3u, 0x80000000u}) ExpectRefused(With32(good, 30, compression));
  for (int bits : {1, 4, 8, 15, 23, 48, 0}) ExpectRefused(With8(good, 28, bits));
  ExpectRefused({});
  ExpectRefused({'B', 'M'});
  // An 8-bit memory block is not a sprite this screen can hold.
  ASSERT_NE(rt::NewBlankSprite(42, 2, 2, 0), nullptr);
  EXPECT_EQ(rt::SpriteFromBitmap(42, good.data(), good.size(), 2), nullptr);
  EXPECT_EQ(rt::FindSprite(42), nullptr);
}

TEST_F(BmpTest, RefusesZeroNegativeAndAbsurdSizes) {
  const auto good = MakeBmp(4, 4, 24, Pattern(4, 4));
  const std::uint32_t bad[][2] = {{0, 4},          {4, 0},          {0xFFFFFFFFu, 4},
                                  {4, 0xFFFFFFFCu}, {16385, 1},      {1, 16385},
                                  {0x7FFFFFFF, 4},  {4, 0x80000000u}, {16384, 16384}};
  for (const auto& size : bad) {
    SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
    ExpectRefused(With32(With32(good, 18, size[0]), 22, size[1]));
  }
  // Too wide even with every byte present; one pixel less is fine.
  ExpectRefused(MakeBmp(16385, 1, 24, std::vector<std::uint32_t>(16385, 7)));
  rt::Surface* s = Load(12, MakeBmp(16384, 1, 24, std::vector<std::uint32_t>(16384, 7)));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->At(16383, 0), 7u);
}

TEST_F(BmpTest, RefusesTruncatedFilesAndLyingOffsets) {
  // 3 pixels of 24 bits: 9 bytes a row, 12 with padding; the last row's padding may
  // be missing, nothing else may.
  const auto good = MakeBmp(3, 5, 24, Pattern(3, 5));
  const std::size_t needed = 54 + 12 * 4 + 9;
  ASSERT_EQ(good.size(), needed + 3);
  for (std::size_t n = 0; n < needed; ++n) {
    ASSERT_EQ(Load(8, std::vector<std::uint8_t>(good.begin(), good.begin() + n)), nullptr) << n;
  }
  EXPECT_NE(Load(8, std::vector<std::uint8_t>(good.begin(), good.begin() + needed)), nullptr);

  for (std::uint32_t offset : {0u, 13u, 53u, 58u, 1000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(offset);
    ExpectRefused(With32(good, 10, offset));
  }
  // A header size that is too small for the fields read, or reaches past the file.
  for (std::uint32_t infoSize : {0u, 12u, 39u, 200u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(infoSize);
    ExpectRefused(With32(good, 14, infoSize));
  }
  // A height that claims one row more than the file holds.
  ExpectRefused(With32(good, 22, 6));
  // A pixel offset further in, with the data still fitting, is read from there.
  std::vector<std::uint8_t> bmp(good.begin(), good.begin() + 54);
  bmp.resize(60, 0xEE);
  bmp.insert(bmp.end(), good.begin() + 54, good.end());
  Put32(bmp, 10, 60);
  rt::Surface* s = Load(9, bmp);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->pixels, Pattern(3, 5));
}

TEST_F(BmpTest, LoadedSpritesGetTheDefaultKeyAndDraw) {
  rt::SetSpriteKeyColour(-1, 255, 255, 255);
  const std::vector<std::uint32_t> pixels = {0x00FFFFFF, 0x00000000, 0x00123456, 0x00FFFFFF};
  ASSERT_NE(Load(11, MakeBmp(2, 2, 24, pixels)), nullptr);
  rt::ClearBuffer(1, 1, 1);
  rt::DrawSpriteKeyed(11, 0, 0);
  EXPECT_EQ(Back(0, 0), rt::PixelRGB(1, 1, 1));
  EXPECT_EQ(Back(1, 0), 0u);
  EXPECT_EQ(Back(0, 1), 0x00123456u);
  EXPECT_EQ(Back(1, 1), rt::PixelRGB(1, 1, 1));
}

}  // namespace
