// The grass every empty cell shows, and the grey stone block.
#include <algorithm>
#include <array>
#include <cmath>

#include "art.h"

namespace art {
namespace {

constexpr int kTile = 32;

// Smooth value noise with lattice cells of `cell` pixels, wrapping round the tile so
// that neighbouring grass cells join without a seam.  Result in 0..1.
double TileNoise(int x, int y, int cell, std::uint32_t seed) {
  const int period = kTile / cell;
  auto lattice = [&](int i, int j) {
    return Hash(((i % period) + period) % period, ((j % period) + period) % period, seed) /
           4294967296.0;
  };
  const double fx = (x + 0.5) / cell - 0.5, fy = (y + 0.5) / cell - 0.5;
  const int i = static_cast<int>(std::floor(fx)), j = static_cast<int>(std::floor(fy));
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const double tx = smooth(fx - i), ty = smooth(fy - j);
  const double top = lattice(i, j) + (lattice(i + 1, j) - lattice(i, j)) * tx;
  const double bottom = lattice(i, j + 1) + (lattice(i + 1, j + 1) - lattice(i, j + 1)) * tx;
  return top + (bottom - top) * ty;
}

// Greens from shade to sunlit; the grass moves between them.
constexpr std::array<std::uint32_t, 5> kGreens = {
    Rgb(52, 100, 44), Rgb(62, 114, 50), Rgb(72, 128, 56), Rgb(84, 142, 62), Rgb(98, 156, 70)};

std::uint32_t GreenAt(double v) {
  const double pos = std::clamp(v, 0.0, 1.0) * (kGreens.size() - 1);
  const std::size_t i = std::min(static_cast<std::size_t>(pos), kGreens.size() - 2);
  return Mix(kGreens[i], kGreens[i + 1], pos - static_cast<double>(i));
}

}  // namespace

Surface Grass() {
  constexpr std::uint32_t kSeed = 20260;
  Surface s = Blank(kTile, kTile, kGreens[2]);
  std::array<double, kTile * kTile> level{};
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      const double broad = TileNoise(x, y, 16, kSeed);
      const double patch = TileNoise(x, y, 8, kSeed + 1);
      const double fine = TileNoise(x, y, 4, kSeed + 2);
      const double grain = Hash(x, y, kSeed + 3) / 4294967296.0;
      level[y * kTile + x] = 0.5 + 0.75 * (0.1 * broad + 0.2 * patch + 0.35 * fine + 0.35 * grain - 0.5);
    }
  }
  // Sparse blades: a sunlit tip with a shaded pixel under it, wrapping at the edges.
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (Hash(x, y, kSeed + 4) % 100 >= 7) continue;
      level[y * kTile + x] += 0.28;
      level[((y + 1) % kTile) * kTile + x] -= 0.18;
    }
  }
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) Put(s, x, y, GreenAt(level[y * kTile + x]));
  return s;
}

Surface Stone() {
  Surface s = SingleBevel(kTile, kTile);
  // The block: a square over pixels 3..28 with corners rounded to radius 4.
  constexpr double kLo = 3, kHi = 29, kRadius = 4;
  auto block = [&](int x, int y) {
    const double cx = x + 0.5, cy = y + 0.5;
    if (cx < kLo || cx > kHi || cy < kLo || cy > kHi) return false;
    const double dx = std::max({kLo + kRadius - cx, 0.0, cx - (kHi - kRadius)});
    const double dy = std::max({kLo + kRadius - cy, 0.0, cy - (kHi - kRadius)});
    return dx * dx + dy * dy <= kRadius * kRadius;
  };
  constexpr std::uint32_t kSeed = 2020;
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) {
      if (!block(x, y)) {
        // The block's shadow falls one pixel to the bottom right on the tile face.
        if (block(x - 1, y - 1) && x < kTile - 1 && y < kTile - 1) Put(s, x, y, Grey(104));
        continue;
      }
      const bool edge = !block(x - 1, y) || !block(x + 1, y) || !block(x, y - 1) || !block(x, y + 1);
      if (edge) {
        // Lit along the top and left, shaded along the bottom and right; the corner
        // diagonals split where the distances to the two sides are equal.
        const int toTop = y - 3, toLeft = x - 3, toBottom = 28 - y, toRight = 28 - x;
        const bool lit = std::min(toTop, toLeft) < std::min(toBottom, toRight) ||
                         (std::min(toTop, toLeft) == std::min(toBottom, toRight) && toTop < toBottom);
        Put(s, x, y, lit ? Grey(192) : Grey(63));
        continue;
      }
      // Stone surface: light from the top left and a calm grain.
      const double shade = 142 - 0.35 * ((x - 3) + (y - 3)) / 2.0;
      const int grain = static_cast<int>(Hash(x, y, kSeed) % 9) - 4;
      const int pit = Hash(x, y, kSeed + 1) % 23 == 0 ? -14 : 0;
      Put(s, x, y, Grey(static_cast<int>(std::lround(shade)) + grain + pit));
    }
  }
  return s;
}

}  // namespace art
