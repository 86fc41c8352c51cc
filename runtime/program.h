#pragma once
// Start-up of the runtime's services and the one way out of the program.
#include <cstdint>
#include <optional>

namespace rt {

// Prepares the runtime in its fixed order: drawing module, font table, random
// generator seeded from the tick count (or from `seed` when one is given, so that a
// driver can reproduce a game), window module, screen module.
void StartRuntime(std::optional<std::uint32_t> seed = std::nullopt);
// Ends screen and window and leaves the process with exit code 0.
[[noreturn]] void EndProgram();

}  // namespace rt
