#pragma once
// The real game on the headless backend: quelmo-sim's script commands, and the one
// driver of the tests.  It runs the game's frame loop as a desktop does, each wait of
// a frame carried out on the virtual clock.
#include <cstdint>
#include <ostream>
#include <string>

#include "game/game.h"
#include "game/state.h"
#include "platform/headless/headless_backend.h"
#include "programs/common/keyboard_pointer.h"
#include "programs/common/script.h"

namespace sim {

struct Options {
  std::uint32_t seed = 0;
  std::uint32_t tickStart = 0;
  int desktopWidth = 1920;
  int desktopHeight = 1080;
  int scale = 1;  // the headless screen's whole-number enlargement
  const game::texts::Table* texts = &game::texts::kGerman;  // the game's language
  bool marks = false;  // the streams' marks on their tiles
};

// Per-frame work time of a run with every wait skipped.
struct BenchResult {
  double medianMicros = 0;
  double p99Micros = 0;
  double maxMicros = 0;
  double framesPerSecond = 0;
};

class Simulator {
 public:
  // Sets the headless backend and runs the game's start-up.
  explicit Simulator(const Options& options);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Runs one command; `out` receives the state reports.  False with `error` set for a
  // command that cannot be carried out (an index out of range, an unknown name, a
  // file that cannot be written).  Once the close button has ended the game, nothing
  // runs any more (GameOver).
  bool Execute(const programs::Command& command, std::ostream& out, std::string& error);
  // Runs `count` whole frames, or fewer when the game ends.
  void RunFrames(std::int64_t count);
  BenchResult Bench(std::int64_t count);
  void WriteState(std::ostream& out);

  // The player's hand: the pointer at window point (x, y), the left button, and a
  // click (one frame held, the next released).
  void Mouse(int x, int y) { backend_.SetPointerInWindow(x, y); }
  void Down() { backend_.SetButton(true); }
  void Up() { backend_.SetButton(false); }
  void Click(int x, int y);
  // A key of the keyboard or a gamepad, from the next frame on, and a press of it (down
  // for a frame, then up for one).
  void Key(platform::Key key, bool down) { backend_.PressKey(key, down); }
  void Press(platform::Key key);

  game::GameState& State() { return game_.State(); }
  platform::HeadlessBackend& Backend() { return backend_; }
  std::uint64_t FramesRun() const { return frames_; }
  // The close button has ended the game: the program's exit status is 0.
  bool GameOver() const { return game_.Over(); }
  // The game says that the next frame, seeing the same input, would change nothing:
  // a real platform would leave it out and wait for input.
  bool Still() const { return lastEnd_.still; }

 private:
  platform::HeadlessBackend backend_;
  game::Game game_;
  programs::KeyboardPointer keys_;
  rt::FrameWait nextSleep_;  // the sleep before the next frame
  game::FrameStop lastEnd_;  // how the last frame ended
  std::uint64_t frames_ = 0;
};

}  // namespace sim
