#pragma once
// Drawing on an open canvas: colour, draw mode, text cursor, text in two fonts,
// lines and filled boxes.  One target is open at a time.
#include <cstdint>
#include <string_view>

#include "runtime/surface.h"

namespace rt {

// A colour value: red + green * 256 + blue * 65536.
using Colour = std::uint32_t;
// A font made by LoadFontFace; it lives until the process ends.
struct Font;

void StartDrawingModule();
void StartFontTable();

// Closes any open target, then opens `record` (null leaves nothing open).  The new
// target draws black, opaque text on white, mode flags 0.  Returns the surface.
Surface* OpenCanvas(CanvasRecord* record);
void CloseCanvas();
void SetDrawColour(int red, int green, int blue);
// Bit 0: transparent text background; bit 1: lines and boxes invert; bit 2: outline boxes.
void SetDrawMode(int flags);
void SetDrawFont(const Font* font);
void MoveTextCursor(int x, int y);
// Draws Windows-1252 text with its top-left at the cursor; the cursor moves right by
// the text's advance width.
void DrawTextHere(std::string_view text);
int TextWidth(std::string_view text);
// One-pixel line from (x, y) towards (x + w, y + h): start drawn, end not.  The
// text cursor is left at the end point; the text colour becomes the line's colour.
void DrawLine(int x, int y, int w, int h, Colour colour);
// Exactly the w x h pixels from (x, y).
void FillBox(int x, int y, int w, int h, Colour colour);
constexpr Colour PackColour(int red, int green, int blue) {
  return static_cast<Colour>(red) + static_cast<Colour>(green) * 256u +
         static_cast<Colour>(blue) * 65536u;
}
// Pixel height = points * 96 / 72, rounded to nearest (8 -> 11, 12 -> 16).
const Font* LoadFontFace(int number, std::string_view face, int points);

}  // namespace rt
