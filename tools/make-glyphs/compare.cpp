// A sheet that sets the game's texts side by side in every way of hinting and
// spacing the glyphs, for choosing the one that reads most evenly.
#include "compare.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "runtime/glyphs.h"

namespace glyphs {

namespace {

constexpr std::uint32_t kPanel = 0x00808080;
constexpr std::uint32_t kShadow = 0x00404040;
constexpr std::uint32_t kFace = 0x00C0C0C0;

const std::string_view kSamples[] = {
    "Level geschafft!", "Quelmo flie\xDFt", "Zeit bis das", "Men\xFC - Quelmo 1.2", "Neues Spiel",
    "Startlevel", "Gescheitert!", "Spiel pausiert", "Bitte warten", "Vom Quelmo-Team",
    "Punkte (Gesamt)", "O K", "Schnell", "Level 10", "1234567890"};

// Pen position of each character, in whole pixels.
std::vector<int> PenPositions(const RasterFace& face, Spacing spacing, std::string_view text) {
  std::vector<int> pens;
  long long pen = 0;  // 64ths of a pixel
  int previousRsb = 0;
  for (char c : text) {
    const RasterGlyph& g = face.glyphs[static_cast<unsigned char>(c)];
    switch (spacing) {
      case Spacing::Hinted:
        pens.push_back(static_cast<int>(pen / 64));
        pen += (g.advance + 32) & ~63;
        break;
      case Spacing::DeltaCorrected:
        if (!pens.empty()) pen += 64 * rt::SpacingCorrection(previousRsb, g.lsbDelta);
        previousRsb = g.rsbDelta;
        pens.push_back(static_cast<int>(pen / 64));
        pen += (g.advance + 32) & ~63;
        break;
      case Spacing::DesignedRoundedPerText:
        pens.push_back(static_cast<int>((pen + 32) >> 6));
        pen += g.linear;
        break;
    }
  }
  return pens;
}

void Draw(rt::Surface& sheet, const RasterFace& face, Spacing spacing, int x, int y, std::string_view text,
          std::uint32_t ink) {
  const std::vector<int> pens = PenPositions(face, spacing, text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const RasterGlyph& g = face.glyphs[static_cast<unsigned char>(text[i])];
    for (int row = 0; row < g.height; ++row) {
      for (int col = 0; col < g.width; ++col) {
        const int px = x + pens[i] + g.left + col, py = y + g.top + row;
        if (px < 0 || py < 0 || px >= sheet.width || py >= sheet.height) continue;
        std::uint32_t& out = sheet.pixels[static_cast<std::size_t>(py * sheet.width + px)];
        out = rt::BlendInk(out, ink, g.weights[static_cast<std::size_t>(row * g.width + col)]);
      }
    }
  }
}

}  // namespace

rt::Surface CompareSheet(const std::vector<SheetRow>& rows) {
  constexpr int kColumnWidth = 150, kSamplesPerColumn = 5;
  constexpr int kColumns = (static_cast<int>(std::size(kSamples)) + kSamplesPerColumn - 1) / kSamplesPerColumn;
  int height = 0;
  for (const SheetRow& row : rows) height += kSamplesPerColumn * (row.face->ascent + row.face->descent + 3) + 8;
  rt::Surface sheet;
  sheet.width = kColumns * kColumnWidth;
  sheet.height = height;
  sheet.pixels.assign(static_cast<std::size_t>(sheet.width * sheet.height), kPanel);
  int top = 0;
  for (const SheetRow& row : rows) {
    const int line = row.face->ascent + row.face->descent + 3;
    for (std::size_t i = 0; i < std::size(kSamples); ++i) {
      const int x = 4 + static_cast<int>(i) / kSamplesPerColumn * kColumnWidth;
      const int y = top + 4 + static_cast<int>(i) % kSamplesPerColumn * line;
      Draw(sheet, *row.face, row.spacing, x - 1, y - 1, kSamples[i], kShadow);
      Draw(sheet, *row.face, row.spacing, x, y, kSamples[i], kFace);
    }
    top += kSamplesPerColumn * line + 8;
    std::fill(sheet.pixels.begin() + (top - 2) * sheet.width, sheet.pixels.begin() + (top - 1) * sheet.width,
              0x00FFFF00u);
  }
  return sheet;
}

}  // namespace glyphs
