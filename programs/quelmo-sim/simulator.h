#pragma once
// The real game on the headless backend, driven one script command at a time.
#include <cstdint>
#include <ostream>
#include <string>

#include "game/state.h"
#include "platform/headless/headless_backend.h"
#include "programs/quelmo-sim/script.h"

namespace sim {

struct Options {
  std::uint32_t seed = 0;
  std::uint32_t tickStart = 0;
  int desktopWidth = 1920;
  int desktopHeight = 1080;
  int scale = 1;  // the headless screen's whole-number enlargement
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
  // file that cannot be written).  The close button ends the game by throwing
  // platform::ProgramExit out of here.
  bool Execute(const Command& command, std::ostream& out, std::string& error);
  void RunFrames(std::int64_t count);
  BenchResult Bench(std::int64_t count);
  void WriteState(std::ostream& out);

  game::GameState& State() { return state_; }
  platform::HeadlessBackend& Backend() { return backend_; }
  std::uint64_t FramesRun() const { return frames_; }

 private:
  platform::HeadlessBackend backend_;
  game::GameState state_;
  std::uint64_t frames_ = 0;
};

}  // namespace sim
