#pragma once
// The images built into the program: the catalogue's BMP files by sprite number, and
// the window icon.
#include <cstdint>
#include <span>

namespace assets {

// The whole BMP file of catalogue sprite `number`; empty if there is none.
std::span<const std::uint8_t> Image(int number);
// The window icon as a whole BMP file.
std::span<const std::uint8_t> Icon();

}  // namespace assets
