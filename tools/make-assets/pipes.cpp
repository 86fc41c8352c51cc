// The pipe pieces 1..7: a grey tile with a sunken, pure black channel 12 pixels wide
// whose openings lie at columns or rows 10..21 of the edges they reach.
#include <cmath>

#include "art.h"

namespace art {
namespace {

constexpr double kOpenLo = 10.0;  // the channel's edges across an opening
constexpr double kOpenHi = 22.0;

bool Across(double v) { return v >= kOpenLo && v < kOpenHi; }

// Quarter ring round the tile corner (cx, cy): it leaves the two edges meeting at
// that corner exactly through their openings.
Shape Bend(double cx, double cy) {
  return [cx, cy](double x, double y) {
    const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d2 >= kOpenLo * kOpenLo && d2 < kOpenHi * kOpenHi;
  };
}

// Half-width of a crossing's vertical stub at distance `d` from the tile edge: full
// opening for the first two rows, then narrowing as it dives under the horizontal pipe.
double StubHalfWidth(double d) { return d <= 2.0 ? 6.0 : 6.0 - (d - 2.0) * 0.75; }

}  // namespace

Shape PipeShape(int code) {
  switch (code) {
    case 1: return [](double x, double) { return Across(x); };
    case 2: return [](double, double y) { return Across(y); };
    case 3: return Bend(32, 0);   // top and right
    case 4: return Bend(32, 32);  // right and bottom
    case 5: return Bend(0, 32);   // bottom and left
    case 6: return Bend(0, 0);    // left and top
    case 7:
      return [](double x, double y) {
        if (Across(y)) return true;
        const double d = y < 16 ? y : 32 - y;
        return d < 6 && std::fabs(x - 16) < StubHalfWidth(d);
      };
    default: return [](double, double) { return false; };
  }
}

Surface PipeTile(int code) {
  Surface tile = SingleBevel(32, 32);
  CutChannel(tile, PipeShape(code));
  return tile;
}

}  // namespace art
