#pragma once
// Gamepads on SDL: its game controllers, each opened when it is plugged in and closed
// when it goes, and read (not heard) whenever the backend looks at them.
#include <SDL.h>

#include <vector>

#include "platform/gamepad.h"

namespace platform {

// The buttons of SDL's game controller and the inputs they are (keys.h).
struct PadButton {
  SDL_GameControllerButton button;
  Input input;
};
inline constexpr PadButton kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Input::kPadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Input::kPadRight},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, Input::kPadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Input::kPadDown},
    {SDL_CONTROLLER_BUTTON_A, Input::kPadA},
    {SDL_CONTROLLER_BUTTON_B, Input::kPadB},
    {SDL_CONTROLLER_BUTTON_X, Input::kPadX},
    {SDL_CONTROLLER_BUTTON_Y, Input::kPadY},
    {SDL_CONTROLLER_BUTTON_START, Input::kPadStart},
    {SDL_CONTROLLER_BUTTON_BACK, Input::kPadBack},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, Input::kPadLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, Input::kPadRightShoulder},
};

// SDL's events about pads, from the first to the last.
constexpr Uint32 kFirstPadEvent = SDL_JOYAXISMOTION;
constexpr Uint32 kLastPadEvent = SDL_CONTROLLERSENSORUPDATE;

class SdlPads {
 public:
  SdlPads() = default;
  ~SdlPads() { Stop(); }
  SdlPads(const SdlPads&) = delete;
  SdlPads& operator=(const SdlPads&) = delete;

  // Starts SDL's game controllers once SDL runs; without them there are no pads.
  void Start();
  // Closes every pad and SDL's game controllers (before SDL_Quit).
  void Stop();
  // Reads the pads and takes SDL's news of pads plugged in or out: what they hold,
  // all together.
  HeldInputs Look();
  // Follows one of SDL's events if it is about a pad; false for any other.
  bool Follow(const SDL_Event& event);
  // Whether SDL's game controllers run: only then can a pad be plugged in.
  bool Available() const { return started_; }
  bool Connected() const { return !pads_.empty(); }

 private:
  struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    HeldInputs stick = 0;  // the directions the left stick held at the last look
  };

  void Open(int deviceIndex);
  void Close(SDL_JoystickID id);

  bool started_ = false;
  std::vector<Pad> pads_;
};

}  // namespace platform
