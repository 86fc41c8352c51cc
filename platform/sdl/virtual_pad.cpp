#include "platform/sdl/virtual_pad.h"

#include <SDL.h>

#include <algorithm>
#include <string>

namespace platform {

bool VirtualPad::Plug() {
  // Laid out as SDL lays out a game controller: its buttons and axes in the order of
  // SDL's own numbers for them.
  if (joystick_ == nullptr) {
    deviceIndex_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                             SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    joystick_ = deviceIndex_ >= 0 ? SDL_JoystickOpen(deviceIndex_) : nullptr;
  }
  return joystick_ != nullptr;
}

void VirtualPad::Unplug() {
  if (joystick_ == nullptr) return;
  SDL_JoystickClose(static_cast<SDL_Joystick*>(joystick_));
  SDL_JoystickDetachVirtual(deviceIndex_);
  joystick_ = nullptr;
}

bool VirtualPad::Hold(std::string_view button, bool down) {
  const auto b = SDL_GameControllerGetButtonFromString(std::string(button).c_str());
  return joystick_ != nullptr && b != SDL_CONTROLLER_BUTTON_INVALID &&
         SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(joystick_), b, down) == 0;
}

bool VirtualPad::Push(std::string_view axis, double amount) {
  const auto a = SDL_GameControllerGetAxisFromString(std::string(axis).c_str());
  const auto value = static_cast<Sint16>(std::clamp(amount, -1.0, 1.0) * SDL_JOYSTICK_AXIS_MAX);
  return joystick_ != nullptr && a != SDL_CONTROLLER_AXIS_INVALID &&
         SDL_JoystickSetVirtualAxis(static_cast<SDL_Joystick*>(joystick_), a, value) == 0;
}

}  // namespace platform
