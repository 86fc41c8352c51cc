#include "platform/web/web_pads.h"

#include <cstddef>
#include <cstdint>

extern "C" {
// page.js: writes index, buttons held (a bit each, by number), axis 0 and axis 1 of
// each connected pad of the standard mapping, four numbers a pad, at most `max` pads;
// returns how many.
int quelmo_page_read_pads(double* out, int max);
}

namespace platform {
namespace {

struct Numbered {
  int number;
  Input input;
};
constexpr Numbered kStandard[] = {
    {0, Input::kPadA},      {1, Input::kPadB},     {2, Input::kPadX},
    {3, Input::kPadY},      {4, Input::kPadLeftShoulder}, {5, Input::kPadRightShoulder},
    {8, Input::kPadBack},   {9, Input::kPadStart}, {12, Input::kPadUp},
    {13, Input::kPadDown},  {14, Input::kPadLeft}, {15, Input::kPadRight},
};

constexpr int kNumbersPerPad = 4;

}  // namespace

std::optional<Input> StandardButton(int number) {
  for (const Numbered& b : kStandard) {
    if (b.number == number) return b.input;
  }
  return std::nullopt;
}

std::optional<int> StandardNumber(Input input) {
  for (const Numbered& b : kStandard) {
    if (b.input == input) return b.number;
  }
  return std::nullopt;
}

HeldInputs WebPads::Look() {
  double read[kMostPads * kNumbersPerPad];
  const int count = quelmo_page_read_pads(read, kMostPads);
  connected_ = count > 0;
  HeldInputs held = 0;
  Sticks sticks{};  // a pad gone holds nothing
  for (int i = 0; i < count; ++i) {
    const double* pad = read + i * kNumbersPerPad;
    const auto index = static_cast<std::size_t>(pad[0]);
    if (index >= sticks.size()) continue;
    const auto buttons = static_cast<std::uint32_t>(pad[1]);
    for (const Numbered& b : kStandard) {
      if ((buttons >> b.number) & 1u) held |= Bit(b.input);
    }
    sticks[index] = StickDirections(pad[2], pad[3], sticks_[index]);
    held |= sticks[index];
  }
  sticks_ = sticks;
  return held;
}

}  // namespace platform
