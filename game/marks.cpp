#include "game/marks.h"

#include <cstddef>

#include "game/sprites.h"
#include "runtime/canvas.h"
#include "runtime/screen.h"

namespace game {
namespace {

// The field replaces the tile's 20 x 3 colour strip and the grey around it: the rows
// between the pipe's opening and the tile's bottom bevel, which no water crosses.
constexpr int kFieldLeft = 3, kFieldTop = 23, kFieldRight = 28, kFieldBottom = 30;  // inclusive
// The dots: rounded 4 x 4 squares, 2 pixels apart, centred in the field.
constexpr int kDotSize = 4, kDotGap = 2, kDotTop = 25;

// The bevel colours of the tile's own sunken strip.
constexpr rt::Colour kShadow = rt::PackColour(63, 63, 63);
constexpr rt::Colour kLight = rt::PackColour(192, 192, 192);
// Dark, but not black: black is the colour through which the water shows.
constexpr rt::Colour kDot = rt::PackColour(48, 48, 48);

}  // namespace

void DrawStreamMark(int number, int colour) {
  const StreamRgb& rgb = kStreamColours[static_cast<std::size_t>(colour)];
  const rt::Colour face = rt::PackColour(rgb.red, rgb.green, rgb.blue);
  rt::OpenCanvas(rt::SpriteCanvas(number));
  const int width = kFieldRight - kFieldLeft + 1, height = kFieldBottom - kFieldTop + 1;
  rt::FillBox(kFieldLeft, kFieldTop, width, 1, kShadow);
  rt::FillBox(kFieldLeft, kFieldTop, 1, height, kShadow);
  rt::FillBox(kFieldLeft + 1, kFieldBottom, width - 1, 1, kLight);
  rt::FillBox(kFieldRight, kFieldTop + 1, 1, height - 1, kLight);
  rt::FillBox(kFieldLeft + 1, kFieldTop + 1, width - 2, height - 2, face);
  const int dotsWidth = colour * kDotSize + (colour - 1) * kDotGap;
  int x = kFieldLeft + 1 + (width - 2 - dotsWidth) / 2;
  for (int dot = 0; dot < colour; ++dot, x += kDotSize + kDotGap) {
    // A square without its corners reads as a dot.
    rt::FillBox(x + 1, kDotTop, kDotSize - 2, kDotSize, kDot);
    rt::FillBox(x, kDotTop + 1, kDotSize, kDotSize - 2, kDot);
  }
  rt::CloseCanvas();
}

}  // namespace game
