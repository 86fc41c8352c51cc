#pragma once
// The controls of a recording being watched, the same in the window and in the page:
//
//   Space   pause, and go on
//   Right   while paused, one frame on
//   F       the speed: x1, x4, x16, and x1 again
//   T       take over: from this frame on the recording stops and the player plays on
//
// The player's pointer and keys never reach the recorded game; after taking over they
// do, as in any game.
#include "platform/keys.h"

namespace programs {

class WatchControls {
 public:
  enum class State { kPlaying, kPaused, kEnded, kLive };
  static constexpr int kSpeeds[] = {1, 4, 16};

  // A key of the player's, while watching.
  void Key(const platform::KeyEvent& e);
  // The recording has no frame left: its last frame stays.
  void End() {
    if (state_ != State::kLive) state_ = State::kEnded;
  }

  State Now() const { return state_; }
  int Speed() const { return kSpeeds[speed_]; }
  // Whether a frame of the recording is to run now: while it plays, or once for a step.
  bool TakeFrame();
  // Whether the player asked to take over since the last look (once).
  bool TakeOverAsked();

 private:
  State state_ = State::kPlaying;
  int speed_ = 0;
  bool step_ = false;
  bool takeOver_ = false;
};

}  // namespace programs
