#pragma once
// A font at one pixel size with all 256 Windows-1252 characters rendered once, when
// the font is made, from the heavy sans-serif face built into the program.  Drawing
// text then only blends stored ink weights; the font engine is never touched per frame.
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
  Grey,  // edge pixels partly inked, hinted to the pixel grid, blended onto the target
  Mono,  // hinted the same way, every pixel either ink or nothing
};

// How much of the text colour a pixel takes, in 128ths: 0 leaves the pixel as it is,
// 128 replaces it by the text colour.  128 levels are finer than the eye can tell on
// such small glyphs, and keep every product of the blend within 16 bits.
constexpr int kFullInk = 128;

// One character's image and metrics.  Image rows are padded with empty pixels to a
// multiple of four, so that the renderer can blend four pixels at a time.
struct Glyph {
  int left = 0;     // image's left edge relative to the pen position
  int top = 0;      // image's top row relative to the top of the text cell
  int width = 0;    // image size in pixels (0 x 0 for a blank such as the space)
  int height = 0;
  int stride = 0;   // width rounded up to a multiple of four
  int advance = 0;  // pen movement in whole pixels
  std::uint32_t offset = 0;     // first weight of the image in Font::weights
  std::uint32_t firstSpan = 0;  // the image's spans in Font::spans
  std::uint32_t spanCount = 0;
};

// The part of one image row that holds ink, widened to whole groups of four pixels
// (never beyond the row's stride).  Rows without ink have no span.
struct GlyphSpan {
  std::int16_t row = 0;     // row within the image
  std::int16_t column = 0;  // first pixel, a multiple of four
  std::int16_t length = 0;  // a multiple of four
};

struct Font {
  std::string face;     // the face name asked for (every name draws the built-in face)
  int points = 0;
  int pixelHeight = 0;  // character (em) height without internal leading
  int ascent = 0;       // cell top to baseline
  int descent = 0;      // baseline to cell bottom
  int cellHeight = 0;   // ascent + descent: the height of the opaque text cell
  std::array<Glyph, 256> glyphs{};  // by Windows-1252 byte
  std::vector<std::uint8_t> weights;  // glyph images, rows top-down, 0..kFullInk
  std::vector<GlyphSpan> spans;       // every glyph's inked rows, glyph by glyph

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
