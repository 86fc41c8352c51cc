#pragma once
// Whole-number scaling, the same on every backend.  The game lives in a world of game
// pixels; a backend shows each game pixel as an S x S block of physical pixels, and
// reports the desktop, the pointer and the window's place back in game pixels.  In
// full screen the frame is shown at the largest whole factor that fits the screen,
// centred on black.  Only backends use this; the game never sees a physical pixel.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace platform {

// Scale factors a player can ask for.
constexpr int kMinScale = 1;
constexpr int kMaxScale = 8;

// a / b rounded towards minus infinity (b > 0): a pointer left of or above the frame
// stays left of or above it in game pixels too.
constexpr std::int32_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return static_cast<std::int32_t>(q * b > a ? q - 1 : q);
}

// What a program entry asks of a desktop backend: the factor from the command line
// (none: follow the desktop's own scale setting), and the size in game pixels of the
// window the game will open, which must fit the desktop at the factor chosen.
struct ScaleRequest {
  std::optional<int> factor;
  int windowWidth = 0;
  int windowHeight = 0;
};

// The largest whole factor (kMinScale .. kMaxScale) at which a width x height frame
// fits into room of roomWidth x roomHeight physical pixels; kMinScale when even that
// does not fit.
int LargestFittingScale(int roomWidth, int roomHeight, int width, int height);

// The factor to show the window at: `wanted` (from the command line or the desktop's
// own scale setting), made smaller while the window would not fit the desktop.
int FittingScale(int wanted, int desktopWidth, int desktopHeight, int width, int height);

// How big a game pixel is shown: `physical` / `game` physical pixels (a whole factor
// S is S / 1).  Towards the game a physical position p is game position
// floor(p * game / physical), and a room of physical size r holds floor(r * game /
// physical) game pixels.
struct PixelRatio {
  int physical = 1;
  int game = 1;
  bool Reduced() const { return physical < game; }
};

// The frame's size in room too small for it at kMinScale: reduced, keeping its
// proportions, to the largest size that fits; kMinScale itself where it fits.
PixelRatio ReducedToFit(int roomWidth, int roomHeight, int width, int height);

// The whole-number factor from a desktop's scale setting given as dots per inch
// (96 is 100 %), rounded down and kept within kMinScale .. kMaxScale.
int ScaleFromDpi(double dotsPerInch);

// Where the frame lies on the physical desktop and how big its pixels are.
struct FrameView {
  int factor = 1;
  std::int32_t left = 0, top = 0;  // physical desktop position of the frame's top-left pixel

  // The game pixel under a physical desktop point, in frame coordinates.
  std::int32_t FrameX(std::int32_t physicalX) const { return FloorDiv(std::int64_t{physicalX} - left, factor); }
  std::int32_t FrameY(std::int32_t physicalY) const { return FloorDiv(std::int64_t{physicalY} - top, factor); }
  // The physical desktop point in the middle of game pixel (x, y) of the frame.
  std::int64_t PhysicalX(std::int32_t x) const { return left + std::int64_t{x} * factor + factor / 2; }
  std::int64_t PhysicalY(std::int32_t y) const { return top + std::int64_t{y} * factor + factor / 2; }
};

// The frame's place when it is centred at the largest fitting factor in a screen (or
// window) of screenWidth x screenHeight physical pixels whose top-left corner is at
// (screenLeft, screenTop).
FrameView CentredView(std::int32_t screenLeft, std::int32_t screenTop, int screenWidth,
                      int screenHeight, int width, int height);

// Enlarges rows `rows` of a width-pixel-wide frame by `factor` into `target`, whose
// rows are `targetPitch` pixels apart and whose first pixel is where the frame's
// top-left pixel goes.  Each frame pixel becomes a factor x factor block, so the
// target receives rows rows.first * factor .. (rows.first + rows.count) * factor - 1.
void EnlargeRows(const std::uint32_t* frame, int width, RowSpan rows, int factor,
                 std::uint32_t* target, std::ptrdiff_t targetPitch);

}  // namespace platform
