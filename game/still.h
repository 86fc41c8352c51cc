#pragma once
// When the game stands still: the states in which a frame that sees no new input
// changes nothing, neither the picture nor anything a later frame reads.  There a real
// platform shows no frames and waits for input instead; the frames it leaves out
// still count, each on its deadline (Game::PassStillFrames), so the game and its
// recordings go on exactly as if they had run.
#include "game/state.h"

namespace game {

// The rule, on the state between two frames: every step of a frame is at rest.
bool IsStill(const GameState& s);

// Follows the frames to say when the next one may be left out: once a frame began in
// a still state and read the same pointer as the frame before it (the button is up in
// every still state), it left everything as it was, and the next frame with the same
// input would draw the same picture again.
class StillWatch {
 public:
  void FrameBegins(const GameState& s);
  // True when the next frame, seeing the same input, would change nothing.
  bool FrameEnds(const GameState& s) const;

 private:
  bool stillBefore_ = false;
  std::int32_t mouseX_ = 0, mouseY_ = 0;  // the pointer the frame before read
};

}  // namespace game
