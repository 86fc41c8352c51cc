// The embedded BMP files by sprite number.  The bytes are built in as arrays
// (assets/CMakeLists.txt), one array and its size per file.
#include "assets/images.h"

#include <array>

// QUELMO_SPRITES(X): X(number) for every catalogue sprite that has an image of its
// own, generated from the image files.
#include "sprite_numbers.inc"

#define QUELMO_DECLARE(n) \
  extern const unsigned char quelmo_sprite_##n[];      \
  extern const unsigned long long quelmo_sprite_##n##_size;
extern "C" {
QUELMO_SPRITES(QUELMO_DECLARE)
extern const unsigned char quelmo_icon[];
extern const unsigned long long quelmo_icon_size;
}
#undef QUELMO_DECLARE

namespace assets {
namespace {

struct Entry {
  int number;
  const unsigned char* bytes;
  const unsigned long long* size;  // read at use: the sizes live in other files
};

#define QUELMO_ENTRY(n) Entry{n, quelmo_sprite_##n, &quelmo_sprite_##n##_size},
const std::array kImages = {QUELMO_SPRITES(QUELMO_ENTRY)};
#undef QUELMO_ENTRY

std::span<const std::uint8_t> Bytes(const unsigned char* bytes, unsigned long long size) {
  return {reinterpret_cast<const std::uint8_t*>(bytes), static_cast<std::size_t>(size)};
}

}  // namespace

std::span<const std::uint8_t> Image(int number) {
  for (const Entry& e : kImages)
    if (e.number == number) return Bytes(e.bytes, *e.size);
  return {};
}

std::span<const std::uint8_t> Icon() { return Bytes(quelmo_icon, quelmo_icon_size); }

}  // namespace assets
