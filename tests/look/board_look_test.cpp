// What the board, the queue strip and the special tiles show: the water layer through
// the black channels of keyed cells, never through grass or stone, and channels drawn
// black in the strip.
#include <gtest/gtest.h>

#include "tests/look/pixels.h"

namespace {

using looktest::Game;
using looktest::kBlack;

constexpr std::uint32_t kWater = looktest::Rgb(10, 20, 250);

// Top-left pixel of a board cell.
int CellX(int column) { return 32 * column - 16; }
int CellY(int row) { return 32 * row - 16; }

int CountInCell(const Game& g, int column, int row, std::uint32_t pixel) {
  int n = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) n += g.Pixel(CellX(column) + x, CellY(row) + y) == pixel;
  return n;
}

TEST(BoardLook, PipeChannelsShowTheWaterLayerWhileGrassAndStoneHideIt) {
  Game g;
  g.ReadyToPlay();
  g.s.TileGrid[5][5] = 2;   // horizontal pipe
  g.s.TileGrid[6][5] = 0;   // grass
  g.s.TileGrid[7][5] = 20;  // stone
  g.s.TileGrid[8][5] = 1;   // vertical pipe
  Game::FillWater(kWater);
  g.Frames(1);

  // The horizontal channel, rows 10..21 across the whole tile, is the water layer.
  for (int y = 10; y <= 21; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(g.Pixel(CellX(5) + x, CellY(5) + y), kWater) << x << "," << y;
  EXPECT_EQ(CountInCell(g, 5, 5, kWater), 32 * 12);
  // The vertical channel, columns 10..21 down the whole tile.
  for (int y = 0; y < 32; ++y)
    for (int x = 10; x <= 21; ++x) ASSERT_EQ(g.Pixel(CellX(8) + x, CellY(5) + y), kWater);
  EXPECT_EQ(CountInCell(g, 8, 5, kWater), 32 * 12);
  EXPECT_EQ(CountInCell(g, 6, 5, kWater), 0);
  EXPECT_EQ(CountInCell(g, 7, 5, kWater), 0);
  // Cells at the field's corners are drawn where the frame leaves the field open.
  EXPECT_EQ(CountInCell(g, 1, 3, kWater), 0);
  EXPECT_EQ(CountInCell(g, 19, 14, kWater), 0);
}

TEST(BoardLook, TheQueueStripShowsThePiecesWithBlackChannels) {
  Game g;
  g.ReadyToPlay();
  Game::FillWater(kWater);
  for (int i = 1; i <= 7; ++i) g.s.PieceQueue[static_cast<std::size_t>(i)] = i % 2 == 1 ? 2 : 1;
  g.Frames(1);
  for (int i = 1; i <= 7; ++i) {
    const int left = game::kQueueStrip.left + 32 * i, top = game::kQueueStrip.top;
    if (i % 2 == 1) {
      for (int x = 0; x < 32; ++x) ASSERT_EQ(g.Pixel(left + x, top + 15), kBlack) << i;
    } else {
      for (int y = 0; y < 32; ++y) ASSERT_EQ(g.Pixel(left + 15, top + y), kBlack) << i;
    }
  }
  // The strip is opaque: no water anywhere in the HUD band.
  for (int y = 16; y < 80; ++y)
    for (int x = 16; x < 624; ++x) ASSERT_NE(g.Pixel(x, y), kWater) << x << "," << y;
}

TEST(BoardLook, SpecialTilesShowTheirColourOnlyInTheirField) {
  Game g;
  g.ReadyToPlay();
  for (int x = 1; x <= 4; ++x)
    for (int y = 1; y <= 3; ++y) g.s.TileGrid[2 * x][3 + 2 * y] = game::SpecialTile(x, y);
  g.Frames(1);
  for (int x = 1; x <= 4; ++x) {
    for (int y = 1; y <= 3; ++y) {
      const int c = 2 * x, r = 3 + 2 * y;
      SCOPED_TRACE(game::SpecialTile(x, y));
      const std::uint32_t colour = looktest::StreamPixel(x);
      // The field, columns 6..25 of rows 26..28, and nothing else has the colour.
      for (int fy = 26; fy <= 28; ++fy)
        for (int fx = 6; fx <= 25; ++fx)
          ASSERT_EQ(g.Pixel(CellX(c) + fx, CellY(r) + fy), colour);
      EXPECT_EQ(CountInCell(g, c, r, colour), 20 * 3);
      // The channel is open to the (black) water layer in the middle of the tile.
      EXPECT_EQ(g.Pixel(CellX(c) + 16, CellY(r) + 15), kBlack);
    }
  }
  // With water beneath, the channel of a goal shows it from the tile's left edge.
  Game::FillWater(kWater);
  g.Frames(1);
  EXPECT_EQ(g.Pixel(CellX(2) + 0, CellY(9) + 15), kWater);    // 313: open to the left
  EXPECT_EQ(g.Pixel(CellX(2) + 31, CellY(5) + 15), kWater);   // 311: open to the right
  EXPECT_NE(g.Pixel(CellX(2) + 0, CellY(5) + 15), kWater);    // 311: closed on the left
  EXPECT_EQ(CountInCell(g, 2, 7, kWater) > 32 * 10, true);    // 312: across the whole tile
}

TEST(BoardLook, PreviewOutlinesTheNextPieceOverTheHoveredCell) {
  Game g;
  g.ReadyToPlay();
  g.s.PieceQueue[1] = 2;
  g.s.TileGrid[10][8] = 20;
  g.Mouse(CellX(10) + 16, CellY(8) + 16);
  g.Frames(1);
  const std::uint32_t white = looktest::Rgb(255, 255, 255);
  // A white frame round the cell; the stone stays visible through the black inside.
  for (int i = 0; i < 32; ++i) {
    ASSERT_EQ(g.Pixel(CellX(10) + i, CellY(8)), white);
    ASSERT_EQ(g.Pixel(CellX(10), CellY(8) + i), white);
  }
  EXPECT_GT(CountInCell(g, 10, 8, looktest::Rgb(128, 128, 128)), 50);
}

}  // namespace
