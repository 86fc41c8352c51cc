#include "programs/common/quote.h"

namespace programs {

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
