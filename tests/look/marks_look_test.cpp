// The streams' marks: with --marks, the four start tiles (and the four pass tiles, and
// the four goal tiles) stay pairwise distinguishable for players who see no colour,
// and for those with each of the three full colour blindnesses.  Without the marks
// they are not: that is what the marks are for.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "tests/look/pixels.h"

namespace {

using looktest::Game;

struct Rgb {
  double r, g, b;
};

double Linear(int c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// How a colour looks to a viewer: full-severity simulations (Machado, Oliveira and
// Fernandes, 2009) and grey, all in linear light.
enum class Viewer { kGrey, kProtanopia, kDeuteranopia, kTritanopia };
using Matrix = std::array<std::array<double, 3>, 3>;
constexpr Matrix kProtan = {{{0.152286, 1.052583, -0.204868},
                             {0.114503, 0.786281, 0.099216},
                             {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeutan = {{{0.367322, 0.860646, -0.227968},
                             {0.280085, 0.672501, 0.047413},
                             {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritan = {{{1.255528, -0.076749, -0.178779},
                             {-0.078411, 0.930809, 0.147602},
                             {0.004733, 0.691367, 0.303900}}};

Rgb Seen(std::uint32_t pixel, Viewer viewer) {
  const double in[3] = {Linear(static_cast<int>((pixel >> 16) & 255)),
                        Linear(static_cast<int>((pixel >> 8) & 255)), Linear(static_cast<int>(pixel & 255))};
  if (viewer == Viewer::kGrey) {
    const double y = 0.2126 * in[0] + 0.7152 * in[1] + 0.0722 * in[2];
    return {y, y, y};
  }
  const Matrix& m = viewer == Viewer::kProtanopia ? kProtan : viewer == Viewer::kDeuteranopia ? kDeutan : kTritan;
  double out[3];
  for (int i = 0; i < 3; ++i) out[i] = std::clamp(m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2], 0.0, 1.0);
  return {out[0], out[1], out[2]};
}

// CIE 1976 L*a*b* of a linear sRGB colour, D65.
std::array<double, 3> Lab(const Rgb& c) {
  const double x = (0.4124 * c.r + 0.3576 * c.g + 0.1805 * c.b) / 0.9505;
  const double y = 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
  const double z = (0.0193 * c.r + 0.1192 * c.g + 0.9505 * c.b) / 1.089;
  const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// Two tiles are told apart when they differ clearly (by a colour difference of at
// least 20) in at least as many pixels as one dot of a mark covers.
constexpr double kClearDifference = 20;
constexpr int kDotPixels = 12;

int ClearlyDifferentPixels(int tileA, int tileB, Viewer viewer) {
  const rt::Surface& a = *rt::FindSprite(tileA);
  const rt::Surface& b = *rt::FindSprite(tileB);
  int n = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const auto la = Lab(Seen(a.At(x, y), viewer)), lb = Lab(Seen(b.At(x, y), viewer));
      if (std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]) >= kClearDifference) ++n;
    }
  return n;
}

// The fewest clearly different pixels between two tiles of one kind, for a viewer.
int FewestDifferences(Viewer viewer) {
  int fewest = 32 * 32;
  for (int kind = game::kKindStart; kind <= game::kKindGoal; ++kind)
    for (int a = 1; a <= 4; ++a)
      for (int b = a + 1; b <= 4; ++b)
        fewest = std::min(fewest, ClearlyDifferentPixels(game::SpecialTile(a, kind), game::SpecialTile(b, kind), viewer));
  return fewest;
}

constexpr Viewer kViewers[] = {Viewer::kGrey, Viewer::kProtanopia, Viewer::kDeuteranopia, Viewer::kTritanopia};

TEST(Marks, KeepTheFourStreamsApartForEveryViewer) {
  sim::Options options;
  options.marks = true;
  Game marked(options);
  for (const Viewer viewer : kViewers) {
    EXPECT_GE(FewestDifferences(viewer), kDotPixels) << "viewer " << static_cast<int>(viewer);
  }
}

TEST(Marks, AreNeededWithoutThem) {
  Game plain;
  int apart = 0;
  for (const Viewer viewer : kViewers) apart += FewestDifferences(viewer) >= kDotPixels ? 1 : 0;
  EXPECT_EQ(apart, 0);
}

}  // namespace
