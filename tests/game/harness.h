#pragma once
// The real game on the headless backend, driven frame by frame like a player would.
#include <cstdint>

#include "game/game.h"
#include "game/state.h"
#include "platform/headless/headless_backend.h"

namespace testing_game {

class Game {
 public:
  explicit Game(std::uint32_t seed = 0,
                platform::HeadlessBackend::Options options = platform::HeadlessBackend::Options{})
      : backend(options) {
    platform::SetBackend(&backend);
    game::GameStartup(s, seed);
  }
  ~Game() { platform::SetBackend(nullptr); }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  void Frames(int n) {
    for (int i = 0; i < n; ++i) game::GameFrame(s);
  }
  void Mouse(int x, int y) { backend.SetPointerInWindow(x, y); }
  void Down() { backend.SetButton(true); }
  void Up() { backend.SetButton(false); }
  // Press for one frame and release in the next, as a player's quick click.
  void Click(int x, int y) {
    Mouse(x, y);
    Down();
    Frames(1);
    Up();
    Frames(1);
  }
  // Opens the menu and chooses "Neues Spiel"; the level starts in the second frame.
  void NewGame() {
    Click(30, 8);
    Click(30, 24);
  }
  // Runs frames until the level is in play (PhaseCounter 200); returns how many.
  int RunUntilPlay(int limit = 2000) {
    int n = 0;
    while (s.PhaseCounter != 200 && n < limit) {
      Frames(1);
      ++n;
    }
    return n;
  }
  // A hand-made level in play: a cleared field, no countdown, no water yet.  The
  // caller writes the board; the next frame starts the water.
  void PlayOnCustomBoard() {
    s.Level = 1;
    s.PhaseCounter = 200;
    s.FlowCountdown = 0;
    s.FlowStep = -1;
    for (auto& column : s.TileGrid) column.fill(0);
    for (auto& column : s.LockGrid) column.fill(0);
  }
  std::int32_t& Tile(int c, int r) { return s.TileGrid[c][r]; }
  std::int32_t& Lock(int c, int r) { return s.LockGrid[c][r]; }

  platform::HeadlessBackend backend;
  game::GameState s;
};

// Window point at the centre of board cell (c, r).
constexpr int CellX(int c) { return 32 * c; }
constexpr int CellY(int r) { return 32 * r; }

}  // namespace testing_game
