#include "platform/sdl/sdl_pads.h"

#include <algorithm>

namespace platform {
namespace {

// An axis of a stick, from -1 (left, up) to 1 (right, down).
double Axis(SDL_GameController* controller, SDL_GameControllerAxis axis) {
  return std::clamp(SDL_GameControllerGetAxis(controller, axis) / 32767.0, -1.0, 1.0);
}

}  // namespace

void SdlPads::Start() {
  // SDL would read the pads whenever it takes the desktop's events, and its wait for
  // events would look every millisecond instead of sleeping while a pad is plugged
  // in.  The backend reads them when it looks, and SDL's wait sleeps.
  SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;  // a game without pads
  started_ = true;
  // What a pad holds is read when the backend looks; SDL only tells of pads that come
  // and go.
  for (const Uint32 type :
       {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP,
        SDL_JOYBATTERYUPDATED, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONDOWN,
        SDL_CONTROLLERBUTTONUP, SDL_CONTROLLERDEVICEREMAPPED, SDL_CONTROLLERTOUCHPADDOWN,
        SDL_CONTROLLERTOUCHPADMOTION, SDL_CONTROLLERTOUCHPADUP, SDL_CONTROLLERSENSORUPDATE}) {
    SDL_EventState(type, SDL_IGNORE);
  }
}

void SdlPads::Stop() {
  if (!started_) return;
  for (const Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
  pads_.clear();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  started_ = false;
}

HeldInputs SdlPads::Look() {
  if (!started_) return 0;
  SDL_GameControllerUpdate();
  SDL_Event events[8];
  int count = 0;
  while ((count = SDL_PeepEvents(events, 8, SDL_GETEVENT, kFirstPadEvent, kLastPadEvent)) > 0) {
    for (int i = 0; i < count; ++i) Follow(events[i]);
  }
  HeldInputs held = 0;
  for (Pad& pad : pads_) {
    for (const PadButton& b : kPadButtons) {
      if (SDL_GameControllerGetButton(pad.controller, b.button) != 0) held |= Bit(b.input);
    }
    pad.stick = StickDirections(Axis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX),
                                Axis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY), pad.stick);
    held |= pad.stick;
  }
  return held;
}

bool SdlPads::Follow(const SDL_Event& event) {
  if (event.type < kFirstPadEvent || event.type > kLastPadEvent) return false;
  if (event.type == SDL_CONTROLLERDEVICEADDED) Open(event.cdevice.which);
  if (event.type == SDL_CONTROLLERDEVICEREMOVED) Close(event.cdevice.which);
  return true;
}

void SdlPads::Open(int deviceIndex) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  const auto known = [&](const Pad& pad) { return pad.id == id; };
  if (id < 0 || std::any_of(pads_.begin(), pads_.end(), known)) return;
  if (SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex)) {
    pads_.push_back(Pad{controller, id, 0});
  }
}

void SdlPads::Close(SDL_JoystickID id) {
  const auto gone = [&](const Pad& pad) { return pad.id == id; };
  const auto pad = std::find_if(pads_.begin(), pads_.end(), gone);
  if (pad == pads_.end()) return;
  SDL_GameControllerClose(pad->controller);
  pads_.erase(pad);
}

}  // namespace platform
