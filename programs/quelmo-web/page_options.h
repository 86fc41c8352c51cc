#pragma once
// The page's address as the game's options: `?seed=N` is `--seed N`, `?marks=1` is
// `--marks` (and `?marks=0` the tiles as they are), for every option of the one table
// (programs/common/options.h) that the page takes.
#include <optional>
#include <string>
#include <string_view>

#include "programs/common/options.h"

namespace page_options {

// A flag's values in the address.
constexpr std::string_view kOn = "1";
constexpr std::string_view kOff = "0";

// Reads the address into `settings`.  A bad value gives the line the page shows
// instead of the game, naming the parameter and what it takes, in the page's
// language (a bad ?lang= in the first language).
std::optional<std::string> ReadPageOptions(programs::Settings& settings);

}  // namespace page_options
