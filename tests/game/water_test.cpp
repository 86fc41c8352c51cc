// The water: how streams advance, turn, score, fail and win, on hand-made boards.
#include <gtest/gtest.h>

#include <string>

#include "tests/driver/played_game.h"

namespace {

using testing_game::Game;

// The worked example: start, three horizontal pipes, goal, all in row 5.
TEST(Water, StraightRunClearsInFlowFrame640With55Points) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 5) = 311;
  g.Tile(6, 5) = g.Tile(7, 5) = g.Tile(8, 5) = 2;
  g.Tile(9, 5) = 313;
  g.Frames(1);  // flow frame 1: the streams start
  EXPECT_EQ(g.s.FlowStep, 1);
  EXPECT_EQ(g.s.Streams[1].Column, 5);
  EXPECT_EQ(g.s.Streams[1].GoalState, -1);
  g.Frames(126);
  EXPECT_EQ(g.s.Streams[1].Column, 5);
  g.Frames(1);  // flow frame 128: first cell step
  EXPECT_EQ(g.s.Streams[1].Column, 6);
  EXPECT_EQ(g.s.TotalScore, 1);
  g.Frames(639 - 128);
  EXPECT_EQ(g.s.LevelCleared, 0);
  EXPECT_EQ(g.s.Streams[1].Column, 9);
  EXPECT_EQ(g.s.TotalScore, 4);
  g.Frames(1);  // flow frame 640
  EXPECT_EQ(g.s.LevelCleared, 1);
  EXPECT_EQ(g.s.LevelFailed, 0);
  EXPECT_EQ(g.s.TotalScore, 55);
  EXPECT_EQ(g.s.LevelScore, 55);
  EXPECT_EQ(g.s.PhaseCounter, -1);
  EXPECT_EQ(g.s.FlowStep, -1);
  EXPECT_EQ(g.s.Streams[1].GoalState, 1);
  // Every cell the water entered is locked, the start tile too.
  for (int c = 5; c <= 9; ++c) EXPECT_EQ(g.Lock(c, 5), 1) << c;
  g.Frames(50);  // nothing moves after the win
  EXPECT_EQ(g.s.TotalScore, 55);
}

// How the stream reaches the target cell (6, 8) or its neighbour, and at which step.
enum class Approach { kRight, kDown, kUp, kLeft };
struct EntryCase {
  int code;
  Approach approach;
  bool fails;
};

std::string Name(const EntryCase& e) {
  static const char* kNames[] = {"right", "down", "up", "left"};
  return std::to_string(e.code) + " entered moving " + kNames[static_cast<int>(e.approach)];
}

// Lays a path from a start tile at (5, 8) that brings the stream into a target cell
// moving in the wanted direction; returns the target cell and the cell step number.
struct Target {
  int column, row, step;
};
Target LayApproach(Game& g, Approach a) {
  g.Tile(5, 8) = 311;
  switch (a) {
    case Approach::kRight:
      return {6, 8, 1};
    case Approach::kDown:
      g.Tile(6, 8) = 5;  // left-bottom: in from the left, out at the bottom
      return {6, 9, 2};
    case Approach::kUp:
      g.Tile(6, 8) = 6;  // top-left: in from the left, out at the top
      return {6, 7, 2};
    case Approach::kLeft:
      g.Tile(6, 8) = 5;
      g.Tile(6, 9) = 6;  // in from the top, out to the left
      return {5, 9, 3};
  }
  return {0, 0, 0};
}

class EntryRules : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryRules, JudgeTheCellAStreamEnters) {
  const EntryCase e = GetParam();
  Game g;
  g.PlayOnCustomBoard();
  const Target t = LayApproach(g, e.approach);
  g.Frames(1);  // the streams start; the target is written afterwards so that a start
                // tile there cannot become the stream's start
  g.Tile(t.column, t.row) = e.code;
  g.Frames(128 * t.step - 2);
  ASSERT_EQ(g.s.LevelFailed, 0) << Name(e);
  g.Frames(1);
  EXPECT_EQ(g.s.Streams[1].Column, t.column) << Name(e);
  EXPECT_EQ(g.s.Streams[1].Row, t.row) << Name(e);
  EXPECT_EQ(g.s.LevelFailed, e.fails ? 1 : 0) << Name(e);
  EXPECT_EQ(g.s.FlowStep, e.fails ? -1 : 0) << Name(e);
  // The stream earned its step point whether or not the entry failed.
  EXPECT_EQ(g.s.TotalScore, t.step) << Name(e);
  // The cell of a failure is never locked; an allowed entry is locked by the next frame.
  g.Frames(1);
  EXPECT_EQ(g.Lock(t.column, t.row), e.fails ? 0 : 1) << Name(e);
}

constexpr Approach R = Approach::kRight, D = Approach::kDown, U = Approach::kUp,
                   L = Approach::kLeft;
INSTANTIATE_TEST_SUITE_P(
    EveryCodeFromEverySide, EntryRules,
    ::testing::Values(
        // grass
        EntryCase{0, R, true}, EntryCase{0, D, true}, EntryCase{0, U, true}, EntryCase{0, L, true},
        // straight pipes
        EntryCase{1, R, true}, EntryCase{1, L, true}, EntryCase{1, U, false},
        EntryCase{1, D, false}, EntryCase{2, R, false}, EntryCase{2, L, false},
        EntryCase{2, U, true}, EntryCase{2, D, true},
        // bends: open top-right, bottom-right, left-bottom, top-left
        EntryCase{3, R, true}, EntryCase{3, U, true}, EntryCase{3, D, false},
        EntryCase{3, L, false}, EntryCase{4, R, true}, EntryCase{4, D, true},
        EntryCase{4, U, false}, EntryCase{4, L, false}, EntryCase{5, D, true},
        EntryCase{5, L, true}, EntryCase{5, U, false}, EntryCase{5, R, false},
        EntryCase{6, U, true}, EntryCase{6, L, true}, EntryCase{6, D, false},
        EntryCase{6, R, false},
        // the crossing and the stone let the water in from every side
        EntryCase{7, R, false}, EntryCase{7, L, false}, EntryCase{7, U, false},
        EntryCase{7, D, false}, EntryCase{20, R, false}, EntryCase{20, L, false},
        EntryCase{20, U, false}, EntryCase{20, D, false},
        // own start never, own pass horizontally, own goal only from the left
        EntryCase{311, R, true}, EntryCase{311, L, true}, EntryCase{311, U, true},
        EntryCase{311, D, true}, EntryCase{312, R, false}, EntryCase{312, L, false},
        EntryCase{312, U, true}, EntryCase{312, D, true}, EntryCase{313, R, false},
        EntryCase{313, L, true}, EntryCase{313, U, true}, EntryCase{313, D, true},
        // every tile of another colour fails
        EntryCase{321, R, true}, EntryCase{322, R, true}, EntryCase{322, L, true},
        EntryCase{323, R, true}, EntryCase{343, R, true}, EntryCase{332, L, true}));

TEST(Water, StonePassesTheStreamOnToTheNextCell) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 8) = 311;
  g.Tile(6, 8) = 20;
  g.Tile(7, 8) = 2;
  g.Tile(8, 8) = 313;
  g.Frames(128 * 4 - 1);
  EXPECT_EQ(g.s.LevelCleared, 0);
  g.Frames(1);
  EXPECT_EQ(g.s.LevelFailed, 0);
  EXPECT_EQ(g.s.LevelCleared, 1);
  EXPECT_EQ(g.s.TotalScore, 4 + 50);
}

// Leaving the field on any side fails the level at the step that leaves it.
struct ExitCase {
  const char* side;
  int steps;
  void (*lay)(Game&);
};
class LeavingTheField : public ::testing::TestWithParam<ExitCase> {};

TEST_P(LeavingTheField, FailsTheLevel) {
  const ExitCase e = GetParam();
  Game g;
  g.PlayOnCustomBoard();
  e.lay(g);
  g.Frames(128 * e.steps - 1);
  ASSERT_EQ(g.s.LevelFailed, 0) << e.side;
  g.Frames(1);
  EXPECT_EQ(g.s.LevelFailed, 1) << e.side;
  EXPECT_EQ(g.s.TotalScore, e.steps) << e.side;
  // Nothing outside the field was touched.
  for (int c = 0; c < game::kColumns; ++c) {
    for (int r = 0; r < game::kRows; ++r) {
      if (c >= 1 && r >= 3) continue;
      EXPECT_EQ(g.Tile(c, r), 0) << e.side << " " << c << "," << r;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllFourSides, LeavingTheField,
    ::testing::Values(ExitCase{"right", 1, [](Game& g) { g.Tile(19, 8) = 311; }},
                      ExitCase{"left", 5,
                               [](Game& g) {
                                 g.Tile(2, 8) = 311;
                                 g.Tile(3, 8) = 5;
                                 g.Tile(3, 9) = 6;
                                 g.Tile(2, 9) = 2;
                                 g.Tile(1, 9) = 2;
                               }},
                      ExitCase{"top", 2,
                               [](Game& g) {
                                 g.Tile(5, 3) = 311;
                                 g.Tile(6, 3) = 6;
                               }},
                      ExitCase{"bottom", 2,
                               [](Game& g) {
                                 g.Tile(5, 14) = 311;
                                 g.Tile(6, 14) = 5;
                               }}),
    [](const auto& p) { return std::string(p.param.side); });

TEST(Water, OwnPassTileCrossedLeftwardsEarns25AtItsEnd) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 8) = 311;
  g.Tile(6, 8) = 5;
  g.Tile(6, 9) = 6;
  g.Tile(5, 9) = 312;  // crossed moving left
  g.Tile(4, 9) = 4;    // in from the right, out at the bottom
  g.Frames(1);
  EXPECT_EQ(g.s.Streams[1].PassState, -1);
  g.Frames(128 * 3 - 1);  // the stream is in the pass tile
  EXPECT_EQ(g.s.TotalScore, 3);
  EXPECT_EQ(g.s.Streams[1].PassState, -1);
  g.Frames(128);  // end of the pass tile
  EXPECT_EQ(g.s.Streams[1].PassState, 1);
  EXPECT_EQ(g.s.TotalScore, 3 + 25 + 1);
  EXPECT_EQ(g.s.LevelScore, 29);
  EXPECT_EQ(g.s.Streams[1].Column, 4);
}

TEST(Water, GoalReachedWithoutThePassNeitherWinsNorLoses) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 8) = 311;
  g.Tile(6, 8) = 313;
  g.Tile(10, 12) = 312;  // never crossed
  g.Frames(128 * 10);
  EXPECT_EQ(g.s.LevelCleared, 0);
  EXPECT_EQ(g.s.LevelFailed, 0);
  EXPECT_EQ(g.s.Streams[1].GoalState, 1);
  EXPECT_EQ(g.s.Streams[1].PassState, -1);
  // 50 for the goal, and a point for every step, standing on the goal too.
  EXPECT_EQ(g.s.TotalScore, 50 + 10);
}

TEST(Water, TwoStreamsFinishAtDifferentTimes) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(3, 5) = 311;
  g.Tile(4, 5) = 313;
  g.Tile(3, 9) = 321;
  g.Tile(4, 9) = g.Tile(5, 9) = 2;
  g.Tile(6, 9) = 323;
  g.Frames(256);
  EXPECT_EQ(g.s.Streams[1].GoalState, 1);  // stream 1 is done ...
  EXPECT_EQ(g.s.Streams[2].GoalState, -1);
  EXPECT_EQ(g.s.LevelCleared, 0);  // ... but the level is not
  EXPECT_EQ(g.s.TotalScore, 2 + 2 + 50);
  g.Frames(255);
  EXPECT_EQ(g.s.LevelCleared, 0);
  g.Frames(1);  // frame 512: stream 2 ends its goal
  EXPECT_EQ(g.s.LevelCleared, 1);
  // Stream 1 kept earning a point per step while standing on its goal.
  EXPECT_EQ(g.s.TotalScore, 4 + 50 + 4 + 50);
  EXPECT_EQ(g.s.Streams[1].Column, 4);
}

TEST(Water, FailureStopsEveryStreamAfterTheyAllMoved) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(3, 5) = 311;  // stream 1 runs onto grass at once
  g.Tile(3, 9) = 321;
  g.Tile(4, 9) = 2;
  g.Tile(5, 9) = 323;
  g.Frames(128);
  EXPECT_EQ(g.s.LevelFailed, 1);
  EXPECT_EQ(g.s.Streams[2].Column, 4);  // stream 2 moved in the same step
  EXPECT_EQ(g.s.TotalScore, 2);
  EXPECT_EQ(g.s.LevelCleared, 0);
}

// A figure eight through a crossing, crossed once along each axis per round.
TEST(Water, ClosedCircuitThroughACrossingRunsForEver) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 5) = 4;
  g.Tile(6, 5) = 5;
  g.Tile(5, 6) = 3;
  g.Tile(6, 6) = 7;
  g.Tile(7, 6) = 5;
  g.Tile(6, 7) = 3;
  g.Tile(7, 7) = 6;
  g.Tile(12, 12) = 313;
  // The stream stands in the crossing heading right, the water already flowing.
  g.s.Streams[1] = game::StreamRecord{6, 6, 1, 0, -1, 0};
  g.s.FlowStep = 0;
  for (int round = 1; round <= 3; ++round) {
    g.Frames(128 * 4);  // half a round: back in the crossing, now heading up
    EXPECT_EQ(g.s.Streams[1].Column, 6);
    EXPECT_EQ(g.s.Streams[1].Row, 6);
    EXPECT_EQ(g.s.Streams[1].DirY, -1);
    g.Frames(128 * 4);
    EXPECT_EQ(g.s.Streams[1].Column, 6);
    EXPECT_EQ(g.s.Streams[1].Row, 6);
    EXPECT_EQ(g.s.Streams[1].DirX, 1);
    EXPECT_EQ(g.s.TotalScore, 8 * round);
  }
  EXPECT_EQ(g.s.LevelFailed, 0);
  EXPECT_EQ(g.s.LevelCleared, 0);
}

TEST(Water, PieceReplacedInTheFrameTheStreamMovedInTurnsIt) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 8) = 311;
  g.Tile(6, 8) = 2;
  g.Tile(6, 9) = 1;
  g.Frames(128);  // the stream has just entered (6, 8); it is not locked yet
  ASSERT_EQ(g.s.Streams[1].Column, 6);
  ASSERT_EQ(g.Lock(6, 8), 0);
  g.s.PieceQueue[1] = 5;  // the next piece is a left-bottom bend
  g.Mouse(testing_game::CellX(6), testing_game::CellY(8));
  g.Down();
  g.Frames(1);
  g.Up();
  EXPECT_EQ(g.Tile(6, 8), 5);
  EXPECT_EQ(g.Lock(6, 8), 1);
  g.Frames(127);  // the bend turns the stream down into the vertical pipe
  EXPECT_EQ(g.s.LevelFailed, 0);
  EXPECT_EQ(g.s.Streams[1].Row, 9);
  EXPECT_EQ(g.s.Streams[1].DirY, 1);
}

TEST(Water, FailedLevelRestartsTheStreamsButNotTheFlow) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 8) = 311;
  g.Tile(6, 8) = 2;
  g.Frames(256);  // onto grass at (7, 8)
  ASSERT_EQ(g.s.LevelFailed, 1);
  EXPECT_EQ(g.s.FlowStep, -1);
  EXPECT_EQ(g.s.PhaseCounter, 200);
  const int score = g.s.TotalScore;
  g.Frames(1);  // the start test holds again: streams back on their start tiles
  EXPECT_EQ(g.s.FlowStep, 0);
  EXPECT_EQ(g.s.Streams[1].Column, 5);
  g.Frames(300);
  EXPECT_EQ(g.s.FlowStep, 0);
  EXPECT_EQ(g.s.TotalScore, score);
  g.ClickOn(game::kFastButton);  // "Schnell" still works
  EXPECT_EQ(g.s.FlowSpeed, 4);
  g.ClickOn(game::kOkButton);
  EXPECT_EQ(g.s.LevelFailed, 0);
  EXPECT_EQ(g.s.PhaseCounter, -1);
  EXPECT_EQ(g.s.FlowStep, -1);
  EXPECT_EQ(g.s.FlowSpeed, 1);
  EXPECT_EQ(g.s.TotalScore, score);
  g.Frames(500);
  EXPECT_EQ(g.s.FlowStep, -1);
  EXPECT_EQ(g.s.PhaseCounter, -1);
}

TEST(Water, FastWaterClipsAtTheEndOfTheCell) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 8) = 311;
  g.Tile(6, 8) = g.Tile(7, 8) = 2;
  g.Frames(125);
  g.MouseOn(game::kFastButton);
  g.Down();
  g.Frames(1);
  ASSERT_EQ(g.s.FlowStep, 126);
  g.Up();
  g.Frames(1);  // the release sets FlowSpeed 4 before the flow: 130, clipped to 128
  EXPECT_EQ(g.s.FlowSpeed, 4);
  EXPECT_EQ(g.s.Streams[1].Column, 6);
  EXPECT_EQ(g.s.FlowStep, 0);
  g.Frames(31);
  EXPECT_EQ(g.s.FlowStep, 124);
  g.Frames(1);
  EXPECT_EQ(g.s.Streams[1].Column, 7);
}

TEST(Water, PauseFreezesTheWater) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 8) = 311;
  g.Tile(6, 8) = 2;
  g.Frames(50);
  g.ClickOn(game::kMenuButton);
  g.ClickOn(game::kPauseEntry);
  ASSERT_EQ(g.s.Paused, 1);
  const int step = g.s.FlowStep;
  g.Frames(400);
  EXPECT_EQ(g.s.FlowStep, step);
  EXPECT_EQ(g.s.Streams[1].Column, 5);
}

TEST(Water, LevelWithoutStartTileIsWonInTheFirstFlowFrame) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(8, 8) = 313;
  g.Frames(1);
  EXPECT_EQ(g.s.LevelCleared, 1);
  EXPECT_EQ(g.s.TotalScore, 0);
}

}  // namespace
