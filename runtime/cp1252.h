#pragma once
// The Windows-1252 code page: the game's texts are single bytes in it.
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// The Unicode code point of a Windows-1252 byte.  The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
// same value, as Windows itself converts them.
char32_t Cp1252ToUnicode(std::uint8_t byte);
// A Windows-1252 text in UTF-8, as the platform takes texts.
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace rt
