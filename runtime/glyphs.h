#pragma once
// The glyphs of the heavy text face at the pixel sizes the game uses, rendered once
// by tools/make-glyphs and built into the program (glyph_data.cpp).  Drawing text
// only blends these stored ink weights.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// How much of the text colour a pixel takes, in 128ths: 0 leaves the pixel as it is,
// 128 replaces it by the text colour.  128 levels are finer than the eye can tell on
// such small glyphs, and keep every product of the blend within 16 bits.
constexpr int kFullInk = 128;

// One pixel of text: each channel moves from what is below towards the ink by
// weight / 128 (weight 0..kFullInk).
constexpr std::uint32_t BlendInk(std::uint32_t under, std::uint32_t ink, int weight) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int below = static_cast<int>((under >> shift) & 255u);
    const int diff = static_cast<int>((ink >> shift) & 255u) - below;
    result |= static_cast<std::uint32_t>(below + ((diff * weight) >> 7)) << shift;
  }
  return result;
}

// One character's image and metrics.  Image rows are padded with empty pixels to a
// multiple of four, so that the renderer can blend four pixels at a time.
struct Glyph {
  int left = 0;     // image's left edge relative to the pen position
  int top = 0;      // image's top row relative to the top of the text cell
  int width = 0;    // image size in pixels (0 x 0 for a blank such as the space)
  int height = 0;
  int stride = 0;   // width rounded up to a multiple of four
  int advance = 0;  // pen movement in whole pixels
  // How far, in 64ths of a pixel, fitting the outline to the pixel grid moved its
  // left and its right edge (see SpacingCorrection).
  int lsbDelta = 0;
  int rsbDelta = 0;
  std::uint32_t offset = 0;     // first weight of the image in the face's weights
  std::uint32_t firstSpan = 0;  // the image's spans in the face's spans
  std::uint32_t spanCount = 0;
};

// The part of one image row that holds ink, widened to whole groups of four pixels
// (never beyond the row's stride).  Rows without ink have no span.
struct GlyphSpan {
  std::int16_t row = 0;     // row within the image
  std::int16_t column = 0;  // first pixel, a multiple of four
  std::int16_t length = 0;  // a multiple of four
};

// The face at one pixel size.
struct GlyphFace {
  int pixelHeight = 0;  // character (em) height without internal leading
  int ascent = 0;       // cell top to baseline
  int descent = 0;      // baseline to cell bottom
  const Glyph* glyphs = nullptr;          // 256, by Windows-1252 byte
  const std::uint8_t* weights = nullptr;  // glyph images, rows top-down, 0..kFullInk
  const GlyphSpan* spans = nullptr;       // every glyph's inked rows, glyph by glyph
};

// Every face built in, written by tools/make-glyphs into glyph_data.cpp.
extern const GlyphFace kBuiltInFaces[];
extern const std::size_t kBuiltInFaceCount;

// The face at `pixelHeight`, or null if that size is not built in.
const GlyphFace* BuiltInFace(long long pixelHeight);

// Whole pixels to move the pen before a glyph, given how the pixel grid moved the
// right edge of the glyph before it and the left edge of this one: where the two
// moved apart (or together) by more than half a pixel, the gap between them is put
// back to what the face designs, so that no gap stands out.
constexpr int SpacingCorrection(int previousRsbDelta, int lsbDelta) {
  const int drift = previousRsbDelta - lsbDelta;
  return drift > 32 ? -1 : drift < -31 ? 1 : 0;
}

struct Font {
  std::string face;  // the face name asked for
  int points = 0;
  int pixelHeight = 0;
  int ascent = 0;
  int descent = 0;
  int cellHeight = 0;  // ascent + descent: the height of the opaque text cell
  const Glyph* glyphs = nullptr;
  const std::uint8_t* weights = nullptr;
  const GlyphSpan* spans = nullptr;

  const Glyph& Of(unsigned char byte) const { return glyphs[byte]; }
  // The pen movement over the whole text: the glyphs' advances with the spacing
  // correction between neighbours.
  long long Advance(std::string_view text) const;
};

}  // namespace rt
