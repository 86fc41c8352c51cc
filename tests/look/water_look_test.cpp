// The water fronts drawn into the water layer, and what the player sees of them
// through the channels: straight pipes both ways, vertical pipes, the crossing's gap,
// a stream standing on its goal, bends, a failure, and when the layer is emptied.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/canvas.h"
#include "runtime/screen.h"
#include "tests/look/pixels.h"

namespace {

using looktest::Game;
using looktest::kBlack;
using looktest::kCyan;
using looktest::kLightRed;

// Puts stream n into cell (column, row) heading (dx, dy), still flowing.
void Stream(Game& g, int n, int column, int row, int dx, int dy) {
  g.s.Streams[static_cast<std::size_t>(n)] = game::StreamRecord{column, row, dx, dy, -1, 0};
}

// The coloured pixels of the water layer inside a rectangle.
std::vector<std::pair<int, int>> WaterIn(int x0, int y0, int x1, int y1, std::uint32_t colour) {
  std::vector<std::pair<int, int>> out;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (Game::Water(x, y) == colour) out.emplace_back(x, y);
  return out;
}

std::vector<std::uint32_t> WholeLayer() {
  return Game::WaterLayer().pixels;
}
// The layer covers the window.
constexpr std::size_t kLayerPixels = std::size_t{game::kWindowWidth} * game::kWindowHeight;

TEST(WaterLook, AStraightFrontMovesOnePixelEveryFourStepsInEitherDirection) {
  Game g;
  g.ReadyToPlay();
  // Stream 1 moves right through (5,5); stream 2 moves left through (10,5).
  for (int c = 4; c <= 11; ++c) g.s.TileGrid[c][5] = 2;
  Stream(g, 1, 5, 5, 1, 0);
  Stream(g, 2, 10, 5, -1, 0);
  g.s.FlowStep = 0;
  g.Frames(1);  // FlowStep 1
  // Right: the first line is the cell's first column, x = cx - 16, rows cy - 8 .. cy + 7.
  EXPECT_EQ(WaterIn(128, 136, 191, 183, kCyan).size(), 16u);
  for (int y = 152; y <= 167; ++y) ASSERT_EQ(Game::Water(144, y), kCyan);
  // Left: a quarter step to the left already lands inside the cell, at cx + 15.
  EXPECT_EQ(WaterIn(288, 136, 351, 183, kLightRed).size(), 16u);
  for (int y = 152; y <= 167; ++y) ASSERT_EQ(Game::Water(335, y), kLightRed);

  g.Frames(3);  // FlowStep 4: one pixel further right, the left stream still in place
  EXPECT_EQ(Game::Water(145, 160), kCyan);
  EXPECT_EQ(Game::Water(146, 160), kBlack);
  EXPECT_EQ(Game::Water(334, 160), kBlack);
  g.Frames(1);  // FlowStep 5
  EXPECT_EQ(Game::Water(334, 160), kLightRed);

  g.Frames(122);  // FlowStep 127: the band is filled up to the cell's last column
  ASSERT_EQ(g.s.FlowStep, 127);
  for (int x = 144; x <= 175; ++x) ASSERT_EQ(Game::Water(x, 152), kCyan) << x;
  EXPECT_EQ(Game::Water(176, 152), kBlack);
  for (int x = 304; x <= 335; ++x) ASSERT_EQ(Game::Water(x, 167), kLightRed) << x;
  EXPECT_EQ(Game::Water(303, 167), kBlack);
  // The band is exactly 16 rows high.
  EXPECT_EQ(WaterIn(128, 136, 191, 183, kCyan).size(), 32u * 16u);

  // Seen through the pipes: the channel rows show the water, the pipe walls do not.
  g.Frames(1);
  EXPECT_EQ(g.Pixel(160, 160), kCyan);
  EXPECT_EQ(g.Pixel(320, 160), kLightRed);
  EXPECT_NE(g.Pixel(160, 152), kCyan);
}

TEST(WaterLook, AVerticalFrontMovesDownOrUp) {
  Game g;
  g.ReadyToPlay();
  for (int r = 4; r <= 12; ++r) g.s.TileGrid[8][r] = 1;
  for (int r = 4; r <= 12; ++r) g.s.TileGrid[12][r] = 1;
  Stream(g, 1, 8, 6, 0, 1);    // cell centre (256, 192), moving down
  Stream(g, 2, 12, 10, 0, -1);  // cell centre (384, 320), moving up
  g.s.FlowStep = 0;
  g.Frames(1);
  const auto down = WaterIn(232, 168, 279, 215, kCyan);
  ASSERT_EQ(down.size(), 16u);
  for (const auto& [x, y] : down) {
    EXPECT_EQ(y, 176);
    EXPECT_TRUE(x >= 248 && x <= 263) << x;
  }
  const auto up = WaterIn(360, 296, 407, 343, kLightRed);
  ASSERT_EQ(up.size(), 16u);
  for (const auto& [x, y] : up) {
    EXPECT_EQ(y, 335);
    EXPECT_TRUE(x >= 376 && x <= 391) << x;
  }
  g.Frames(4);  // FlowStep 5
  EXPECT_EQ(Game::Water(256, 177), kCyan);
  EXPECT_EQ(Game::Water(256, 178), kBlack);
  EXPECT_EQ(Game::Water(384, 334), kLightRed);
  EXPECT_EQ(Game::Water(384, 333), kBlack);
  g.Frames(1);
  EXPECT_EQ(g.Pixel(256, 177), kCyan);  // through the channel
}

TEST(WaterLook, VerticalWaterIsHiddenUnderTheCrossingsHorizontalChannel) {
  Game g;
  g.ReadyToPlay();
  g.s.TileGrid[12][5] = 1;
  g.s.TileGrid[12][6] = 7;  // crossing, centre (384, 192)
  g.s.TileGrid[12][7] = 1;
  g.s.TileGrid[4][6] = 2;
  g.s.TileGrid[5][6] = 7;  // crossing, centre (160, 192)
  g.s.TileGrid[6][6] = 2;
  Stream(g, 1, 12, 6, 0, 1);
  Stream(g, 2, 5, 6, 1, 0);
  g.s.FlowStep = 0;
  g.Frames(127);
  ASSERT_EQ(g.s.FlowStep, 127);
  // Down through the crossing: rows cy - 16 .. cy - 10 and cy + 9 .. cy + 15 only.
  for (int y = 176; y <= 207; ++y) {
    const bool wet = y <= 182 || y >= 201;
    EXPECT_EQ(Game::Water(384, y), wet ? kCyan : kBlack) << y;
  }
  // Across the crossing: the whole width of the cell.
  for (int x = 144; x <= 175; ++x) EXPECT_EQ(Game::Water(x, 192), kLightRed) << x;
  g.Frames(1);
  // The player sees the vertical water in the stubs and none in the middle.
  EXPECT_EQ(g.Pixel(384, 178), kCyan);
  EXPECT_EQ(g.Pixel(384, 192), kBlack);
  EXPECT_EQ(g.Pixel(160, 192), kLightRed);
}

TEST(WaterLook, AStreamStandingOnItsGoalRedrawsTheGoalsLeftEdgeEveryFlowFrame) {
  Game g;
  g.ReadyToPlay();
  g.s.TileGrid[10][8] = 313;  // centre (320, 256)
  g.s.Streams[1] = game::StreamRecord{10, 8, 0, 0, 1, 0};
  // Stream 2 keeps the level going.
  for (int c = 2; c <= 6; ++c) g.s.TileGrid[c][12] = 2;
  Stream(g, 2, 3, 12, 1, 0);
  g.s.FlowStep = 50;
  for (int round = 0; round < 3; ++round) {
    g.Frames(1);
    const auto line = WaterIn(288, 224, 351, 287, kCyan);
    ASSERT_EQ(line.size(), 16u) << round;
    for (const auto& [x, y] : line) {
      EXPECT_EQ(x, 304);
      EXPECT_TRUE(y >= 248 && y <= 263);
    }
    Game::FillWater(kBlack);
  }
  EXPECT_EQ(g.s.LevelCleared, 0);
}

// Draws the thick line the bend should show onto scratch sprite 900 and compares it
// with the water layer, pixel for pixel.
void ExpectThickLine(int x, int y, int w, int h) {
  rt::NewBlankSprite(900, 640, 480, 0);
  rt::OpenCanvas(rt::SpriteCanvas(900));
  const game::StreamRgb& rgb = game::kStreamColours[1];
  const rt::Colour c = rt::PackColour(rgb.red, rgb.green, rgb.blue);
  rt::DrawLine(x, y, w, h, c);
  rt::DrawLine(x + 1, y, w, h, c);
  rt::DrawLine(x, y + 1, w, h, c);
  rt::DrawLine(x - 1, y, w, h, c);
  rt::DrawLine(x, y - 1, w, h, c);
  rt::CloseCanvas();
  EXPECT_EQ(rt::FindSprite(900)->pixels, Game::WaterLayer().pixels)
      << "expected DrawThickLine(" << x << ", " << y << ", " << w << ", " << h << ")";
}

TEST(WaterLook, BendFrontsFollowTheQuarterTurnOfTheTable) {
  // Rounded terms at the table's steps: R(24 sin a), R(24 cos a), R(21 sin a), R(21 cos a).
  struct Row {
    int step, s24, c24, s21, c21;
  };
  const Row rows[] = {{0, 0, 24, 0, 21}, {32, 9, 22, 8, 19}, {64, 17, 17, 15, 15},
                      {96, 22, 9, 19, 8}, {128, 24, 0, 21, 0}};
  struct Bend {
    int kind, sx, sy;
    int hdx, vdy;  // the directions in which the bend can be entered
  };
  const Bend bends[] = {{3, 1, -1, -1, 1}, {4, 1, 1, -1, -1}, {5, -1, 1, 1, -1}, {6, -1, -1, 1, 1}};
  for (const Bend& b : bends) {
    for (const bool horizontal : {true, false}) {
      for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "bend " << b.kind << (horizontal ? " across" : " along")
                                        << " step " << row.step);
        Game g;
        g.ReadyToPlay();
        g.s.TileGrid[5][5] = b.kind;  // centre (160, 160)
        Stream(g, 1, 5, 5, horizontal ? b.hdx : 0, horizontal ? 0 : b.vdy);
        g.s.FlowStep = row.step;
        g.s.Paused = 1;  // draws the front at exactly this step
        g.Frames(1);
        const int kx = 160 + 16 * b.sx, ky = 160 + 16 * b.sy;
        const int u24 = horizontal ? row.s24 : row.c24, v24 = horizontal ? row.c24 : row.s24;
        const int u21 = horizontal ? row.s21 : row.c21, v21 = horizontal ? row.c21 : row.s21;
        ExpectThickLine(kx - b.sx * u24, ky - b.sy * v24, b.sx * u21, b.sy * v21);
      }
    }
  }
}

TEST(WaterLook, BendFiveEnteredFromTheLeftMatchesTheWorkedExample) {
  const int steps[] = {0, 64, 128};
  const int expected[3][4] = {{144, 152, 0, 21}, {161, 159, -15, 15}, {168, 176, -21, 0}};
  for (int i = 0; i < 3; ++i) {
    Game g;
    g.ReadyToPlay();
    g.s.TileGrid[5][5] = 5;
    Stream(g, 1, 5, 5, 1, 0);
    g.s.FlowStep = steps[i];
    g.s.Paused = 1;
    g.Frames(1);
    ExpectThickLine(expected[i][0], expected[i][1], expected[i][2], expected[i][3]);
  }
}

TEST(WaterLook, AFailureDrawsNothingMoreAndOnlyANewGameOrAWonLevelEmptiesTheLayer) {
  Game g;
  g.ReadyToPlay();
  g.s.FlowCountdown = 0;
  g.s.TileGrid[4][10] = 2;
  g.s.TileGrid[5][10] = 2;
  g.s.TileGrid[6][10] = 1;  // entered from the left through a closed side
  Stream(g, 1, 5, 10, 1, 0);
  g.s.FlowStep = 100;
  g.Frames(28);  // the frame that reaches 128 moves the stream into (6, 10)
  ASSERT_EQ(g.s.LevelFailed, 1);
  const auto afterFailure = WholeLayer();
  g.Frames(60);
  EXPECT_EQ(WholeLayer(), afterFailure);
  // The failing cell: only the line at the end of the previous cell's last step
  // reaches its first column, which is pipe wall; its channel shows no water.
  EXPECT_EQ(WaterIn(177, 305, 207, 335, kCyan).size(), 0u);
  for (int y = 304; y <= 335; ++y)
    for (int x = 186; x <= 197; ++x) ASSERT_NE(g.Pixel(x, y), kCyan);
  // The water of the failed level stays after its "O K".
  g.ClickOn(game::kOkButton);
  ASSERT_EQ(g.s.LevelFailed, 0);
  EXPECT_EQ(WholeLayer(), afterFailure);
  EXPECT_EQ(g.Pixel(172, 320), kCyan);
  // "Neues Spiel" empties it.
  g.ClickOn(game::kMenuButton);
  ASSERT_EQ(g.s.MenuOpen, 1);
  g.ClickOn(game::kNewGameEntry);
  ASSERT_EQ(g.s.PhaseCounter, 1);
  EXPECT_EQ(WholeLayer(), std::vector<std::uint32_t>(kLayerPixels, kBlack));
}

TEST(WaterLook, TheOkOfAWonLevelEmptiesTheLayer) {
  Game g;
  g.ReadyToPlay();
  Game::FillWater(kCyan);
  g.s.LevelCleared = 1;
  g.s.PhaseCounter = -1;
  g.Frames(1);
  g.ClickOn(game::kOkButton);
  ASSERT_EQ(g.s.Level, 2);
  EXPECT_EQ(WholeLayer(), std::vector<std::uint32_t>(kLayerPixels, kBlack));
}

TEST(WaterLook, DirectionsAtTheEndsOfTheIntegerRangeDrawOnlyInsideTheLayer) {
  // A driver may set any direction; the fronts wrap as 32-bit integers and whatever
  // falls outside the layer is clipped.
  Game g;
  g.ReadyToPlay();
  g.s.TileGrid[5][5] = 2;
  g.s.TileGrid[7][5] = 1;
  g.s.TileGrid[9][5] = 7;
  g.s.TileGrid[11][5] = 313;
  g.s.Streams[1] = game::StreamRecord{5, 5, 2147483647, 0, -1, 0};
  g.s.Streams[2] = game::StreamRecord{7, 5, 0, -2147483647 - 1, -1, 0};
  g.s.Streams[3] = game::StreamRecord{9, 5, 0, 1073741824, -1, 0};
  g.s.Streams[4] = game::StreamRecord{11, 5, -2147483647 - 1, 0, -1, 0};
  g.s.FlowStep = 77;
  g.s.Paused = 1;
  g.Frames(3);
  EXPECT_EQ(g.s.FlowStep, 77);
  EXPECT_EQ(Game::WaterLayer().pixels.size(), kLayerPixels);
}

}  // namespace
