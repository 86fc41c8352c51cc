#pragma once
// A minimal PNG writer for the icons: 8-bit RGBA, each row filtered the way that
// leaves it smallest (none, left or up), the image data compressed by Deflate.
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/surface.h"

namespace art {

// Encodes `image` as RGBA; pixels equal to `transparent` get alpha 0, all others (all
// of them without `transparent`) 255.
std::vector<std::uint8_t> EncodePngRgba(const rt::Surface& image,
                                        std::optional<std::uint32_t> transparent);

}  // namespace art
