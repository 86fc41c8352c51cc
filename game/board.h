#pragma once
// The board: cell codes, the geometry of the field on the screen, drawing the cells
// and finding the cell under the mouse.
#include <cstdint>

#include "game/state.h"
#include "runtime/canvas.h"

namespace game {

// Cell codes; a code is also the number of the sprite that draws it.
constexpr std::int32_t kGrass = 0;
constexpr std::int32_t kVerticalPipe = 1;
constexpr std::int32_t kHorizontalPipe = 2;
constexpr std::int32_t kBendTopRight = 3;
constexpr std::int32_t kBendBottomRight = 4;
constexpr std::int32_t kBendLeftBottom = 5;
constexpr std::int32_t kBendTopLeft = 6;
constexpr std::int32_t kCrossing = 7;
constexpr std::int32_t kStone = 20;
// Special tiles are 300 + 10 * colour + kind.
constexpr std::int32_t kKindStart = 1;
constexpr std::int32_t kKindPass = 2;
constexpr std::int32_t kKindGoal = 3;
constexpr std::int32_t SpecialTile(int colour, int kind) { return 300 + 10 * colour + kind; }

constexpr bool IsPipe(std::int32_t code) { return code >= 1 && code <= 7; }
constexpr bool IsStartTile(std::int32_t code) {
  return code == 311 || code == 321 || code == 331 || code == 341;
}
constexpr bool IsPassTile(std::int32_t code) {
  return code == 312 || code == 322 || code == 332 || code == 342;
}
constexpr bool IsGoalTile(std::int32_t code) {
  return code == 313 || code == 323 || code == 333 || code == 343;
}
constexpr bool IsSpecialTile(std::int32_t code) {
  return IsStartTile(code) || IsPassTile(code) || IsGoalTile(code);
}

// The colour of the water of streams 1..4, which is also the colour of the special
// tiles with that colour digit.  Index 0 is unused.
struct StreamRgb {
  int red, green, blue;
};
constexpr StreamRgb kStreamColours[5] = {
    {0, 0, 0}, {0, 255, 255}, {255, 128, 128}, {255, 255, 0}, {0, 255, 0}};

// True for a position inside the arrays (columns 0..19, rows 0..14).
constexpr bool InGrid(std::int64_t column, std::int64_t row) {
  return column >= 0 && column < kColumns && row >= 0 && row < kRows;
}
// The code at a position; anything outside the arrays counts as grass and is not read.
std::int32_t CellAt(const GameState& s, std::int64_t column, std::int64_t row);

// Wrapping 32-bit sums, as the game's integers behave: state that a driver sets to
// extreme values must not make the arithmetic undefined.
constexpr std::int32_t Add32(std::int64_t a, std::int64_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a + b));
}

// Frame step 7: every field cell, column by column, keyed so that the water layer
// shows through the pipe channels.
void DrawBoard(const GameState& s);
// Frame step 9: this frame's mouse position and the hovered cell, clamped to the field.
void ReadMouse(GameState& s);
// The hovered column or row for one mouse coordinate: coordinate / 32 rounded to the
// nearest integer (halves to even), then clamped to first..last.
std::int32_t HoverCell(std::int32_t mouse, std::int32_t first, std::int32_t last);
// Grass and no locks on every field cell (columns 1..19, rows 3..14).
void ClearField(GameState& s);

}  // namespace game
