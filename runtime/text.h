#pragma once
// Decimal texts, sub-texts and text comparison.  Texts are Windows-1252 bytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// The decimal text of value: a minus sign for negatives, no padding ("-2147483648").
std::string FormatNumber(std::int32_t value);
// `length` characters of `source` from the 1-based `start` (a start of 1 or less
// skips nothing); empty for length <= 0 or a start beyond the end.
std::string SubText(std::string_view source, int start, int length);
// Optional leading "-", then every character counts as (byte - 48) mod 256 times its
// power of ten, wrapping modulo 2^32.  The empty text gives 0.
std::int32_t ParseNumber(std::string_view text);
// 1 if both texts hold the same bytes, else 0.
int TextEquals(std::string_view a, std::string_view b);

}  // namespace rt
