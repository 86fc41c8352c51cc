// The still rule, from the steps of a frame: which of them could change something
// without new input, and in which states none does.
#include "game/still.h"

#include "game/game.h"
#include "game/water.h"

namespace game {
namespace {

// The desktop tells a program of pointer moves over its own window only.
bool OverWindow(std::int32_t x, std::int32_t y) {
  return x >= 0 && x < kWindowWidth && y >= 0 && y < kWindowHeight;
}

}  // namespace

bool IsStill(const GameState& s) {
  // The button is up and the window rests: no piece laid, no drag to follow, no
  // pressed look, no release to come.
  if (s.ButtonHeld != 0 || s.DragActive != 0) return false;
  // The strip slides 4 pixels a frame; the setup phase counts frames and drops pieces.
  if (s.QueueSlide > 0 || InSetup(s)) return false;
  // The countdown counts its seconds unless the pause holds it.  Held, it reads the
  // tick count in every frame only to start its second again, and only the frame
  // after the pause's end reads what the last held frame wrote: that frame runs,
  // because the click that ends the pause is input.
  if (s.FlowCountdown > 0 && s.Paused == 0) return false;
  // The water starts once the countdown has run out in a level in play ...
  if (InPlay(s) && s.FlowCountdown == 0 && s.FlowStep == kNoFlow) return false;
  // ... and flows until the level fails.  Paused, it only draws its fronts again where
  // they are, as long as no stream is at its cell's end and the level is not won.
  if (WaterFlowing(s) && s.LevelFailed == 0 &&
      (s.Paused == 0 || s.FlowStep >= kCellSteps || StreamsHome(s))) {
    return false;
  }
  // In play the preview follows the pointer even beside the window, where the
  // desktop no longer says where it is.
  if (InPlay(s) && !OverWindow(s.FrameMouseX, s.FrameMouseY)) return false;
  return true;
}

void StillWatch::FrameBegins(const GameState& s) {
  stillBefore_ = IsStill(s);
  mouseX_ = s.FrameMouseX;
  mouseY_ = s.FrameMouseY;
}

bool StillWatch::FrameEnds(const GameState& s) const {
  return stillBefore_ && IsStill(s) && s.FrameMouseX == mouseX_ && s.FrameMouseY == mouseY_;
}

}  // namespace game
