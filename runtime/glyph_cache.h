#pragma once
// A font at one pixel size with all 256 Windows-1252 characters rendered once, when
// the font is made, from the heavy sans-serif face built into the program.  Drawing
// text then only copies coverage bytes; the font engine is never touched per frame.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/canvas.h"

namespace rt {

// How glyph shapes are turned into pixels.
enum class GlyphRendering {
  Grey,  // 256 coverage levels, hinted to the pixel grid, blended onto the target
  Mono,  // hinted the same way, every pixel either ink or nothing
};

// One character's image and metrics.
struct Glyph {
  int left = 0;     // image's left edge relative to the pen position
  int top = 0;      // image's top row relative to the top of the text cell
  int width = 0;    // image size in pixels (0 x 0 for a blank such as the space)
  int height = 0;
  int advance = 0;  // pen movement in whole pixels
  std::uint32_t offset = 0;  // first coverage byte of the image in Font::coverage
  bool solid = false;        // every covered pixel is fully covered (no blending)
};

struct Font {
  std::string face;     // the face name asked for (every name draws the built-in face)
  int points = 0;
  int pixelHeight = 0;  // character (em) height without internal leading
  int ascent = 0;       // cell top to baseline
  int descent = 0;      // baseline to cell bottom
  int cellHeight = 0;   // ascent + descent: the height of the opaque text cell
  std::array<Glyph, 256> glyphs{};  // by Windows-1252 byte
  std::vector<std::uint8_t> coverage;  // glyph images, rows top-down, 0 = none, 255 = full

  const Glyph& Of(unsigned char byte) const { return glyphs[byte]; }
  // Sum of the whole-pixel advances of the text's characters (no kerning).
  long long Advance(std::string_view text) const;
};

// Largest pixel height a font may have; the glyph images of a bigger one would cost
// more memory than any text of this game could need.
constexpr int kMaxFontPixelHeight = 200;

// Renders the built-in face at `pixelHeight` (1..kMaxFontPixelHeight).  Null if the
// size is out of range or the font engine fails.
std::unique_ptr<Font> BuildFont(int pixelHeight, GlyphRendering rendering);

}  // namespace rt
