// The special-tile overlays: a word in a five-pixel font, the channel of the tile's
// kind and a sunken pure white field that the composed tile fills with the stream's
// colour (white is these overlays' key).
#include <array>
#include <string_view>

#include "art.h"

namespace art {
namespace {

// The pixel font: five rows per letter, '#' lit.  Only the letters the tiles use.
struct Glyph {
  char letter;
  std::array<std::string_view, 5> rows;
};

constexpr std::array<Glyph, 11> kFont = {{
    {'A', {".##.", "#..#", "####", "#..#", "#..#"}},
    {'E', {"####", "#...", "###.", "#...", "####"}},
    {'G', {".###", "#...", "#.##", "#..#", ".##."}},
    {'I', {"###", ".#.", ".#.", ".#.", "###"}},
    {'L', {"#...", "#...", "#...", "#...", "####"}},
    {'O', {".##.", "#..#", "#..#", "#..#", ".##."}},
    {'P', {"###.", "#..#", "###.", "#...", "#..."}},
    {'R', {"###.", "#..#", "###.", "#.#.", "#..#"}},
    {'S', {".###", "#...", ".##.", "...#", "###."}},
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'Z', {"####", "...#", ".##.", "#...", "####"}},
}};

const Glyph& GlyphOf(char letter) {
  for (const Glyph& g : kFont)
    if (g.letter == letter) return g;
  return kFont[0];
}

}  // namespace

int WordWidth(std::string_view word) {
  int width = -1;
  for (char c : word) width += static_cast<int>(GlyphOf(c).rows[0].size()) + 1;
  return width;
}

void DrawWord(Surface& s, std::string_view word, int left, int top, std::uint32_t ink) {
  int x = left;
  for (char c : word) {
    const Glyph& g = GlyphOf(c);
    for (int row = 0; row < 5; ++row)
      for (std::size_t col = 0; col < g.rows[row].size(); ++col)
        if (g.rows[row][col] == '#') Put(s, x + static_cast<int>(col), top + row, ink);
    x += static_cast<int>(g.rows[0].size()) + 1;
  }
}

namespace {

// Draws `word` centred across the tile with its top row at `top`.
void DrawTileWord(Surface& s, std::string_view word, int top) {
  DrawWord(s, word, (s.width - WordWidth(word)) / 2, top, colour::kLabel);
}

bool AcrossMiddle(double y) { return y >= 10 && y < 22; }
// The rounded end of a start or goal channel: a disc filling the channel's height.
bool InEnd(double x, double y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) < 36; }

}  // namespace

Surface SpecialOverlay(int kind, std::string_view word) {
  Surface s = SingleBevel(32, 32);
  switch (kind) {
    case 1:  // start: the water leaves to the right
      CutChannel(s, [](double x, double y) { return (x >= 16 && AcrossMiddle(y)) || InEnd(x, y); });
      break;
    case 2:  // pass: the water runs straight through
      CutChannel(s, [](double, double y) { return AcrossMiddle(y); });
      break;
    default:  // goal: the water arrives from the left
      CutChannel(s, [](double x, double y) { return (x < 16 && AcrossMiddle(y)) || InEnd(x, y); });
      break;
  }
  DrawTileWord(s, word, 2);
  // The colour field, sunk into the face: shaded above and left, lit below and right.
  for (int x = 5; x <= 26; ++x) {
    Put(s, x, 25, Grey(63));
    Put(s, x, 29, Grey(192));
  }
  for (int y = 25; y <= 29; ++y) {
    Put(s, 5, y, Grey(63));
    Put(s, 26, y, Grey(192));
  }
  Put(s, 26, 25, Grey(128));
  Put(s, 5, 29, Grey(128));
  FillRect(s, 6, 26, 20, 3, colour::kWhite);
  return s;
}

}  // namespace art
