#pragma once
// The colours the look tests expect on screen, and the game they play.
#include <cstddef>
#include <cstdint>

#include "game/sprites.h"
#include "runtime/surface.h"
#include "tests/driver/played_game.h"

namespace looktest {

using testing_game::Game;

constexpr std::uint32_t Rgb(int r, int g, int b) { return rt::PixelRGB(r, g, b); }

// The colour of stream n (1..4) as a pixel value.
constexpr std::uint32_t StreamPixel(int n) {
  const game::StreamRgb& c = game::kStreamColours[static_cast<std::size_t>(n)];
  return Rgb(c.red, c.green, c.blue);
}
constexpr std::uint32_t kCyan = StreamPixel(1);
constexpr std::uint32_t kLightRed = StreamPixel(2);
constexpr std::uint32_t kBlack = 0;

}  // namespace looktest
