#pragma once
// Desktop coordinates are 32-bit integers that wrap, as they do on the desktop the game
// was made for.  A sum or difference of two of them is taken in 64 bits and wrapped back,
// so that no position a script or a desktop hands over makes the arithmetic undefined,
// and a window point survives the way to the desktop and back unchanged.
#include <cstdint>

namespace platform {

constexpr std::int32_t Wrap32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace platform
