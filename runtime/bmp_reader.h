#pragma once
// Reading a whole BMP file held in memory into 32-bit 0x00RRGGBB pixels.  The loader
// never trusts the file: every header field, the pixel offset and every row are
// checked against the bytes actually given before anything is read.
#include <cstddef>
#include <cstdint>

#include "runtime/surface.h"

namespace rt {

// Largest image accepted: per side, and in total pixels (64 MiB of pixels).
constexpr int kMaxImageSide = 16384;
constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 24;

// Decodes an uncompressed ("BM", compression 0) bottom-up BMP of 16 (5-5-5), 24 or
// 32 bits per pixel.  On success fills width, height and pixels of `out` and returns
// the image's bits per pixel; on refusal returns 0 and leaves `out` untouched.
int DecodeBmp(const std::uint8_t* data, std::size_t size, Surface& out);

}  // namespace rt
