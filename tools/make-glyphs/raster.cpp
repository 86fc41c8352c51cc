#include "raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstddef>
#include <memory>

#include "runtime/cp1252.h"

namespace glyphs {

namespace {

// The game places every text by the top of its cell, and its layout was made for
// the face it asks for, Arial Black, whose cell reaches 2254/2048 em above the
// baseline and 634/2048 em below.  The cell keeps those proportions, so the heavy
// face's glyphs stand on the baseline the layout expects (with the heavy face's own,
// shorter, cell every text would sit one or two pixels high).
constexpr double kCellAscentPerEm = 2254.0 / 2048.0;
constexpr double kCellDescentPerEm = 634.0 / 2048.0;

struct LibraryCloser {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using Library = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryCloser>;

FT_Int32 LoadFlags(Hinting hinting) {
  switch (hinting) {
    case Hinting::Normal: return FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_NORMAL;
    case Hinting::Light: return FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_LIGHT;
    case Hinting::None: break;
  }
  return FT_LOAD_NO_HINTING;
}

// Ink weights in 128ths: 0 leaves a pixel as it is, 128 replaces it by the ink.
void StoreImage(const FT_Bitmap& bitmap, RasterGlyph& glyph) {
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.weights.assign(static_cast<std::size_t>(glyph.width * glyph.height), 0);
  for (int row = 0; row < glyph.height; ++row) {
    const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    for (int col = 0; col < glyph.width; ++col)
      glyph.weights[static_cast<std::size_t>(row * glyph.width + col)] =
          static_cast<std::uint8_t>((src[col] + 1u) >> 1);
  }
}

}  // namespace

std::string Rasterise(const std::string& fontFile, int pixelHeight, Hinting hinting, RasterFace& face) {
  FT_Library raw = nullptr;
  if (FT_Init_FreeType(&raw) != 0) return "cannot start FreeType";
  const Library library(raw);
  FT_Face ftFace = nullptr;
  if (FT_New_Face(raw, fontFile.c_str(), 0, &ftFace) != 0) return "cannot open the font " + fontFile;
  if (FT_Set_Pixel_Sizes(ftFace, 0, static_cast<FT_UInt>(pixelHeight)) != 0)
    return "cannot size the font to " + std::to_string(pixelHeight) + " pixels";

  face = RasterFace{};
  face.pixelHeight = pixelHeight;
  face.ascent = static_cast<int>(std::lround(pixelHeight * kCellAscentPerEm));
  face.descent = static_cast<int>(std::lround(pixelHeight * kCellDescentPerEm));
  for (int byte = 0; byte < 256; ++byte) {
    RasterGlyph& glyph = face.glyphs[static_cast<std::size_t>(byte)];
    // A character the face lacks shows the face's missing-character box (index 0).
    const FT_UInt index = FT_Get_Char_Index(ftFace, rt::Cp1252ToUnicode(static_cast<std::uint8_t>(byte)));
    if (FT_Load_Glyph(ftFace, index, LoadFlags(hinting)) != 0) return "cannot load glyph " + std::to_string(byte);
    const FT_GlyphSlot slot = ftFace->glyph;
    glyph.advance = static_cast<int>(slot->advance.x);
    glyph.linear = static_cast<int>((slot->linearHoriAdvance + 512) >> 10);  // 16.16 to 26.6
    glyph.lsbDelta = static_cast<int>(slot->lsb_delta);
    glyph.rsbDelta = static_cast<int>(slot->rsb_delta);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_contours == 0) continue;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return "cannot render glyph " + std::to_string(byte);
    glyph.left = slot->bitmap_left;
    glyph.top = face.ascent - slot->bitmap_top;
    StoreImage(slot->bitmap, glyph);
  }
  return {};
}

}  // namespace glyphs
