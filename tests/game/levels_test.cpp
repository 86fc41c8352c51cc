// Starting a game, the setup phase with its random placements, the countdown and the
// way from one level to the next.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "game/board.h"
#include "game/level_list.h"
#include "game/levels.h"
#include "runtime/random.h"
#include "tests/driver/played_game.h"

namespace {

using testing_game::Game;

TEST(StartUp, QueueHoldsTheFirst21DrawsOfTheSeed) {
  for (std::uint32_t seed : {0u, 1u, 77u, 4000000000u}) {
    std::vector<int> expected;
    rt::SeedRandom(seed);
    for (int i = 0; i <= 20; ++i) expected.push_back(rt::RandomUpTo(6) + 1);
    Game g(seed);
    std::vector<int> queue(g.s.PieceQueue.begin(), g.s.PieceQueue.begin() + 21);
    EXPECT_EQ(queue, expected) << seed;
    EXPECT_EQ(g.s.PieceQueue[21], 0);
    EXPECT_EQ(g.s.PhaseCounter, -1);
    EXPECT_EQ(g.s.FlowStep, -1);
    EXPECT_EQ(g.s.LastLevel, 10);
    EXPECT_EQ(g.s.StartLevel, 1);
    EXPECT_EQ(g.s.FlowSpeed, 1);
  }
}

TEST(StartUp, WindowIsCentredOnTheDesktop) {
  {
    Game g;
    EXPECT_EQ(g.backend.WindowLeft(), 960 - game::kWindowWidth / 2);
    EXPECT_EQ(g.backend.WindowTop(), 540 - game::kWindowHeight / 2);
  }
  {
    platform::HeadlessBackend::Options o;
    o.desktopWidth = 1025;
    o.desktopHeight = 769;
    Game g(0, o);
    EXPECT_EQ(g.backend.WindowLeft(), 512 - game::kWindowWidth / 2);
    EXPECT_EQ(g.backend.WindowTop(), 384 - game::kWindowHeight / 2);
  }
}

TEST(StartUp, IdleGameDoesNothingOnItsOwn) {
  Game g;
  const auto queue = g.s.PieceQueue;
  g.Frames(3000);
  EXPECT_EQ(g.s.PieceQueue, queue);
  EXPECT_EQ(g.s.PhaseCounter, -1);
  EXPECT_EQ(g.s.FlowCountdown, 0);
  EXPECT_EQ(g.s.TotalScore, 0);
}

// Where each setup piece landed, in the order of the frames.
struct Placement {
  int frame;  // counted from the frame of the level start (1)
  int code, column, row;
};

std::vector<Placement> RunSetup(Game& g, int maxFrames, int* playFrame) {
  std::vector<Placement> placed;
  auto board = g.s.TileGrid;
  *playFrame = 0;
  for (int f = 2; f <= maxFrames; ++f) {
    g.Frames(1);
    for (int c = 0; c < game::kColumns; ++c) {
      for (int r = 0; r < game::kRows; ++r) {
        if (g.s.TileGrid[c][r] != board[c][r]) placed.push_back({f, g.s.TileGrid[c][r], c, r});
      }
    }
    board = g.s.TileGrid;
    if (g.s.PhaseCounter == 200 && *playFrame == 0) *playFrame = f;
  }
  return placed;
}

TEST(Setup, LevelOnePlacesItsThreePieces50FramesApartAndPlaysFromFrame300) {
  Game g(5);
  g.NewGame();  // frame 1 of the level
  EXPECT_EQ(g.s.Level, 1);
  EXPECT_EQ(g.s.PhaseCounter, 1);
  EXPECT_EQ(g.s.PieceQueue[1], 311);
  EXPECT_EQ(g.s.PieceQueue[2], 313);
  EXPECT_EQ(g.s.PieceQueue[3], 20);
  EXPECT_TRUE(g.s.PieceQueue[4] >= 1 && g.s.PieceQueue[4] <= 7);
  int playFrame = 0;
  // Frame 299 sets the countdown.
  std::vector<Placement> placed = RunSetup(g, 299, &playFrame);
  EXPECT_EQ(g.s.PhaseCounter, 199);
  EXPECT_EQ(g.s.FlowCountdown, 30);
  EXPECT_EQ(static_cast<std::uint32_t>(g.s.CountdownTick), g.backend.TickCount());
  g.Frames(1);
  EXPECT_EQ(g.s.PhaseCounter, 200);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0].frame, 100);
  EXPECT_EQ(placed[0].code, 311);
  EXPECT_EQ(placed[1].frame, 150);
  EXPECT_EQ(placed[1].code, 313);
  EXPECT_EQ(placed[2].frame, 200);
  EXPECT_EQ(placed[2].code, 20);
  for (const Placement& p : placed) EXPECT_EQ(g.Lock(p.column, p.row), 1);
  for (int i = 1; i <= 20; ++i) EXPECT_TRUE(g.s.PieceQueue[i] >= 1 && g.s.PieceQueue[i] <= 7);
}

// The placement rules over many set-ups of the biggest levels: a few seeds, and
// several new games in each, every one drawing on the generator afresh.
TEST(Setup, PlacementRulesHoldOverManySeeds) {
  for (int level : {2, 5, 9, 10}) {
    for (std::uint32_t seed = 0; seed < 2; ++seed) {
      Game g(seed * 7919u + static_cast<std::uint32_t>(level));
      g.s.StartLevel = level;
      for (int round = 0; round < 4; ++round) {
        g.NewGame();
        int playFrame = 0;
        const std::span<const std::int32_t> pieces = game::LevelPieces(level);
        const int k = static_cast<int>(pieces.size());
        std::vector<Placement> placed = RunSetup(g, 200 + 50 * (k - 1), &playFrame);
        ASSERT_EQ(static_cast<int>(placed.size()), k) << level << " " << seed;
        EXPECT_EQ(playFrame, 200 + 50 * (k - 1)) << level;
        for (int i = 0; i < k; ++i) {
          const Placement& p = placed[i];
          EXPECT_EQ(p.code, pieces[i]);
          EXPECT_EQ(p.frame, 100 + 50 * i);
          EXPECT_TRUE(p.column >= 1 && p.column <= 19 && p.row >= 3 && p.row <= 14);
          if (game::IsStartTile(p.code)) {
            EXPECT_LE(p.column, 17);
          }
          if (game::IsGoalTile(p.code)) {
            EXPECT_GE(p.column, 3);
          }
          if (game::IsPassTile(p.code)) {
            EXPECT_TRUE(p.column >= 3 && p.column <= 17);
          }
          EXPECT_EQ(g.Lock(p.column, p.row), 1);
          for (int j = 0; j < i; ++j) {
            if (placed[j].row == p.row) {
              EXPECT_GE(std::abs(placed[j].column - p.column), 4);
            }
          }
        }
      }
    }
  }
}

TEST(Countdown, CountsSecondsAndStartsTheWaterAtZero) {
  Game g(3);
  g.NewGame();
  g.RunUntilPlay();
  ASSERT_EQ(g.s.FlowCountdown, 30);
  // A second is counted once more than 1000 ms have passed: every 52nd frame at 51 fps.
  int frames = 0;
  while (g.s.FlowCountdown == 30) {
    g.Frames(1);
    ++frames;
  }
  EXPECT_GE(frames, 51);
  EXPECT_LE(frames, 52);
  while (g.s.FlowCountdown > 0 && frames < 5000) {
    g.Frames(1);
    ++frames;
  }
  EXPECT_EQ(g.s.FlowCountdown, 0);
  // The water started in the frame the countdown reached 0.
  EXPECT_EQ(g.s.FlowStep, 1);
  EXPECT_EQ(g.s.Streams[1].GoalState, -1);
  EXPECT_EQ(g.s.Streams[1].DirX, 1);
  EXPECT_EQ(g.Tile(g.s.Streams[1].Column, g.s.Streams[1].Row), 311);
}

TEST(Countdown, StandsStillWhilePausedAndRestartsItsSecond) {
  Game g(3);
  g.NewGame();
  g.RunUntilPlay();
  g.Frames(30);  // part of the first second has passed
  g.ClickOn(game::kMenuButton);
  g.ClickOn(game::kPauseEntry);
  ASSERT_EQ(g.s.Paused, 1);
  const int held = g.s.FlowCountdown;
  g.Frames(1000);
  EXPECT_EQ(g.s.FlowCountdown, held);
  g.ClickOn(game::kMenuButton);
  g.MouseOn(game::kPauseEntry);
  g.Down();
  g.Frames(1);
  g.Up();
  g.Frames(1);  // "Weiter": the interrupted second starts again from here
  ASSERT_EQ(g.s.Paused, 0);
  int frames = 0;
  while (g.s.FlowCountdown == held) {
    g.Frames(1);
    ++frames;
  }
  EXPECT_GE(frames, 51);
  EXPECT_EQ(g.s.FlowCountdown, held - 1);
}

TEST(Countdown, SurvivesTheWrapOfTheTickCount) {
  platform::HeadlessBackend::Options o;
  o.tickStart = 0xFFFFFFFFu - 8000;  // wraps during the setup and again never
  Game g(9, o);
  g.NewGame();
  g.RunUntilPlay();
  int frames = 0;
  while (g.s.FlowCountdown > 0 && frames < 5000) {
    g.Frames(1);
    ++frames;
  }
  // 30 seconds of slightly more than 1000 ms each.
  EXPECT_GE(frames, 30 * 51);
  EXPECT_LE(frames, 30 * 52 + 1);
  EXPECT_GT(g.backend.TickCount(), 0u);
  EXPECT_LT(g.backend.TickCount(), 100000u);
}

TEST(Setup, PausingDoesNotStopTheSetup) {
  Game g(4);
  g.NewGame();
  g.s.MenuOpen = 0;
  g.s.Paused = 1;  // paused from the level's start on
  int playFrame = 0;
  std::vector<Placement> placed = RunSetup(g, 300, &playFrame);
  EXPECT_EQ(placed.size(), 3u);
  EXPECT_EQ(playFrame, 300);
}

TEST(Levels, CountdownSecondsByLevel) {
  const std::map<int, int> expected = {{1, 30}, {2, 30}, {3, 50}, {5, 50}, {6, 70},
                                       {9, 70}, {10, 90}, {14, 90}};
  for (auto [level, seconds] : expected) EXPECT_EQ(game::LevelCountdown(level), seconds);
}

TEST(Levels, NewGameDuringPlayDiscardsTheLevelInTheSameFrame) {
  Game g(11);
  g.NewGame();
  g.RunUntilPlay();
  g.s.TotalScore = g.s.LevelScore = 40;
  g.s.FlowStep = 60;
  g.Tile(4, 4) = 3;  // a player's piece
  g.ClickOn(game::kMenuButton);
  ASSERT_EQ(g.s.MenuOpen, 1);
  g.MouseOn(game::kNewGameEntry);
  g.Down();
  g.Frames(1);
  g.Up();
  g.Frames(1);  // the release: the new level starts in this very frame
  EXPECT_EQ(g.s.PhaseCounter, 1);
  EXPECT_EQ(g.s.FlowStep, -1);
  EXPECT_EQ(g.s.TotalScore, 0);
  EXPECT_EQ(g.s.LevelScore, 0);
  EXPECT_EQ(g.s.MenuOpen, 0);
  for (int c = 1; c <= 19; ++c) {
    for (int r = 3; r <= 14; ++r) {
      EXPECT_EQ(g.Tile(c, r), 0);
      EXPECT_EQ(g.Lock(c, r), 0);
    }
  }
  EXPECT_EQ(g.s.PieceQueue[1], 311);
}

TEST(Levels, WonLevelLeadsToTheNextWithTheTotalKept) {
  Game g;
  g.PlayOnCustomBoard();
  g.s.Level = 3;
  g.Tile(5, 5) = 311;
  g.Tile(6, 5) = 313;
  g.Frames(256);
  ASSERT_EQ(g.s.LevelCleared, 1);
  EXPECT_EQ(g.s.TotalScore, 52);
  g.ClickOn(game::kOkButton);  // no piece lands (PhaseCounter is -1)
  EXPECT_EQ(g.s.Level, 4);
  EXPECT_EQ(g.s.LevelCleared, 0);
  EXPECT_EQ(g.s.LevelScore, 0);
  EXPECT_EQ(g.s.TotalScore, 52);
  EXPECT_EQ(g.s.PhaseCounter, 1);
  EXPECT_EQ(g.s.PieceQueue[1], 311);
  EXPECT_EQ(g.s.PieceQueue[2], 312);
  EXPECT_EQ(g.Tile(5, 5), 0);
}

TEST(Levels, OkAfterTheLastLevelLeavesTheGameIdleWithItsBoard) {
  Game g;
  g.PlayOnCustomBoard();
  g.s.Level = 10;
  g.Tile(5, 5) = 311;
  g.Tile(6, 5) = 313;
  g.Frames(256);
  ASSERT_EQ(g.s.LevelCleared, 1);
  const auto board = g.s.TileGrid;
  g.ClickOn(game::kOkButton);
  EXPECT_EQ(g.s.Level, 10);
  EXPECT_EQ(g.s.PhaseCounter, -1);
  EXPECT_EQ(g.s.LevelCleared, 0);
  EXPECT_EQ(g.s.TotalScore, 52);
  g.Frames(500);
  EXPECT_EQ(g.s.TileGrid, board);
  EXPECT_EQ(g.s.PhaseCounter, -1);
  g.NewGame();  // a new game starts again at the start level with nothing scored
  EXPECT_EQ(g.s.Level, 1);
  EXPECT_EQ(g.s.TotalScore, 0);
}

TEST(Levels, ChosenStartLevelIsPlayedByTheNextNewGame) {
  Game g;
  g.ClickOn(game::kMenuButton);
  g.ClickOn(game::kStartLevelEntry);  // the list opens, the menu stays
  ASSERT_EQ(g.s.LevelListOpen, 1);
  ASSERT_EQ(g.s.MenuOpen, 1);
  g.ClickOn(game::LevelListEntry(7));
  EXPECT_EQ(g.s.StartLevel, 7);
  EXPECT_EQ(g.s.LevelListOpen, 1);
  g.ClickOn(game::kNewGameEntry);
  EXPECT_EQ(g.s.Level, 7);
  EXPECT_EQ(g.s.LevelListOpen, 0);
  EXPECT_EQ(g.s.PieceQueue[7], 333);
  EXPECT_EQ(g.s.PieceQueue[8], 20);
}

}  // namespace
