#pragma once
// The state report: the whole game state as one line of JSON.  quelmo-sim prints it
// for its `state` command, and a recording ends with the one the game had, so that a
// replay can be checked against it.
#include <cstdint>
#include <string>

#include "game/state.h"

namespace game {

// What a report says besides the game state: the frames run so far, the tick count
// and the window's top-left corner on the desktop.
struct ReportHeader {
  std::uint64_t frame = 0;
  std::uint32_t tick = 0;
  int windowLeft = 0;
  int windowTop = 0;
};

// The report, and a newline.
std::string StateReport(const ReportHeader& header, const GameState& s);

}  // namespace game
