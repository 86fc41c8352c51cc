#pragma once
// The heavy face rendered at one pixel size: every Windows-1252 character's ink
// weights and metrics, as FreeType gives them for a way of hinting.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace glyphs {

// How outlines are fitted to the pixel grid before they are rendered.
enum class Hinting {
  Normal,  // auto-hinter, stems snapped in both directions
  Light,   // auto-hinter, vertical only: heights snap, widths keep their shape
  None,    // the outline as designed
};

struct RasterGlyph {
  int left = 0;   // image's left edge relative to the pen position
  int top = 0;    // image's top row relative to the top of the text cell
  int width = 0;  // 0 x 0 for a blank such as the space
  int height = 0;
  std::vector<std::uint8_t> weights;  // width x height, rows top-down, 0..128
  int advance = 0;    // pen movement in 64ths of a pixel, as hinted
  int linear = 0;     // pen movement in 64ths of a pixel, as designed
  int lsbDelta = 0;   // how hinting moved the left and right edges, in 64ths
  int rsbDelta = 0;
};

struct RasterFace {
  int pixelHeight = 0;
  int ascent = 0;   // cell top to baseline
  int descent = 0;  // baseline to cell bottom
  std::array<RasterGlyph, 256> glyphs;
};

// Renders the face in `fontFile` at `pixelHeight`.  Empty error on success.
std::string Rasterise(const std::string& fontFile, int pixelHeight, Hinting hinting, RasterFace& face);

}  // namespace glyphs
