#pragma once
// What the keys and the gamepad do, for --help, the manual page and the page: each
// key of the program with the inputs the one binding table (platform/keys.h) gives
// it, so that a changed binding is listed as it is.
#include <string>
#include <string_view>

namespace programs {

// The keys of the keyboard pointer, then those of a recording being watched; lines
// of at most 80 columns, each ending in a newline.
std::string KeysHelp();

}  // namespace programs
