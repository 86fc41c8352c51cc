#include "game/state.h"

#include <array>

namespace game {
namespace {

#define QUELMO_NAMED(field) NamedInteger{#field, &GameState::field}
constexpr std::array kNamedIntegers = {
    QUELMO_NAMED(Level),        QUELMO_NAMED(LastLevel),     QUELMO_NAMED(StartLevel),
    QUELMO_NAMED(PhaseCounter), QUELMO_NAMED(FlowCountdown), QUELMO_NAMED(CountdownTick),
    QUELMO_NAMED(FlowStep),     QUELMO_NAMED(FlowSpeed),     QUELMO_NAMED(LevelFailed),
    QUELMO_NAMED(LevelCleared), QUELMO_NAMED(Paused),        QUELMO_NAMED(MenuOpen),
    QUELMO_NAMED(LevelListOpen), QUELMO_NAMED(TotalScore),   QUELMO_NAMED(LevelScore),
    QUELMO_NAMED(QueueSlide),   QUELMO_NAMED(ButtonHeld),    QUELMO_NAMED(DragActive),
    QUELMO_NAMED(DragStartX),   QUELMO_NAMED(DragStartY),    QUELMO_NAMED(FrameMouseX),
    QUELMO_NAMED(FrameMouseY),  QUELMO_NAMED(HoverColumn),   QUELMO_NAMED(HoverRow),
};
#undef QUELMO_NAMED

}  // namespace

std::span<const NamedInteger> NamedIntegers() { return kNamedIntegers; }

std::int32_t* FindInteger(GameState& s, std::string_view name) {
  for (const NamedInteger& named : kNamedIntegers) {
    if (named.name == name) return &(s.*named.member);
  }
  return nullptr;
}

}  // namespace game
