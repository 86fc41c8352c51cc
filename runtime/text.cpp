#include "runtime/text.h"

#include <cstddef>

namespace rt {

std::string FormatNumber(std::int32_t value) { return std::to_string(value); }

std::string SubText(std::string_view source, int start, int length) {
  if (length <= 0) return {};
  const std::size_t skip = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
  if (skip >= source.size()) return {};
  return std::string(source.substr(skip, static_cast<std::size_t>(length)));
}

std::int32_t ParseNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  // Horner's rule gives the same sum of digit x power of ten, modulo 2^32.
  std::uint32_t value = 0;
  for (const char c : text) {
    const std::uint32_t digit = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) - 48u);
    value = value * 10u + digit;
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

int TextEquals(std::string_view a, std::string_view b) { return a == b ? 1 : 0; }

}  // namespace rt
