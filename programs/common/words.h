#pragma once
// The words of a script's line (a recording's head is one), and a word as an error
// line shows it, so that the line stays one line of plain text whatever the word holds.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace programs {

// The words of `line`, between spaces, tabs and carriage returns.
std::vector<std::string_view> SplitWords(std::string_view line);

// The word in single quotes, bytes other than printable ASCII (and the quote and
// backslash) written as \xHH, and a long word cut after its first kQuotedBytes bytes
// with "…".
std::string Quote(std::string_view word);
constexpr std::size_t kQuotedBytes = 60;

}  // namespace programs
