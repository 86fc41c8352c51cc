#pragma once
// Gamepads on Windows: XInput's four controllers, read whenever the backend looks at
// them.  XInput is loaded when the program starts, from the system's own folder:
// xinput1_4.dll (Windows 8 and later), else xinput1_3.dll or xinput9_1_0.dll; without
// any there are no pads, and the game plays on without them.
#include <windows.h>
#include <xinput.h>

#include <cstdint>

#include "platform/gamepad.h"

namespace platform::win32 {

class XInputPads {
 public:
  XInputPads();
  ~XInputPads();
  XInputPads(const XInputPads&) = delete;
  XInputPads& operator=(const XInputPads&) = delete;

  bool Available() const { return getState_ != nullptr; }
  // Reads the connected pads, and asks an empty place whether a pad came at most once
  // every kPadPlugCheckNs (an empty place answers slowly): what they hold, together.
  HeldInputs Look(std::uint64_t nowNs);
  bool Connected() const;

 private:
  using GetState = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);
  struct Place {
    bool connected = false;
    bool asked = false;
    std::uint64_t askedNs = 0;  // when it was last asked while empty
    HeldInputs stick = 0;       // the directions the left stick held at the last look
  };

  HMODULE library_ = nullptr;
  GetState getState_ = nullptr;
  Place places_[XUSER_MAX_COUNT];
};

}  // namespace platform::win32
