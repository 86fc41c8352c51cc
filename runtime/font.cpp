// The font table: fonts by number, each one a face and size built into the program,
// kept until the program ends.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/canvas.h"
#include "runtime/canvas_state.h"
#include "runtime/glyphs.h"

namespace rt {

namespace {

// The one face name fonts are made for: the game asks for it, and the built-in
// heavy face stands in for it.  Face names match without regard to case.
constexpr std::string_view kBuiltInFaceName = "Arial Black";

// Font numbers are table indices chosen by the game (it uses 1); anything beyond
// this is refused rather than growing the table without bound.
constexpr int kMaxFontNumber = 4095;
constexpr std::size_t kInitialTableSize = 10;
constexpr std::size_t kTableGrowth = 10;

struct FontTable {
  std::vector<const Font*> entries = std::vector<const Font*>(kInitialTableSize, nullptr);
  const Font* current = nullptr;                // the font loaded last
  std::vector<std::unique_ptr<Font>> everyFont;  // owns every font ever made
};

FontTable& Fonts() {
  static FontTable table;
  return table;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBuiltInFaceName(std::string_view face) {
  if (face.size() != kBuiltInFaceName.size()) return false;
  for (std::size_t i = 0; i < face.size(); ++i)
    if (AsciiLower(face[i]) != AsciiLower(kBuiltInFaceName[i])) return false;
  return true;
}

}  // namespace

void StartFontTable() {
  FontTable& table = Fonts();
  table.entries.assign(kInitialTableSize, nullptr);
  table.current = nullptr;
}

const Font* LoadFontFace(int number, std::string_view face, int points) {
  if (number < 0 || number > kMaxFontNumber || points < 1 || !IsBuiltInFaceName(face)) return nullptr;
  // Windows sizes a font for the display at 96 dots per inch: pixels = points * 96 / 72,
  // rounded to nearest (8 points are 11 pixels, 12 points 16).  Only the sizes built
  // in can be made.
  const long long pixelHeight = (static_cast<long long>(points) * 96 + 36) / 72;
  const GlyphFace* glyphs = BuiltInFace(pixelHeight);
  if (glyphs == nullptr) return nullptr;

  auto font = std::make_unique<Font>();
  font->face = std::string(face);
  font->points = points;
  font->pixelHeight = glyphs->pixelHeight;
  font->ascent = glyphs->ascent;
  font->descent = glyphs->descent;
  font->cellHeight = glyphs->ascent + glyphs->descent;
  font->glyphs = glyphs->glyphs;
  font->weights = glyphs->weights;
  font->spans = glyphs->spans;

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
