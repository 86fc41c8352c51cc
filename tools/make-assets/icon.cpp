// The window icon: a rounded pipe tile whose bend carries cyan water, with the
// start tile's word and colour field above it.  Black is transparent.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace art {
namespace {

constexpr int kSize = 64;
constexpr double kCorner = 10;  // radius of the tile's rounded corners

// Signed distance from the rounded tile's outline, negative inside.
double TileDistance(double x, double y) {
  const double half = kSize / 2.0;
  const double qx = std::fabs(x - half) - (half - kCorner);
  const double qy = std::fabs(y - half) - (half - kCorner);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - kCorner;
}

// The bend: a quarter ring round the bottom-left corner, twice the size of a tile's.
constexpr double kInner = 20, kOuter = 44;
double BendRadius(double x, double y) { return std::hypot(x, y - kSize); }

// Water across the channel: shaded at the walls, a sunlit streak near the inner side.
std::uint32_t Water(double r) {
  const double u = (r - kInner) / (kOuter - kInner);
  const std::uint32_t deep = Rgb(0, 178, 196), body = Rgb(0, 236, 244), shine = Rgb(190, 255, 255);
  if (u < 0.12) return Mix(deep, body, u / 0.12);
  if (u < 0.30) return Mix(body, shine, (u - 0.12) / 0.18);
  if (u < 0.42) return Mix(shine, body, (u - 0.30) / 0.12);
  if (u < 0.80) return body;
  return Mix(body, deep, (u - 0.80) / 0.20);
}

}  // namespace

Surface WindowIcon() {
  Surface s = Blank(kSize, kSize, colour::kFace);
  // A double bevel following the rounded outline: lit where the outline faces the
  // top left, shaded where it faces the bottom right.
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      const double d = TileDistance(cx, cy);
      if (d >= 0) continue;
      if (d < -2) continue;
      const double nx = TileDistance(cx + 0.5, cy) - TileDistance(cx - 0.5, cy);
      const double ny = TileDistance(cx, cy + 0.5) - TileDistance(cx, cy - 0.5);
      const bool lit = nx + ny < 0;
      if (d >= -1)
        Put(s, x, y, lit ? colour::kOuterLight : colour::kOuterDark);
      else
        Put(s, x, y, lit ? colour::kLight : colour::kDark);
    }
  }
  CutChannel(s, [](double x, double y) {
    const double r = BendRadius(x, y);
    return r >= kInner && r < kOuter;
  }, 2);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (TileDistance(x + 0.5, y + 0.5) >= 0) {
        Put(s, x, y, colour::kKey);
      } else if (s.At(x, y) == colour::kKey) {
        Put(s, x, y, Water(BendRadius(x + 0.5, y + 0.5)));
      }
    }
  }
  // The start tile's word and colour field, at the top right.
  constexpr int kFieldX = 34, kFieldY = 12, kFieldW = 22, kFieldH = 7;
  DrawWord(s, "START", kFieldX + (kFieldW - WordWidth("START")) / 2, 4, colour::kLabel);
  for (int x = kFieldX - 1; x <= kFieldX + kFieldW; ++x) {
    Put(s, x, kFieldY - 1, Grey(63));
    Put(s, x, kFieldY + kFieldH, Grey(192));
  }
  for (int y = kFieldY - 1; y <= kFieldY + kFieldH; ++y) {
    Put(s, kFieldX - 1, y, Grey(63));
    Put(s, kFieldX + kFieldW, y, Grey(192));
  }
  FillRect(s, kFieldX, kFieldY, kFieldW, kFieldH, Rgb(0, 255, 255));
  FillRect(s, kFieldX, kFieldY, kFieldW, 2, Rgb(150, 255, 255));
  return s;
}

Surface MaskableIcon() {
  constexpr int kMaskableSize = 512;
  constexpr int kFactor = 5;
  const Surface tile = Enlarge(WindowIcon(), kFactor);
  Surface s = Blank(kMaskableSize, kMaskableSize, colour::kPage);
  const int offset = (kMaskableSize - tile.width) / 2;
  for (int y = 0; y < tile.height; ++y)
    for (int x = 0; x < tile.width; ++x)
      if (tile.At(x, y) != colour::kKey) Put(s, offset + x, offset + y, tile.At(x, y));
  return s;
}

}  // namespace art
