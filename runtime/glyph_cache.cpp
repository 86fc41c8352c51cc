#include "runtime/glyph_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstddef>

#include "runtime/cp1252.h"

// The bytes of the built-in TrueType face, linked into the program at build time.
extern "C" const unsigned char quelmo_font_data[];
extern "C" const unsigned long long quelmo_font_data_size;

namespace rt {

namespace {

// The font engine and the built-in face, opened on first use and kept for the whole
// run (fonts are made at start-up only, and never freed).
FT_Face BuiltInFace() {
  static FT_Face face = [] {
    FT_Library library = nullptr;
    FT_Face opened = nullptr;
    if (FT_Init_FreeType(&library) != 0) return opened;
    const auto size = static_cast<FT_Long>(quelmo_font_data_size);
    if (FT_New_Memory_Face(library, quelmo_font_data, size, 0, &opened) != 0) {
      FT_Done_FreeType(library);
      return static_cast<FT_Face>(nullptr);
    }
    return opened;
  }();
  return face;
}

constexpr double kCellAscentPerEm = 2254.0 / 2048.0;
constexpr double kCellDescentPerEm = 634.0 / 2048.0;

int RoundToInt(double value) { return static_cast<int>(std::lround(value)); }

// Copies the rendered image of the glyph slot into the font as ink weights, rows
// padded to the stride, and fills in `glyph`.
void StoreImage(const FT_Bitmap& bitmap, Glyph& glyph, Font& font) {
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.stride = (glyph.width + 3) & ~3;
  glyph.offset = static_cast<std::uint32_t>(font.weights.size());
  font.weights.resize(font.weights.size() + static_cast<std::size_t>(glyph.stride * glyph.height), 0);
  std::uint8_t* out = font.weights.data() + glyph.offset;
  for (int row = 0; row < glyph.height; ++row, out += glyph.stride) {
    const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    for (int col = 0; col < glyph.width; ++col) {
      const unsigned coverage = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                    ? ((src[col >> 3] & (0x80 >> (col & 7))) != 0 ? 255u : 0u)
                                    : src[col];  // 0..255
      out[col] = static_cast<std::uint8_t>((coverage + 1) >> 1);  // 0..128
    }
  }
}

// Records, row by row, the groups of four pixels between the first and the last inked
// pixel of the row.
void MakeSpans(Glyph& glyph, Font& font) {
  glyph.firstSpan = static_cast<std::uint32_t>(font.spans.size());
  for (int row = 0; row < glyph.height; ++row) {
    const std::uint8_t* weights = font.weights.data() + glyph.offset + row * glyph.stride;
    int first = 0, end = glyph.stride;
    while (first < end && weights[first] == 0) ++first;
    while (end > first && weights[end - 1] == 0) --end;
    if (first == end) continue;
    first &= ~3;
    end = (end + 3) & ~3;
    GlyphSpan span;
    span.row = static_cast<std::int16_t>(row);
    span.column = static_cast<std::int16_t>(first);
    span.length = static_cast<std::int16_t>(end - first);
    font.spans.push_back(span);
  }
  glyph.spanCount = static_cast<std::uint32_t>(font.spans.size()) - glyph.firstSpan;
}

}  // namespace

long long Font::Advance(std::string_view text) const {
  long long width = 0;
  for (char c : text) width += glyphs[static_cast<unsigned char>(c)].advance;
  return width;
}

std::unique_ptr<Font> BuildFont(int pixelHeight, GlyphRendering rendering) {
  if (pixelHeight < 1 || pixelHeight > kMaxFontPixelHeight) return nullptr;
  FT_Face face = BuiltInFace();
  if (face == nullptr) return nullptr;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) return nullptr;

  auto font = std::make_unique<Font>();
  font->pixelHeight = pixelHeight;
  // The game places every text by the top of its cell, and its layout was made for
  // the face it asks for, Arial Black, whose cell reaches 2254/2048 em above the
  // baseline and 634/2048 em below.  The cell keeps those proportions, so the
  // built-in face's glyphs stand on the baseline the layout expects (with the
  // built-in face's own, shorter, cell every text would sit one or two pixels high).
  font->ascent = RoundToInt(pixelHeight * kCellAscentPerEm);
  font->descent = RoundToInt(pixelHeight * kCellDescentPerEm);
  font->cellHeight = font->ascent + font->descent;

  // The auto-hinter in its normal mode snaps stems to whole pixels in both
  // directions, which keeps the heavy strokes crisp at 11 and 16 pixels (the light
  // mode, vertical only, leaves them smeared over two columns).
  const FT_Int32 loadFlags = FT_LOAD_FORCE_AUTOHINT | (rendering == GlyphRendering::Mono
                                                           ? FT_LOAD_TARGET_MONO
                                                           : FT_LOAD_TARGET_NORMAL);
  const FT_Render_Mode renderMode =
      rendering == GlyphRendering::Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
  for (int byte = 0; byte < 256; ++byte) {
    Glyph& glyph = font->glyphs[static_cast<std::size_t>(byte)];
    const FT_UInt index = FT_Get_Char_Index(face, Cp1252ToUnicode(static_cast<std::uint8_t>(byte)));
    // A character the face lacks shows the face's missing-character box (index 0).
    if (FT_Load_Glyph(face, index, loadFlags) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_contours > 0) {
      if (FT_Render_Glyph(slot, renderMode) != 0) continue;
      glyph.left = slot->bitmap_left;
      glyph.top = font->ascent - slot->bitmap_top;
      StoreImage(slot->bitmap, glyph, *font);
      MakeSpans(glyph, *font);
    }
  }
  font->weights.shrink_to_fit();
  font->spans.shrink_to_fit();
  return font;
}

}  // namespace rt
