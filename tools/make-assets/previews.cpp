// The placement previews 11..17: a white sketch of a piece over the cell under the
// pointer.  Everything that is not white is pure black, so the cell shows through.
#include "art.h"

namespace art {

Surface Preview(int code) {
  const Shape shape = PipeShape(code);
  Surface s = Blank(32, 32, colour::kKey);
  auto channel = [&](int x, int y) { return InShape(shape, x, y); };
  auto outline = [&](int x, int y) {
    return !channel(x, y) &&
           (channel(x - 1, y) || channel(x + 1, y) || channel(x, y - 1) || channel(x, y + 1));
  };
  auto frame = [](int x, int y) { return x == 0 || y == 0 || x == 31 || y == 31; };
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      bool white = frame(x, y) || outline(x, y);
      if (!white && !channel(x, y) && x % 2 == 1 && y % 2 == 1) {
        // A dot of the wall, kept one pixel clear of every line so the lines stay crisp.
        bool clear = true;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if (frame(x + dx, y + dy) || outline(x + dx, y + dy)) clear = false;
        white = clear;
      }
      if (white) Put(s, x, y, colour::kWhite);
    }
  }
  return s;
}

}  // namespace art
