#include "paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {

Surface Blank(int width, int height, std::uint32_t fill) {
  Surface s;
  s.width = width;
  s.height = height;
  s.pixels.assign(static_cast<std::size_t>(width) * height, fill);
  return s;
}

void Put(Surface& s, int x, int y, std::uint32_t c) {
  if (x < 0 || y < 0 || x >= s.width || y >= s.height) return;
  s.Row(y)[x] = c;
}

void FillRect(Surface& s, int x, int y, int w, int h, std::uint32_t c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Put(s, i, j, c);
}

void Ring(Surface& s, int inset, std::uint32_t topLeft, std::uint32_t bottomRight) {
  const int left = inset, top = inset;
  const int right = s.width - 1 - inset, bottom = s.height - 1 - inset;
  for (int x = left; x <= right; ++x) Put(s, x, top, topLeft);
  for (int y = top; y <= bottom; ++y) Put(s, left, y, topLeft);
  for (int x = left; x <= right; ++x) Put(s, x, bottom, bottomRight);
  for (int y = top; y <= bottom; ++y) Put(s, right, y, bottomRight);
}

Surface Enlarge(const Surface& image, int factor) {
  Surface s = Blank(image.width * factor, image.height * factor, colour::kKey);
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) s.Row(y)[x] = image.At(x / factor, y / factor);
  return s;
}

Surface SingleBevel(int width, int height) {
  Surface s = Blank(width, height, colour::kFace);
  Ring(s, 0, colour::kLight, colour::kDark);
  return s;
}

Surface DoubleBevel(int width, int height) {
  Surface s = Blank(width, height, colour::kFace);
  Ring(s, 0, colour::kOuterLight, colour::kOuterDark);
  Ring(s, 1, colour::kLight, colour::kDark);
  return s;
}

Surface GreenControl(int width, int height, bool pressed) {
  using namespace colour;
  Surface s = Blank(width, height, kGreenFace);
  if (!pressed) {
    Ring(s, 0, kGreenOuterLight, kGreenOuterDark);
    Ring(s, 1, kGreenInnerLight, kGreenInnerDark);
  } else {
    Ring(s, 0, kGreenOuterDark, kGreenOuterLight);
    Ring(s, 1, kGreenInnerDark, kGreenInnerLight);
  }
  return s;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  auto channel = [&](int shift) {
    const double ca = static_cast<double>((a >> shift) & 255);
    const double cb = static_cast<double>((b >> shift) & 255);
    return static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
  };
  return channel(16) | channel(8) | channel(0);
}

bool InShape(const Shape& shape, int x, int y) { return shape(x + 0.5, y + 0.5); }

namespace {

// Samples per pixel along each axis when shading the rim.
constexpr int kSub = 4;

// Rim shade for a wall whose outward direction (from the channel) is (nx, ny).
std::uint32_t RimShade(double nx, double ny) {
  const double len = std::hypot(nx, ny);
  const double t = len > 0 ? (nx + ny) / (len * std::sqrt(2.0)) : 0.0;
  const double u = std::clamp((t + 0.35) / 0.7, 0.0, 1.0);
  return Mix(colour::kOuterDark, colour::kOuterLight, u);
}

}  // namespace

void CutChannel(Surface& tile, const Shape& shape, int rimWidth) {
  // Sample the shape on a fine grid that reaches one pixel beyond the tile, so the
  // rim next to an opening sees the channel continuing into the neighbour.
  const int reach = kSub * rimWidth;  // rim width in samples
  const int gw = (tile.width + 2 * rimWidth) * kSub, gh = (tile.height + 2 * rimWidth) * kSub;
  std::vector<char> inside(static_cast<std::size_t>(gw) * gh);
  auto at = [&](int i, int j) -> char& { return inside[static_cast<std::size_t>(j) * gw + i]; };
  for (int j = 0; j < gh; ++j)
    for (int i = 0; i < gw; ++i)
      at(i, j) = shape((i + 0.5) / kSub - rimWidth, (j + 0.5) / kSub - rimWidth) ? 1 : 0;

  const Surface base = tile;
  for (int y = 0; y < tile.height; ++y) {
    for (int x = 0; x < tile.width; ++x) {
      if (InShape(shape, x, y)) {
        tile.Row(y)[x] = colour::kKey;
        continue;
      }
      int covered = 0;
      double nx = 0, ny = 0;
      for (int sj = 0; sj < kSub; ++sj) {
        for (int si = 0; si < kSub; ++si) {
          const int i = (x + rimWidth) * kSub + si, j = (y + rimWidth) * kSub + sj;
          if (at(i, j)) {
            ++covered;
            continue;
          }
          // Nearest channel sample within the rim's width.
          int best = reach * reach + 1, bx = 0, by = 0;
          for (int dj = -reach; dj <= reach; ++dj) {
            for (int di = -reach; di <= reach; ++di) {
              const int d2 = di * di + dj * dj;
              if (d2 >= best || !at(i + di, j + dj)) continue;
              best = d2;
              bx = di;
              by = dj;
            }
          }
          if (best > reach * reach) continue;
          ++covered;
          const double len = std::sqrt(static_cast<double>(best));
          nx -= bx / len;
          ny -= by / len;
        }
      }
      if (covered == 0) continue;
      const double coverage = static_cast<double>(covered) / (kSub * kSub);
      tile.Row(y)[x] = Mix(base.At(x, y), RimShade(nx, ny), coverage);
    }
  }
}

std::uint32_t Hash(int x, int y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

}  // namespace art
