#include "platform/sdl/virtual_pad.h"

#include <SDL.h>

#include <algorithm>
#include <string>

namespace platform {
namespace {

SDL_Joystick* Joystick(void* joystick) { return static_cast<SDL_Joystick*>(joystick); }

}  // namespace

bool VirtualPad::Plug() {
  if (joystick_ != nullptr) return true;
  // Laid out as SDL lays out a game controller: its buttons and axes in the order of
  // SDL's own numbers for them.
  deviceIndex_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                           SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
  if (deviceIndex_ < 0) return false;
  joystick_ = SDL_JoystickOpen(deviceIndex_);
  return joystick_ != nullptr;
}

void VirtualPad::Unplug() {
  if (joystick_ == nullptr) return;
  SDL_JoystickClose(Joystick(joystick_));
  SDL_JoystickDetachVirtual(deviceIndex_);
  joystick_ = nullptr;
  deviceIndex_ = -1;
}

bool VirtualPad::Hold(std::string_view button, bool down) {
  const SDL_GameControllerButton b =
      SDL_GameControllerGetButtonFromString(std::string(button).c_str());
  if (joystick_ == nullptr || b == SDL_CONTROLLER_BUTTON_INVALID) return false;
  const Uint8 state = down ? SDL_PRESSED : SDL_RELEASED;
  return SDL_JoystickSetVirtualButton(Joystick(joystick_), b, state) == 0;
}

bool VirtualPad::Push(std::string_view axis, double amount) {
  const SDL_GameControllerAxis a = SDL_GameControllerGetAxisFromString(std::string(axis).c_str());
  if (joystick_ == nullptr || a == SDL_CONTROLLER_AXIS_INVALID) return false;
  const auto value = static_cast<Sint16>(std::clamp(amount, -1.0, 1.0) * SDL_JOYSTICK_AXIS_MAX);
  return SDL_JoystickSetVirtualAxis(Joystick(joystick_), a, value) == 0;
}

}  // namespace platform
