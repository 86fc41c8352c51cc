#pragma once
// The keys and gamepad buttons the program listens to, and the one table that binds
// them to what the program knows: a backend turns its platform's keys and pad buttons
// into the inputs named here (the same on every platform) and hands over the keys
// they are bound to as they come (Backend::TakeKeys).  What a key does is decided
// above the backends: the keyboard pointer moves the pointer the game reads and
// presses its button (programs/common/keyboard_pointer.h).  Changing a binding is one
// line of kBindings.
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// What the program knows of a key.
enum class Key : std::uint8_t {
  kLeft, kRight, kUp, kDown,  // the arrows
  kTab, kBackTab,             // the next control, the one before
  kSpace, kReturn,            // the button
  kEscape,                    // the menu
  kF, kT,                     // while watching a recording: faster, take over
};

// A key going down (again, while held: `repeat`) or up.
struct KeyEvent {
  Key key = Key::kSpace;
  bool down = true;
  bool repeat = false;
};

// The inputs a backend reports: keys of the keyboard, and the buttons of a gamepad
// laid out as the common controllers are (A at the bottom of the four on the right;
// the left stick pushed a way counts as that direction of the d-pad).
enum class Input : std::uint8_t {
  kArrowLeft, kArrowRight, kArrowUp, kArrowDown, kTab, kSpace, kEnter, kEscape, kF, kT,
  kF11,  // a desktop's own: full screen (desktop_window.h), bound to no key
  kPadLeft, kPadRight, kPadUp, kPadDown, kPadA, kPadB, kPadX, kPadY, kPadStart, kPadBack,
  kPadLeftShoulder, kPadRightShoulder,
};

// An input and the key it stands for; `shift`: only with Shift held (a key without a
// binding of its own with Shift keeps its binding without).
struct Binding {
  Input input;
  bool shift;
  Key key;
};

inline constexpr Binding kBindings[] = {
    {Input::kArrowLeft, false, Key::kLeft},    {Input::kArrowRight, false, Key::kRight},
    {Input::kArrowUp, false, Key::kUp},        {Input::kArrowDown, false, Key::kDown},
    {Input::kTab, false, Key::kTab},           {Input::kTab, true, Key::kBackTab},
    {Input::kSpace, false, Key::kSpace},       {Input::kEnter, false, Key::kReturn},
    {Input::kEscape, false, Key::kEscape},     {Input::kF, false, Key::kF},
    {Input::kT, false, Key::kT},
    {Input::kPadLeft, false, Key::kLeft},      {Input::kPadRight, false, Key::kRight},
    {Input::kPadUp, false, Key::kUp},          {Input::kPadDown, false, Key::kDown},
    {Input::kPadA, false, Key::kSpace},        {Input::kPadB, false, Key::kEscape},
    {Input::kPadStart, false, Key::kEscape},   {Input::kPadLeftShoulder, false, Key::kBackTab},
    {Input::kPadRightShoulder, false, Key::kTab},
};

// The key `input` is bound to, if any.
constexpr std::optional<Key> BoundKey(Input input, bool shift) {
  for (const Binding& b : kBindings) {
    if (b.input == input && b.shift == shift) return b.key;
  }
  if (shift) return BoundKey(input, false);
  return std::nullopt;
}

// The keys by the names quelmo-sim's scripts give them.
struct KeyName {
  Key key;
  std::string_view name;
};
inline constexpr KeyName kKeyNames[] = {
    {Key::kLeft, "Left"},   {Key::kRight, "Right"},   {Key::kUp, "Up"},
    {Key::kDown, "Down"},   {Key::kTab, "Tab"},       {Key::kBackTab, "BackTab"},
    {Key::kSpace, "Space"}, {Key::kReturn, "Return"}, {Key::kEscape, "Escape"},
};
constexpr std::optional<Key> KeyNamed(std::string_view name) {
  for (const KeyName& k : kKeyNames) {
    if (k.name == name) return k.key;
  }
  return std::nullopt;
}

}  // namespace platform
