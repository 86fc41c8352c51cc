#pragma once
// Writing a surface as an uncompressed 24-bit BMP file: 54-byte header, rows
// bottom-up, blue-green-red, each row padded to four bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/surface.h"

namespace rt {

std::vector<std::uint8_t> EncodeBmp24(const Surface& surface);
// Returns false if the file cannot be written whole, or if the path holds a NUL byte.
bool WriteBmp24(const Surface& surface, const std::string& path);

}  // namespace rt
