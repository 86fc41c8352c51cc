#pragma once
// The game as its platform runs it: start-up once, then the frame loop, which the
// platform drives.  A frame has two waits (10 ms before its first step, and after it
// is shown until its paced deadline); the game hands each to the platform by value,
// and the platform decides how it waits and runs the frame on when the time has come.
// The game itself never blocks.
#include <cstdint>
#include <optional>

#include "game/layout.h"  // the window's size
#include "game/state.h"
#include "game/still.h"
#include "runtime/frame_pace.h"

namespace game {

// The frame's pace: SetFramePace's rate (which the pacing rule makes 51 frames a
// second), and the sleep before the first step of every frame.
constexpr int kFramePaceRate = 50;
constexpr int kSleepBeforeFrameMs = 10;

// What the program entry chooses before the game starts.
struct StartOptions {
  // Replaces the tick count as the random generator's seed: a game played again.
  std::optional<std::uint32_t> seed;
  // The language of the game's texts (German unless asked otherwise).
  const texts::Table* texts = &texts::kGerman;
  // Every start, pass and goal tile carries a mark of its stream, for players who
  // cannot tell the colours apart.
  bool marks = false;
};

// Where a frame handed the thread back to the platform.
struct FrameStop {
  enum class Kind {
    // The frame is shown; `wait` is its pacing wait.  The steps after it read nothing
    // from the platform but the tick count, and read the count of the wait's end: a
    // platform may Run them at once, in the same wake as the frame, or after the wait.
    kShown,
    // The frame is done; `wait` is the next frame's sleep, which the platform carries
    // out before it runs the next frame.  With `still`, that frame and every one after
    // it would change nothing until new input comes: a platform may wait for input
    // instead, and count the frames it left out (PassStillFrames).
    kFrameEnd,
    // The close button ended the game: the entry returns exit status 0.
    kGameOver,
  };
  Kind kind = Kind::kFrameEnd;
  rt::FrameWait wait;
  bool still = false;
};

class Game {
 public:
  // Start-up: runtime services, arrays, fonts, window, screen, sprites, initial state.
  // Returns the first frame's sleep, for the platform to carry out before it Runs.
  rt::FrameWait Start(const StartOptions& options = {});
  // Runs the frame on from where it stopped to its showing (steps 2 to 18) or from
  // there to its end (steps 19 to 26, and the next frame's sleep).
  FrameStop Run();
  // The game stood still since its last frame, whose stop was `end`, until counter
  // time `now`: the frames due meanwhile count as run, and the next Run is the frame
  // due next.  Returns how many were left out.
  std::uint64_t PassStillFrames(const FrameStop& end, std::uint64_t now);

  GameState& State() { return s_; }
  const GameState& State() const { return s_; }
  bool Over() const { return over_; }

 private:
  GameState s_;
  StillWatch still_;
  bool shown_ = false;  // the frame is shown, and its last steps are still to run
  bool over_ = false;
};

}  // namespace game
