// The font table: fonts by number, made once from the built-in face and kept until
// the program ends.
#include <cstddef>
#include <memory>
#include <vector>

#include "runtime/canvas.h"
#include "runtime/canvas_state.h"
#include "runtime/glyph_cache.h"

namespace rt {

namespace {

// How the game's texts are rasterised (see glyph_cache.h).
constexpr GlyphRendering kTextRendering = GlyphRendering::Grey;

// Font numbers are table indices chosen by the game (it uses 1); anything beyond
// this is refused rather than growing the table without bound.
constexpr int kMaxFontNumber = 4095;
constexpr std::size_t kInitialTableSize = 10;
constexpr std::size_t kTableGrowth = 10;
// Points beyond which the pixel height would exceed what a font may have.
constexpr int kMaxPoints = kMaxFontPixelHeight * 72 / 96;

struct FontTable {
  std::vector<const Font*> entries = std::vector<const Font*>(kInitialTableSize, nullptr);
  const Font* current = nullptr;                // the font loaded last
  std::vector<std::unique_ptr<Font>> everyFont;  // owns every font ever made
};

FontTable& Fonts() {
  static FontTable table;
  return table;
}

}  // namespace

void StartFontTable() {
  FontTable& table = Fonts();
  table.entries.assign(kInitialTableSize, nullptr);
  table.current = nullptr;
}

const Font* LoadFontFace(int number, std::string_view face, int points) {
  if (number < 0 || number > kMaxFontNumber || points < 1 || points > kMaxPoints) return nullptr;
  // Windows sizes a font for the display at 96 dots per inch: pixels = points * 96 / 72,
  // rounded to nearest (8 points are 11 pixels, 12 points 16).
  const int pixelHeight = (points * 96 + 36) / 72;
  std::unique_ptr<Font> font = BuildFont(pixelHeight, kTextRendering);
  if (font == nullptr) return nullptr;
  font->face = std::string(face);
  font->points = points;

  FontTable& table = Fonts();
  const auto slot = static_cast<std::size_t>(number);
  if (slot >= table.entries.size()) table.entries.resize(slot + kTableGrowth, nullptr);
  // A number in use gets the new font; the old one stays valid for whoever holds it.
  table.entries[slot] = font.get();
  table.current = font.get();
  table.everyFont.push_back(std::move(font));
  return table.current;
}

void SetDrawFont(const Font* font) {
  CanvasState& canvas = Canvas();
  if (canvas.target == nullptr) return;
  canvas.font = font;
}

}  // namespace rt
