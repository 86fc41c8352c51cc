#include "platform/win32/xinput_pads.h"

#include <algorithm>
#include <string>

namespace platform::win32 {
namespace {

// XInput's buttons and the inputs they are (keys.h).
struct PadButton {
  WORD button;
  Input input;
};
constexpr PadButton kPadButtons[] = {
    {XINPUT_GAMEPAD_DPAD_LEFT, Input::kPadLeft},
    {XINPUT_GAMEPAD_DPAD_RIGHT, Input::kPadRight},
    {XINPUT_GAMEPAD_DPAD_UP, Input::kPadUp},
    {XINPUT_GAMEPAD_DPAD_DOWN, Input::kPadDown},
    {XINPUT_GAMEPAD_A, Input::kPadA},
    {XINPUT_GAMEPAD_B, Input::kPadB},
    {XINPUT_GAMEPAD_X, Input::kPadX},
    {XINPUT_GAMEPAD_Y, Input::kPadY},
    {XINPUT_GAMEPAD_START, Input::kPadStart},
    {XINPUT_GAMEPAD_BACK, Input::kPadBack},
    {XINPUT_GAMEPAD_LEFT_SHOULDER, Input::kPadLeftShoulder},
    {XINPUT_GAMEPAD_RIGHT_SHOULDER, Input::kPadRightShoulder},
};

// A stick's axis, from -1 to 1.
double Axis(SHORT value) { return std::clamp(value / 32767.0, -1.0, 1.0); }

}  // namespace

XInputPads::XInputPads() {
  wchar_t system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  for (const wchar_t* name : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
    library_ = LoadLibraryW((std::wstring(system) + L"\\" + name).c_str());
    if (library_ == nullptr) continue;
    getState_ = reinterpret_cast<GetState>(
        reinterpret_cast<void*>(GetProcAddress(library_, "XInputGetState")));
    if (getState_ != nullptr) return;
    FreeLibrary(library_);
    library_ = nullptr;
  }
}

XInputPads::~XInputPads() {
  if (library_ != nullptr) FreeLibrary(library_);
}

HeldInputs XInputPads::Look(std::uint64_t nowNs) {
  HeldInputs held = 0;
  if (getState_ == nullptr) return held;
  for (DWORD i = 0; i < XUSER_MAX_COUNT; ++i) {
    Place& place = places_[i];
    if (!place.connected && place.asked && nowNs - place.askedNs < kPadPlugCheckNs) continue;
    XINPUT_STATE state{};
    place.connected = getState_(i, &state) == ERROR_SUCCESS;
    place.asked = true;
    place.askedNs = nowNs;
    if (!place.connected) {
      place.stick = 0;
      continue;
    }
    const XINPUT_GAMEPAD& pad = state.Gamepad;
    for (const PadButton& b : kPadButtons) {
      if ((pad.wButtons & b.button) != 0) held |= Bit(b.input);
    }
    // XInput's stick counts up as positive; the game's down.
    place.stick = StickDirections(Axis(pad.sThumbLX), -Axis(pad.sThumbLY), place.stick);
    held |= place.stick;
  }
  return held;
}

bool XInputPads::Connected() const {
  return std::any_of(std::begin(places_), std::end(places_),
                     [](const Place& place) { return place.connected; });
}

}  // namespace platform::win32
