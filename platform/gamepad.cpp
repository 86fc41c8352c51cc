#include "platform/gamepad.h"

namespace platform {
namespace {

constexpr HeldInputs kDirections =
    Bit(Input::kPadLeft) | Bit(Input::kPadRight) | Bit(Input::kPadUp) | Bit(Input::kPadDown);

// One axis: `negative` below the middle, `positive` above it.
HeldInputs Axis(double v, Input negative, Input positive, HeldInputs before) {
  const auto pushed = [&](Input direction, double amount) {
    const double threshold = (before & Bit(direction)) != 0 ? 1.0 / 3 : 0.5;
    return amount > threshold ? Bit(direction) : 0;
  };
  return pushed(negative, -v) | pushed(positive, v);
}

}  // namespace

HeldInputs StickDirections(double x, double y, HeldInputs before) {
  return Axis(x, Input::kPadLeft, Input::kPadRight, before) |
         Axis(y, Input::kPadUp, Input::kPadDown, before);
}

void PadKeys::Update(HeldInputs held, std::uint64_t nowNs, std::vector<KeyEvent>& out) {
  const HeldInputs changed = held ^ held_;
  for (unsigned i = 0; i < 32; ++i) {
    const HeldInputs bit = HeldInputs{1} << i;
    if ((changed & bit) == 0) continue;
    if (const std::optional<Key> key = BoundKey(static_cast<Input>(i), false)) {
      out.push_back(KeyEvent{*key, (held & bit) != 0, false});
    }
  }
  // A direction newly held starts the wait for the first repeat afresh.
  if ((changed & held & kDirections) != 0) repeatAtNs_ = nowNs + kFirstRepeatNs;
  held_ = held;
  if ((held & kDirections) == 0 || nowNs < repeatAtNs_) return;
  // One repeat at a time, however late the look: a key never floods the game.
  for (unsigned i = 0; i < 32; ++i) {
    const HeldInputs bit = HeldInputs{1} << i;
    if ((held & kDirections & bit) == 0) continue;
    if (const std::optional<Key> key = BoundKey(static_cast<Input>(i), false)) {
      out.push_back(KeyEvent{*key, true, true});
    }
  }
  repeatAtNs_ = nowNs + kRepeatNs;
}

std::optional<std::uint64_t> PadKeys::NextRepeat() const {
  if ((held_ & kDirections) == 0) return std::nullopt;
  return repeatAtNs_;
}

}  // namespace platform
