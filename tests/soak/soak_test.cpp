// Soak: a long run of random but plausible play across many seeds, checking after
// every frame that the game stays within its rules and that memory does not grow, and
// wherever the game says it stands still, that one more frame changes nothing.
//
// CI runs a short soak.  The full run (one million frames):
//   QUELMO_SOAK_FRAMES=1000000 build/release/tests/soak_tests
#include <gtest/gtest.h>
#ifdef _WIN32
#include <malloc.h>
#else
#include <unistd.h>
#endif

#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <random>
#include <string>

#include "game/board.h"
#include "game/layout.h"
#include "game/level_list.h"
#include "game/game.h"
#include "platform/headless/headless_backend.h"
#include "runtime/screen.h"
#include "tests/driver/played_game.h"
#include "tests/driver/still_check.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
constexpr long kDefaultFrames = 10000;
#else
constexpr bool kSanitized = false;
constexpr long kDefaultFrames = 30000;
#endif

long SoakFrames() {
  const char* env = std::getenv("QUELMO_SOAK_FRAMES");
  if (env == nullptr) return kDefaultFrames;
  return std::max(1000L, std::strtol(env, nullptr, 10));
}

#ifdef _WIN32
// Windows has no /proc: the bytes in use on the C runtime's heap, where every
// allocation of the game is made, stand in for the resident memory.
long ResidentKilobytes() {
  _HEAPINFO entry{};
  long long used = 0;
  while (_heapwalk(&entry) == _HEAPOK) {
    if (entry._useflag == _USEDENTRY) used += static_cast<long long>(entry._size);
  }
  return static_cast<long>(used / 1024);
}
#else
long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
#endif

bool ValidCode(std::int32_t code) {
  return (code >= 0 && code <= 7) || code == game::kStone || game::IsSpecialTile(code);
}

// Checks the rules that must hold after every frame; `before` is the state after the
// previous frame.  Returns an empty text or what went wrong.
std::string Check(const game::GameState& s, const game::GameState& before) {
  if (s.LevelFailed != 0 && s.LevelCleared != 0) return "both LevelFailed and LevelCleared";
  if (s.PhaseCounter < -1 || s.PhaseCounter > 200) return "PhaseCounter out of range";
  if (s.FlowStep < -1 || s.FlowStep > 128) return "FlowStep out of range";
  if (s.FlowSpeed != 1 && s.FlowSpeed != 4) return "FlowSpeed neither 1 nor 4";
  if (s.QueueSlide < 0 || s.QueueSlide > 32 || s.QueueSlide % 4 != 0) return "QueueSlide";
  if (s.Level < 0 || s.Level > s.LastLevel || s.StartLevel < 1 || s.StartLevel > s.LastLevel) {
    return "Level or StartLevel out of range";
  }
  if (s.FlowCountdown < 0 || s.FlowCountdown > 90) return "FlowCountdown out of range";
  for (int i = 0; i <= 20; ++i) {
    if (!ValidCode(s.PieceQueue[i]) || s.PieceQueue[i] == 0) return "queue holds an invalid code";
    if (s.PhaseCounter == 200 && i >= 1 && !game::IsPipe(s.PieceQueue[i])) {
      return "queue holds a setup piece during play";
    }
  }
  if (s.PieceQueue[21] != 0) return "queue entry 21 was written";
  for (int c = 0; c < game::kColumns; ++c) {
    for (int r = 0; r < game::kRows; ++r) {
      const std::int32_t code = s.TileGrid[c][r];
      const std::string at = " at " + std::to_string(c) + "," + std::to_string(r);
      if (!ValidCode(code)) return "invalid cell code" + at;
      if ((c == 0 || r < 3) && code != 0) return "piece outside the field" + at;
      if (s.LockGrid[c][r] != 0 && s.LockGrid[c][r] != 1) return "lock neither 0 nor 1" + at;
      // A locked cell keeps its piece until the next level clears the whole field.
      if (before.LockGrid[c][r] == 1 && code != before.TileGrid[c][r] &&
          !(code == 0 && s.LockGrid[c][r] == 0)) {
        return "a locked cell received a piece" + at;
      }
      if (code < game::kStone) continue;
      // Setup pieces: locked, in their columns, and apart from the others of the row.
      if (s.LockGrid[c][r] != 1) return "setup piece not locked" + at;
      if (game::IsStartTile(code) && c > 17) return "start tile too far right" + at;
      if (game::IsGoalTile(code) && c < 3) return "goal tile too far left" + at;
      if (game::IsPassTile(code) && (c < 3 || c > 17)) return "pass tile at an edge" + at;
      for (int d = 1; d <= 3 && c + d < game::kColumns; ++d) {
        if (s.TileGrid[c + d][r] >= game::kStone) return "setup pieces too close" + at;
      }
    }
  }
  for (int n = 1; n <= 4; ++n) {
    const game::StreamRecord& st = s.Streams[n];
    if (st.GoalState < -1 || st.GoalState > 1 || st.PassState < -1 || st.PassState > 1) {
      return "stream state out of range";
    }
  }
  return {};
}

// Whether water moving (dx, dy) may enter a cell holding `code` of its own colour.
bool Enters(std::int32_t code, int dx, int dy) {
  switch (code) {
    case 1: return dx == 0;
    case 2: return dy == 0;
    case 3: return !(dy < 0 || dx > 0);
    case 4: return !(dy > 0 || dx > 0);
    case 5: return !(dy > 0 || dx < 0);
    case 6: return !(dy < 0 || dx < 0);
    case 7: case 20: return true;
    default: return false;
  }
}

// The way water leaves a pipe it entered moving (dx, dy).
void Turn(std::int32_t code, int& dx, int& dy) {
  const bool horizontal = dx != 0;
  switch (code) {
    case 3: dx = horizontal ? 0 : 1; dy = horizontal ? -1 : 0; break;
    case 4: dx = horizontal ? 0 : 1; dy = horizontal ? 1 : 0; break;
    case 5: dx = horizontal ? 0 : -1; dy = horizontal ? 1 : 0; break;
    case 6: dx = horizontal ? 0 : -1; dy = horizontal ? -1 : 0; break;
    default: break;
  }
}

// Where the tile `code` lies, or false.
bool Find(const game::GameState& s, std::int32_t code, int& column, int& row) {
  for (int c = 1; c <= 19; ++c) {
    for (int r = 3; r <= 14; ++r) {
      if (s.TileGrid[c][r] == code) {
        column = c;
        row = r;
        return true;
      }
    }
  }
  return false;
}

// Follows the pipes of one stream from its start tile to the first grass cell the
// water would run onto, marking the cells on the way.  True with that cell if the
// next piece fits there and leads the water closer to the cell left of its goal.
bool CellToExtend(const game::GameState& s, int colour, int& column, int& row,
                  std::array<std::array<bool, game::kRows>, game::kColumns>& onPath) {
  int c = 0, r = 0, gc = 0, gr = 0;
  if (!Find(s, game::SpecialTile(colour, game::kKindStart), c, r) ||
      !Find(s, game::SpecialTile(colour, game::kKindGoal), gc, gr)) {
    return false;
  }
  --gc;  // the water must come into the goal from its left
  int dx = 1, dy = 0;
  for (int steps = 0; steps < 100; ++steps) {
    c += dx;
    r += dy;
    if (c < 1 || c > 19 || r < 3 || r > 14) return false;
    onPath[c][r] = true;
    const std::int32_t code = s.TileGrid[c][r];
    if (code == 0) {
      const std::int32_t piece = s.PieceQueue[1];
      if (s.LockGrid[c][r] != 0 || !Enters(piece, dx, dy)) return false;
      Turn(piece, dx, dy);
      column = c;
      row = r;
      if (c == gc && r == gr) return dx == 1;
      return std::abs(c + dx - gc) + std::abs(r + dy - gr) < std::abs(c - gc) + std::abs(r - gr);
    }
    if (code == game::SpecialTile(colour, game::kKindGoal)) return false;  // done
    if (code == game::SpecialTile(colour, game::kKindPass) && dy == 0) continue;
    if (!Enters(code, dx, dy)) return false;
    Turn(code, dx, dy);
  }
  return false;
}

// A random player: clicks and holds on the board, the menu, the level list,
// "Schnell" and "O K", drags the window; never the close button.  It reacts to what
// it sees a little, as a player would: it resumes a paused game, confirms the result
// panels and starts a new game when nothing runs.
class Player {
 public:
  Player(std::uint32_t seed, platform::HeadlessBackend& backend) : rng_(seed), b_(backend) {}

  // Sets the input for the next frame.
  void Next(const game::GameState& s) {
    if (remaining_ > 0) {
      --remaining_;
      if (dragging_) Move(s.FrameMouseX + Uniform(-6, 6), s.FrameMouseY + Uniform(-6, 6));
      if (trail_ && remaining_ % 5 == 0) Move(Uniform(17, 623), Uniform(81, 463));
      if (remaining_ == 0) b_.SetButton(false);  // the next frame sees the release
      return;
    }
    dragging_ = trail_ = false;
    if (!plan_.empty()) {
      const Click c = plan_.front();
      plan_.pop_front();
      Press(c.x, c.y, 1);
      return;
    }
    const bool idle = s.PhaseCounter == -1 && s.LevelFailed == 0 && s.LevelCleared == 0;
    if (s.Paused != 0 && Uniform(0, 3) == 0) {
      if (s.MenuOpen == 0) plan_.push_back(Inside(game::kMenuButton));
      plan_.push_back(Inside(game::kPauseEntry));  // "Weiter"
      return;
    }
    if ((s.LevelFailed != 0 || s.LevelCleared != 0) && Uniform(0, 9) == 0) {
      Press(InsideX(game::kOkButton), InsideY(game::kOkButton), 1);
      return;
    }
    if (idle && Uniform(0, 19) == 0) {
      if (s.MenuOpen == 0) plan_.push_back(Inside(game::kMenuButton));
      plan_.push_back(Inside(game::kNewGameEntry));
      return;
    }
    // Mostly it builds: it lays the next piece where the water of a stream would run
    // next if the piece leads it towards its goal, or else puts it out of the way.
    if (s.PhaseCounter == 200 && s.LevelFailed == 0 && s.QueueSlide == 0 && s.Paused == 0 &&
        s.MenuOpen == 0 && Uniform(0, 9) < 8) {
      std::array<std::array<bool, game::kRows>, game::kColumns> onPath{};
      int column = 0, row = 0;
      for (int colour = 1; colour <= 4; ++colour) {
        if (CellToExtend(s, colour, column, row, onPath)) {
          const game::Point centre = game::CellCentre(column, row);
          Press(centre.x + Uniform(-15, 15), centre.y + Uniform(-15, 15), 1);
          return;
        }
      }
      for (int tries = 0; tries < 20; ++tries) {
        column = Uniform(1, 19);
        row = Uniform(3, 14);
        if (!onPath[column][row] && s.LockGrid[column][row] == 0) {
          const game::Point centre = game::CellCentre(column, row);
          Press(centre.x, centre.y, 1);
          return;
        }
      }
    }
    const int pick = Uniform(0, 999);
    if (pick < 250) {
      remaining_ = Uniform(1, 80);  // doing nothing for a while
    } else if (pick < 560) {
      Press(Uniform(17, 623), Uniform(81, 463), Uniform(1, 3));  // a board cell
    } else if (pick < 660) {
      trail_ = true;
      Press(Uniform(17, 623), Uniform(81, 463), Uniform(8, 60));  // held over the board
    } else if (pick < 710) {
      const Click c = Inside(game::kMenuButton);
      Press(c.x, c.y, 1);
    } else if (pick < 760) {
      // Menu entries: "Neues Spiel" and "Pause" less often than "Startlevel".
      const int roll = Uniform(0, 19);
      const game::Rect& entry = roll == 0   ? game::kNewGameEntry
                                : roll == 1 ? game::kPauseEntry
                                            : game::kStartLevelEntry;
      Press(InsideX(entry), InsideY(entry), 1);
    } else if (pick < 800) {
      // A list entry's row, levels 1 to 10.
      Press(InsideX(game::LevelListEntry(1)), game::ListEntryTop(Uniform(1, 10)) + 1 + Uniform(0, 14), 1);
    } else if (pick < 850) {
      Press(InsideX(game::kFastButton), InsideY(game::kFastButton), 1);
    } else if (pick < 880) {
      Press(InsideX(game::kOkButton), InsideY(game::kOkButton), Uniform(1, 2));  // or below it
    } else if (pick < 920) {
      dragging_ = true;
      // The title bar, short of the close button.
      Press(Uniform(game::kDragHandle.left + 1, 610), InsideY(game::kDragHandle), Uniform(2, 30));
    } else if (pick < 960) {
      // A click shorter than a frame.
      Move(Uniform(0, 619), Uniform(0, 479));
      b_.SetButton(true);
      b_.SetButton(false);
      remaining_ = 1;
    } else {
      // Anywhere but the close button, borders included.
      Press(Uniform(-20, 660), Uniform(-20, 500), Uniform(1, 4));
    }
  }

 private:
  struct Click {
    int x, y;
  };
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  // A point strictly inside a control, where a click acts on it.
  int InsideX(const game::Rect& r) { return Uniform(r.left + 1, r.right - 1); }
  int InsideY(const game::Rect& r) { return Uniform(r.top + 1, r.bottom - 1); }
  Click Inside(const game::Rect& r) { return {InsideX(r), InsideY(r)}; }
  void Move(int x, int y) {
    // Keep clear of the close button.
    if (x >= game::kCloseButton.left - 4 && y <= game::kCloseButton.bottom) y = game::kCloseButton.bottom + 1;
    b_.SetPointerInWindow(x, y);
  }
  void Press(int x, int y, int frames) {
    Move(x, y);
    b_.SetButton(true);
    remaining_ = frames;
  }

  std::mt19937 rng_;
  platform::HeadlessBackend& b_;
  std::deque<Click> plan_;
  int remaining_ = 0;
  bool dragging_ = false;
  bool trail_ = false;
};

struct Tally {
  long frames = 0, flowFrames = 0, placements = 0, cleared = 0, failed = 0, newGames = 0;
  long still = 0, stillInPlay = 0;  // frames checked where the game stood still
  long maxGrowthKb = 0;  // the most any one game grew after its first 2000 frames
};

void SoakOneSeed(std::uint32_t seed, long frames, Tally& tally) {
  testing_game::Game g(seed);
  platform::HeadlessBackend& backend = g.backend;
  game::GameState& s = g.s;
  Player player(seed, backend);
  // Start with a game so that every seed reaches the setup and the water.
  g.NewGame();
  game::GameState before = s;
  long warmKb = 0;
  for (long f = 0; f < frames; ++f) {
    if (f == 2000) warmKb = ResidentKilobytes();
    player.Next(s);
    g.Frames(1);
    const std::string fault = Check(s, before);
    if (!fault.empty()) {
      FAIL() << "seed " << seed << ", frame " << f << ": " << fault;
    }
    // The headless screen takes only the rows each present says changed: now and then
    // it must show exactly the frame the game drew.
    if (f % 97 == 96) {
      const rt::Surface* back = rt::BackBuffer();
      if (back == nullptr || back->pixels != backend.LastFrame()) {
        FAIL() << "seed " << seed << ", frame " << f << ": the screen is not the frame drawn";
      }
    }
    if (g.Still()) {
      ++tally.still;
      tally.stillInPlay += s.PhaseCounter == 200 ? 1 : 0;
      const std::string change = testing_game::ChangedByAStillFrame(g);
      if (!change.empty()) FAIL() << "seed " << seed << ", frame " << f << ", standing still: " << change;
    }
    tally.flowFrames += s.FlowStep > 0 && s.LevelFailed == 0 ? 1 : 0;
    tally.placements += s.QueueSlide == 32 && s.PhaseCounter == 200 ? 1 : 0;
    tally.cleared += s.LevelCleared && !before.LevelCleared ? 1 : 0;
    tally.failed += s.LevelFailed && !before.LevelFailed ? 1 : 0;
    tally.newGames += s.PhaseCounter == 1 && before.PhaseCounter != 0 ? 1 : 0;
    before = s;
  }
  tally.frames += frames;
  if (warmKb > 0) tally.maxGrowthKb = std::max(tally.maxGrowthKb, ResidentKilobytes() - warmKb);
}

// Memory is watched within each game, after its first 2000 frames: every start-up
// makes the runtime's fonts anew, and those live until the process ends by design.
TEST(Soak, RandomPlayKeepsTheRulesAndTheMemory) {
  const long total = SoakFrames();
  const long perSeed = std::min(20000L, std::max(5000L, total / 50));
  const int seeds = static_cast<int>((total + perSeed - 1) / perSeed);
  Tally tally;
  for (int i = 0; i < seeds; ++i) {
    const long frames = std::min(perSeed, total - tally.frames);
    SoakOneSeed(static_cast<std::uint32_t>(i) * 2654435761u + 1u, frames, tally);
    if (HasFatalFailure()) return;
  }
  std::printf("soak: %ld frames over %d seeds; %ld flow frames, %ld placements, %ld new "
              "levels, %ld won, %ld lost; %ld still frames checked, %ld of them in a level; "
              "largest growth of resident memory within a game %ld kB, %ld kB resident at "
              "the end\n",
              tally.frames, seeds, tally.flowFrames, tally.placements, tally.newGames,
              tally.cleared, tally.failed, tally.still, tally.stillInPlay, tally.maxGrowthKb,
              ResidentKilobytes());
  EXPECT_EQ(tally.frames, total);
  EXPECT_GT(tally.flowFrames, 0);
  EXPECT_GT(tally.placements, 0);
  EXPECT_GT(tally.still, 0);
  EXPECT_GT(tally.stillInPlay, 0);
  if (!kSanitized) {
    EXPECT_LT(tally.maxGrowthKb, 1024) << "memory grew during play";
  }
}

}  // namespace
