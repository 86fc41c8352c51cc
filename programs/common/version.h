#pragma once
// The game's version, as the project names it: `quelmo --version` and every recording
// say it.
#include <string_view>

namespace programs {

std::string_view GameVersion();

}  // namespace programs
