#pragma once
// The game as its platform runs it: start-up once, then the frame loop, which the
// platform drives.  A frame stops twice to wait (10 ms before its first step, and
// after it is shown until its paced deadline); the platform decides how it waits and
// runs the frame on when the time has come.  The game itself never blocks.
#include <cstdint>
#include <optional>

#include "game/state.h"
#include "runtime/frame_pace.h"

namespace game {

// The game's window, in game pixels: a backend that enlarges it needs the size before
// the window opens, to choose a factor at which it fits the desktop.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

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

// Where the frame handed the thread back to the platform.
struct FrameStop {
  enum class Kind {
    kWait,      // at one of the frame's waits: Run again once the counter reaches wait.until
    kFrameEnd,  // a whole frame is done: the next may begin at once
    kGameOver,  // the close button ended the game: the entry returns exit status 0
  };
  Kind kind = Kind::kFrameEnd;
  rt::FrameWait wait;  // kWait
};

class Game {
 public:
  // Start-up: runtime services, arrays, fonts, window, screen, sprites, initial state.
  void Start(const StartOptions& options = {});
  // Runs the frame on from where it stopped, up to its next wait or its end.
  FrameStop Run();

  GameState& State() { return s_; }
  const GameState& State() const { return s_; }
  bool Over() const { return over_; }

 private:
  // The stretches of a frame between its waits.
  enum class Stretch {
    kTop,        // step 1: the sleep before the frame
    kUntilShow,  // steps 2 to 18: events, drawing, the mouse and its button, showing
    kAfterShow,  // steps 19 to 26: the level, the countdown and the water
  };

  GameState s_;
  Stretch next_ = Stretch::kTop;
  bool over_ = false;
};

}  // namespace game
