#pragma once
// A word of a command line or a script as an error line shows it, so that the line
// stays one line of plain text whatever the word holds.
#include <cstddef>
#include <string>
#include <string_view>

namespace programs {

// The word in single quotes, bytes other than printable ASCII (and the quote and
// backslash) written as \xHH, and a long word cut after its first kQuotedBytes bytes
// with "…".
std::string Quote(std::string_view word);
constexpr std::size_t kQuotedBytes = 60;

}  // namespace programs
