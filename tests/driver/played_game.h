#pragma once
// The game as the tests play it: quelmo-sim's driver (the real game on the headless
// backend, every wait of a frame carried out on the virtual clock), with the moves and
// set-ups the test areas share.  Tests look at what a player sees: the state after
// scripted frames and the pixels of the frames shown.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/board.h"
#include "game/layout.h"
#include "game/sprites.h"
#include "game/state.h"
#include "platform/headless/headless_backend.h"
#include "programs/quelmo-sim/simulator.h"
#include "runtime/canvas.h"
#include "runtime/screen.h"
#include "runtime/surface.h"

namespace testing_game {

inline sim::Options DriverOptions(std::uint32_t seed, const platform::HeadlessBackend::Options& o) {
  return sim::Options{seed, o.tickStart, o.desktopWidth, o.desktopHeight, o.scale};
}

class Game : public sim::Simulator {
 public:
  explicit Game(std::uint32_t seed = 0,
                platform::HeadlessBackend::Options options = platform::HeadlessBackend::Options{})
      : sim::Simulator(DriverOptions(seed, options)), s(State()), backend(Backend()) {}
  // A game started as quelmo-sim starts it with `options` (a language, the marks).
  explicit Game(const sim::Options& options)
      : sim::Simulator(options), s(State()), backend(Backend()) {}

  void Frames(int n) { RunFrames(n); }
  // The pointer at a window point, and a click there: a control's centre, a cell's.
  using sim::Simulator::Click;
  using sim::Simulator::Mouse;
  void Mouse(game::Point p) { Mouse(p.x, p.y); }
  void Click(game::Point p) { Click(p.x, p.y); }
  void MouseOn(const game::Rect& control) { Mouse(game::CentreOf(control)); }
  void ClickOn(const game::Rect& control) { Click(game::CentreOf(control)); }
  // Opens the menu and chooses "Neues Spiel"; the level starts in the second frame.
  void NewGame() {
    ClickOn(game::kMenuButton);
    ClickOn(game::kNewGameEntry);
  }
  // Runs frames until the level is in play (PhaseCounter 200); returns how many.
  int RunUntilPlay(int limit = 2000) {
    int n = 0;
    while (s.PhaseCounter != game::kPhasePlaying && n < limit) {
      Frames(1);
      ++n;
    }
    return n;
  }
  // A hand-made level in play: a cleared board, no countdown, no water yet.  The
  // caller writes the board; the next frame starts the water.
  void PlayOnCustomBoard() {
    s.Level = 1;
    s.PhaseCounter = game::kPhasePlaying;
    s.FlowCountdown = 0;
    s.FlowStep = game::kNoFlow;
    for (auto& column : s.TileGrid) column.fill(0);
    for (auto& column : s.LockGrid) column.fill(0);
  }
  // A level in play without set-up, for looking at it: the field is grass, the water
  // layer black, the countdown far from its end, no water until a stream is given.
  void ReadyToPlay() {
    for (int c = game::kFirstColumn; c <= game::kLastColumn; ++c) {
      for (int r = game::kFirstRow; r <= game::kLastRow; ++r) {
        s.TileGrid[c][r] = 0;
        s.LockGrid[c][r] = 0;
      }
    }
    for (auto& stream : s.Streams) stream = game::StreamRecord{};
    s.Level = 1;
    s.PhaseCounter = game::kPhasePlaying;
    s.FlowCountdown = 5;
    s.FlowStep = game::kNoFlow;
    s.QueueSlide = 0;
    FillWater(0);
  }
  std::int32_t& Tile(int c, int r) { return s.TileGrid[c][r]; }
  std::int32_t& Lock(int c, int r) { return s.LockGrid[c][r]; }

  // The last frame shown, and one pixel of it.
  const std::vector<std::uint32_t>& Frame() const { return backend.LastFrame(); }
  std::uint32_t Pixel(int x, int y) const {
    return Frame().at(static_cast<std::size_t>(y) * static_cast<std::size_t>(backend.LastFrameWidth()) +
                      static_cast<std::size_t>(x));
  }
  // The water layer, which the board shows through its channels.
  static const rt::Surface& WaterLayer() { return *rt::FindSprite(game::sprite::kWaterLayer); }
  static std::uint32_t Water(int x, int y) { return WaterLayer().At(x, y); }
  // Fills the whole water layer with one colour, as if water had flowed everywhere.
  static void FillWater(std::uint32_t pixel) {
    rt::OpenCanvas(rt::SpriteCanvas(game::sprite::kWaterLayer));
    rt::FillBox(0, 0, game::kWindowWidth, game::kWindowHeight,
                rt::PackColour(static_cast<int>((pixel >> 16) & 255), static_cast<int>((pixel >> 8) & 255),
                               static_cast<int>(pixel & 255)));
    rt::CloseCanvas();
  }

  game::GameState& s;
  platform::HeadlessBackend& backend;
};

// Window point at the centre of board cell (c, r).
constexpr int CellX(int c) { return game::CellCentre(c, 0).x; }
constexpr int CellY(int r) { return game::CellCentre(0, r).y; }

}  // namespace testing_game
