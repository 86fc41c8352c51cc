#pragma once
// A minimal PNG writer for the desktop icon: 8-bit RGBA, no filtering, the image data
// in stored (uncompressed) deflate blocks.
#include <cstdint>
#include <vector>

#include "runtime/surface.h"

namespace art {

// Encodes `image` as RGBA; pixels equal to `transparent` get alpha 0, all others 255.
std::vector<std::uint8_t> EncodePngRgba(const rt::Surface& image, std::uint32_t transparent);

}  // namespace art
