#include "programs/common/words.h"

namespace programs {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::string Quote(std::string_view word) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string quoted = "'";
  for (const char ch : word.substr(0, kQuotedBytes)) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7F && ch != '\'' && ch != '\\') {
      quoted += ch;
    } else {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 15];
    }
  }
  quoted += '\'';
  if (word.size() > kQuotedBytes) quoted += "\xE2\x80\xA6";  // "…" in UTF-8
  return quoted;
}

}  // namespace programs
