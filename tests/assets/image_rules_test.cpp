// The rules the committed images must keep for the board to work: sizes and file
// layout, pure black exactly where the water layer is meant to show through, pure
// white only in the special tiles' colour fields, and the catalogue's bevel colours.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <set>

#include "assets/images.h"
#include "bmp_file.h"

namespace assets_test {
namespace {

struct Entry {
  int number, width, height;
};
constexpr std::array<Entry, 35> kCatalogue = {{
    {0, 32, 32},    {1, 32, 32},    {2, 32, 32},    {3, 32, 32},    {4, 32, 32},
    {5, 32, 32},    {6, 32, 32},    {7, 32, 32},    {10, 32, 32},   {11, 32, 32},
    {12, 32, 32},   {13, 32, 32},   {14, 32, 32},   {15, 32, 32},   {16, 32, 32},
    {17, 32, 32},   {20, 32, 32},   {100, 16, 16},  {101, 16, 32},  {102, 16, 16},
    {104, 128, 16}, {105, 128, 16}, {107, 32, 16},  {108, 32, 16},  {110, 16, 16},
    {111, 16, 16},  {114, 128, 16}, {120, 32, 32},  {122, 64, 32},  {123, 64, 32},
    {130, 128, 32}, {301, 32, 32},  {302, 32, 32},  {303, 32, 32},  {308, 32, 32},
}};

int Count(const Bitmap& b, const std::function<bool(int, int)>& where, std::uint32_t colour) {
  int n = 0;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) n += where(x, y) && b.At(x, y) == colour;
  return n;
}
int CountAll(const Bitmap& b, std::uint32_t colour) {
  return Count(b, [](int, int) { return true; }, colour);
}

TEST(CatalogueImages, HaveTheirSizesAndAreEmbeddedByteForByte) {
  for (const Entry& e : kCatalogue) {
    const std::vector<std::uint8_t> file = ReadBytes(AssetPath(SpriteFile(e.number)));
    const Bitmap b = DecodeBmp(file, SpriteFile(e.number));
    EXPECT_EQ(b.width, e.width) << "sprite " << e.number;
    EXPECT_EQ(b.height, e.height) << "sprite " << e.number;
    const std::span<const std::uint8_t> embedded = assets::Image(e.number);
    EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), file.begin(), file.end()))
        << "sprite " << e.number << " embedded differs from " << SpriteFile(e.number);
  }
  for (int number : {-1, 8, 9, 18, 21, 103, 200, 300, 304, 311, 500})
    EXPECT_TRUE(assets::Image(number).empty()) << number;
}

TEST(CatalogueImages, ArtOutsideTheChannelsHasNoPureBlack) {
  // Grass, stone, the plain tile and every frame and panel piece hide the water layer
  // (or become part of the frame sprite, whose black is transparent).
  for (int number : {0, 10, 20, 100, 101, 102, 104, 105, 107, 108, 110, 111, 114, 120, 122, 123, 130}) {
    const Bitmap b = LoadSprite(number);
    EXPECT_EQ(CountAll(b, kBlack), 0) << "sprite " << number;
    EXPECT_EQ(CountAll(b, kWhite), 0) << "sprite " << number;
  }
}

TEST(CatalogueImages, GrassIsSeveralCalmGreens) {
  const Bitmap b = LoadSprite(0);
  std::set<std::uint32_t> colours(b.pixels.begin(), b.pixels.end());
  EXPECT_GE(colours.size(), 5u);
  for (std::uint32_t p : b.pixels) {
    const int r = p >> 16, g = (p >> 8) & 255, bl = p & 255;
    EXPECT_GT(g, r + 20);
    EXPECT_GT(g, bl + 20);
    EXPECT_GT(g, 60);
  }
}

// Black pixels along each edge of a piece, as a set of positions 0..31 along it.
std::set<int> BlackAlong(const Bitmap& b, char edge) {
  std::set<int> at;
  for (int i = 0; i < 32; ++i) {
    const int x = edge == 'L' ? 0 : edge == 'R' ? 31 : i;
    const int y = edge == 'T' ? 0 : edge == 'B' ? 31 : i;
    if (b.At(x, y) == kBlack) at.insert(i);
  }
  return at;
}

TEST(PipePieces, OpenExactlyOnTheirSidesAtPixels10To21) {
  std::set<int> opening;
  for (int i = 10; i <= 21; ++i) opening.insert(i);
  // Each piece with its openings at the top, right, bottom and left edge.
  const std::array<std::pair<int, std::string_view>, 10> pieces = {{{1, "T.B."},
                                                                    {2, ".R.L"},
                                                                    {3, "TR.."},
                                                                    {4, ".RB."},
                                                                    {5, "..BL"},
                                                                    {6, "T..L"},
                                                                    {7, "TRBL"},
                                                                    {301, ".R.."},
                                                                    {302, ".R.L"},
                                                                    {303, "...L"}}};
  for (const auto& [number, open] : pieces) {
    const Bitmap b = LoadSprite(number);
    for (int k = 0; k < 4; ++k) {
      const char edge = "TRBL"[k];
      EXPECT_EQ(BlackAlong(b, edge), open[k] == '.' ? std::set<int>{} : opening)
          << "sprite " << number << " edge " << edge;
    }
  }
}

TEST(PipePieces, StraightChannelsHaveOneDarkAndOneLightRim) {
  const Bitmap vertical = LoadSprite(1), horizontal = LoadSprite(2);
  for (int i = 0; i < 32; ++i) {
    for (int j = 10; j <= 21; ++j) {
      EXPECT_EQ(vertical.At(j, i), kBlack);
      EXPECT_EQ(horizontal.At(i, j), kBlack);
    }
    EXPECT_EQ(vertical.At(9, i), Rgb(63, 63, 63));
    EXPECT_EQ(vertical.At(22, i), Rgb(192, 192, 192));
    EXPECT_EQ(horizontal.At(i, 9), Rgb(63, 63, 63));
    EXPECT_EQ(horizontal.At(i, 22), Rgb(192, 192, 192));
  }
  EXPECT_EQ(CountAll(vertical, kBlack), 12 * 32);
  EXPECT_EQ(CountAll(horizontal, kBlack), 12 * 32);
}

TEST(PipePieces, BendsAreOneQuarterRingTurnedByQuarterTurns) {
  // Piece 3 (top and right) bends round the top-right corner.
  const Bitmap bend = LoadSprite(3);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double d = std::hypot(x + 0.5 - 32, y + 0.5);
      if (d > 11 && d < 21) {
        EXPECT_EQ(bend.At(x, y), kBlack) << x << "," << y;
      }
      if (d < 9 || d > 23) {
        EXPECT_NE(bend.At(x, y), kBlack) << x << "," << y;
      }
    }
  // Pieces 4, 5, 6: each the previous one's channel turned a quarter turn clockwise,
  // while the tile's bevel stays lit at the top left.
  for (int piece = 4; piece <= 6; ++piece) {
    const Bitmap before = LoadSprite(piece - 1), turned = LoadSprite(piece);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        EXPECT_EQ(turned.At(31 - y, x) == kBlack, before.At(x, y) == kBlack)
            << "piece " << piece << " at " << x << "," << y;
  }
  for (int piece = 3; piece <= 6; ++piece) {
    const Bitmap b = LoadSprite(piece);
    EXPECT_EQ(b.At(1, 0), Rgb(159, 159, 159)) << piece;
    EXPECT_EQ(b.At(0, 1), Rgb(159, 159, 159)) << piece;
    EXPECT_EQ(b.At(30, 31), Rgb(95, 95, 95)) << piece;
    EXPECT_EQ(b.At(31, 30), Rgb(95, 95, 95)) << piece;
  }
}

TEST(PipePieces, CrossingHasAFullHorizontalChannelAndNarrowingStubs) {
  const Bitmap b = LoadSprite(7);
  auto blackInRow = [&](int y) { return Count(b, [y](int, int yy) { return yy == y; }, kBlack); };
  for (int y = 10; y <= 21; ++y) EXPECT_EQ(blackInRow(y), 32) << y;
  for (int y : {6, 7, 8, 9, 22, 23, 24, 25}) EXPECT_EQ(blackInRow(y), 0) << y;
  for (int y = 1; y <= 5; ++y) {
    EXPECT_LE(blackInRow(y), blackInRow(y - 1)) << y;
    EXPECT_EQ(blackInRow(31 - y), blackInRow(y)) << y;
  }
  EXPECT_LT(blackInRow(5), blackInRow(0));
  EXPECT_GT(blackInRow(5), 0);
  EXPECT_EQ(Count(b, [](int x, int) { return x < 10 || x > 21; }, kBlack), 2 * 12 * 10);
}

TEST(Previews, AreWhiteSketchesOnBlackWithTheChannelLeftOpen) {
  for (int piece = 1; piece <= 7; ++piece) {
    const Bitmap preview = LoadSprite(piece + 10), pipe = LoadSprite(piece);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const std::uint32_t p = preview.At(x, y);
        ASSERT_TRUE(p == kBlack || p == kWhite) << "preview " << piece + 10 << " at " << x << "," << y;
        if (x == 0 || y == 0 || x == 31 || y == 31) {
          EXPECT_EQ(p, kWhite) << x << "," << y;
        }
      }
    // The channel stays see-through and is outlined; the walls are dotted, not filled.
    int outlined = 0, walls = 0, dotted = 0;
    for (int y = 1; y < 31; ++y)
      for (int x = 1; x < 31; ++x) {
        const bool beside = pipe.At(x - 1, y) == kBlack || pipe.At(x + 1, y) == kBlack ||
                            pipe.At(x, y - 1) == kBlack || pipe.At(x, y + 1) == kBlack;
        if (pipe.At(x, y) == kBlack) {
          EXPECT_EQ(preview.At(x, y), kBlack) << "preview " << piece + 10 << " at " << x << "," << y;
        } else if (beside) {
          ++outlined;
          EXPECT_EQ(preview.At(x, y), kWhite) << "preview " << piece + 10 << " at " << x << "," << y;
        } else {
          ++walls;
          dotted += preview.At(x, y) == kWhite;
        }
      }
    EXPECT_GT(outlined, 0);
    EXPECT_GT(dotted * 8, walls) << "preview " << piece + 10;
    EXPECT_LT(dotted * 2, walls) << "preview " << piece + 10;
  }
}

TEST(SpecialOverlays, ShowWhiteOnlyInTheirColourFieldAndBlackOnlyInTheChannel) {
  const std::array<std::pair<int, int>, 3> channelColumns = {{{10, 31}, {0, 31}, {0, 21}}};
  // Each overlay and its kind: start, pass, goal, and the goal with the English word.
  for (const auto& [number, kind] : {std::pair{301, 1}, {302, 2}, {303, 3}, {308, 3}}) {
    SCOPED_TRACE(testing::Message() << "overlay " << number);
    const Bitmap b = LoadSprite(number);
    auto field = [](int x, int y) { return x >= 6 && x <= 25 && y >= 26 && y <= 28; };
    EXPECT_EQ(Count(b, field, kWhite), 20 * 3);
    EXPECT_EQ(CountAll(b, kWhite), 20 * 3);
    const auto [first, last] = channelColumns[static_cast<std::size_t>(kind - 1)];
    for (int x = 0; x < 32; ++x) EXPECT_EQ(b.At(x, 16) == kBlack, x >= first && x <= last) << x;
    EXPECT_EQ(Count(b, [](int, int y) { return y < 10 || y > 21; }, kBlack), 0);
    EXPECT_EQ(Count(b, [&](int x, int) { return x < first || x > last; }, kBlack), 0);
    // The word: light pixels in rows 2..6 only, enough of them to form four or five
    // letters, centred across the tile to within a pixel.
    const std::uint32_t ink = Rgb(224, 224, 224);
    EXPECT_EQ(Count(b, [](int, int y) { return y < 2 || y > 6; }, ink), 0);
    EXPECT_GE(CountAll(b, ink), 40);
    int left = 32, right = -1;
    for (int y = 2; y <= 6; ++y)
      for (int x = 0; x < 32; ++x)
        if (b.At(x, y) == ink) left = std::min(left, x), right = std::max(right, x);
    EXPECT_LE(std::abs(left - (31 - right)), 1) << "word from " << left << " to " << right;
  }
}

TEST(Bevels, UseTheCatalogueGreys) {
  const std::uint32_t face = Rgb(128, 128, 128), light = Rgb(159, 159, 159), dark = Rgb(95, 95, 95);
  const std::uint32_t outerLight = Rgb(192, 192, 192), outerDark = Rgb(63, 63, 63);
  for (int number : {10, 100, 101, 107, 114, 130, 20}) {
    const Bitmap b = LoadSprite(number);
    const int w = b.width, h = b.height;
    EXPECT_EQ(b.At(w / 2, 0), light) << number;
    EXPECT_EQ(b.At(0, h / 2), light) << number;
    EXPECT_EQ(b.At(w / 2, h - 1), dark) << number;
    EXPECT_EQ(b.At(w - 1, h / 2), dark) << number;
    if (number != 20) {
      EXPECT_EQ(b.At(w / 2, h / 2), face) << number;
    }
  }
  for (int number : {102, 108, 110, 120}) {
    const Bitmap b = LoadSprite(number);
    const int w = b.width, h = b.height;
    EXPECT_EQ(b.At(w / 2, 0), outerLight) << number;
    EXPECT_EQ(b.At(0, h / 2), outerLight) << number;
    EXPECT_EQ(b.At(w / 2, 1), light) << number;
    EXPECT_EQ(b.At(w / 2, h - 1), outerDark) << number;
    EXPECT_EQ(b.At(w - 1, h / 2), outerDark) << number;
    EXPECT_EQ(b.At(w - 2, h / 2), dark) << number;
  }
  // Stone: the block's outline is lit at the top and left, shaded at the bottom and right.
  const Bitmap stone = LoadSprite(20);
  EXPECT_EQ(stone.At(15, 3), outerLight);
  EXPECT_EQ(stone.At(3, 15), outerLight);
  EXPECT_EQ(stone.At(15, 28), outerDark);
  EXPECT_EQ(stone.At(28, 15), outerDark);
  // Green controls: raised, and pressed with the rings swapped.
  const std::uint32_t rings[4] = {Rgb(184, 199, 184), Rgb(149, 170, 149), Rgb(56, 71, 56), Rgb(84, 107, 84)};
  for (auto [raised, pressed] : {std::pair{104, 105}, std::pair{122, 123}}) {
    const Bitmap up = LoadSprite(raised), down = LoadSprite(pressed);
    const int w = up.width, h = up.height;
    EXPECT_EQ(up.At(w / 2, 0), rings[0]);
    EXPECT_EQ(up.At(w / 2, 1), rings[1]);
    EXPECT_EQ(up.At(w / 2, h - 1), rings[2]);
    EXPECT_EQ(up.At(w - 2, h / 2), rings[3]);
    EXPECT_EQ(down.At(w / 2, 0), rings[2]);
    EXPECT_EQ(down.At(0, h / 2), rings[2]);
    EXPECT_EQ(down.At(w / 2, 1), rings[3]);
    EXPECT_EQ(down.At(w / 2, h - 1), rings[0]);
    EXPECT_EQ(down.At(w - 2, h / 2), rings[1]);
    for (const Bitmap* b : {&up, &down}) EXPECT_EQ(b->At(w / 2, h / 2), Rgb(112, 143, 112));
  }
}

}  // namespace
}  // namespace assets_test
