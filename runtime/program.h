#pragma once
// Start-up of the runtime's services and their end.
#include <cstdint>
#include <optional>

namespace rt {

// Prepares the runtime in its fixed order: drawing module, font table, random
// generator seeded from the tick count (or from `seed` when one is given, so that a
// driver can reproduce a game), window module, screen module.
void StartRuntime(std::optional<std::uint32_t> seed = std::nullopt);
// The runtime's end steps when the game ends: the screen, then the window.  The
// frame loop then stops, and the program entry returns exit status 0.
void EndRuntime();

}  // namespace rt
