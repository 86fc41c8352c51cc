#pragma once
// Small pixel-painting helpers shared by every group of art: colours, boxes, bevel
// rings and the sunken channel renderer.
#include <cstdint>
#include <functional>

#include "runtime/surface.h"

namespace art {

using rt::Surface;

constexpr std::uint32_t Rgb(int r, int g, int b) { return rt::PixelRGB(r, g, b); }
constexpr std::uint32_t Grey(int v) { return rt::PixelRGB(v, v, v); }

// The colours every image is built from.
namespace colour {
constexpr std::uint32_t kKey = Rgb(0, 0, 0);        // transparent on the board
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint32_t kFace = Grey(128);
constexpr std::uint32_t kLight = Grey(159);          // single bevel, top and left
constexpr std::uint32_t kDark = Grey(95);            // single bevel, bottom and right
constexpr std::uint32_t kOuterLight = Grey(192);     // double bevel's outer ring
constexpr std::uint32_t kOuterDark = Grey(63);
constexpr std::uint32_t kGreenFace = Rgb(112, 143, 112);
constexpr std::uint32_t kGreenOuterLight = Rgb(184, 199, 184);
constexpr std::uint32_t kGreenInnerLight = Rgb(149, 170, 149);
constexpr std::uint32_t kGreenOuterDark = Rgb(56, 71, 56);
constexpr std::uint32_t kGreenInnerDark = Rgb(84, 107, 84);
constexpr std::uint32_t kLabel = Grey(224);          // the words on the special tiles
// The page round the game in the browser, and the background the web app shows
// behind its icon (the page and its manifest are given the same colour).
constexpr std::uint32_t kPage = Rgb(32, 38, 43);
}  // namespace colour

Surface Blank(int width, int height, std::uint32_t fill);
void Put(Surface& s, int x, int y, std::uint32_t c);  // ignores points outside
void FillRect(Surface& s, int x, int y, int w, int h, std::uint32_t c);
// A one-pixel ring `inset` pixels in from the edge: `topLeft` along the top and left,
// `bottomRight` along the bottom and right (the latter owns the two odd corners).
void Ring(Surface& s, int inset, std::uint32_t topLeft, std::uint32_t bottomRight);

// Grey pieces: face with a single bevel, or with the outer ring added.
Surface SingleBevel(int width, int height);
Surface DoubleBevel(int width, int height);
// Green controls: raised, or pressed with light and dark rings swapped.
Surface GreenControl(int width, int height, bool pressed);

// `image` at `factor` times its size, each pixel a factor x factor block: the
// game's own way of showing its pixels larger, kept sharp.
Surface Enlarge(const Surface& image, int factor);

// Linear mix of two colours, t in 0..1, rounded to the nearest level.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t);

// A channel shape in tile coordinates: true if the point (x, y), measured in pixels
// from the tile's top-left corner, lies inside the channel.
using Shape = std::function<bool(double x, double y)>;

// True if pixel (x, y) belongs to the channel: decided at the pixel's centre.
bool InShape(const Shape& shape, int x, int y);

// Cuts a sunken channel into the tile: pixels whose centre lies in `shape` become
// pure black (the key), and a rim `rimWidth` pixels wide around it is shaded as a groove lit from
// the top left - dark (63) where the wall faces away from the light, light (192)
// where it faces it, blended in between and smoothed into the face at its outer edge.
void CutChannel(Surface& tile, const Shape& shape, int rimWidth = 1);

// Deterministic hash of a point and a seed, uniform over 0..2^32-1.
std::uint32_t Hash(int x, int y, std::uint32_t seed);

}  // namespace art
