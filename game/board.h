#pragma once
// The board: the geometry of the field on the screen, drawing the cells
// and finding the cell under the mouse.
#include <cstdint>

#include "game/layout.h"
#include "game/sprites.h"
#include "game/state.h"
#include "runtime/canvas.h"

namespace game {

constexpr bool IsPipe(std::int32_t code) { return code >= kVerticalPipe && code <= kCrossing; }
// True for the special tile of `kind` in any of the four colours.
constexpr bool IsSpecialOfKind(std::int32_t code, int kind) {
  for (int colour = 1; colour <= 4; ++colour)
    if (code == SpecialTile(colour, kind)) return true;
  return false;
}
constexpr bool IsStartTile(std::int32_t code) { return IsSpecialOfKind(code, kKindStart); }
constexpr bool IsPassTile(std::int32_t code) { return IsSpecialOfKind(code, kKindPass); }
constexpr bool IsGoalTile(std::int32_t code) { return IsSpecialOfKind(code, kKindGoal); }
constexpr bool IsSpecialTile(std::int32_t code) {
  return IsStartTile(code) || IsPassTile(code) || IsGoalTile(code);
}

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

// The window point at the middle of cell (column, row), where the mouse hovers that
// cell: a click there lays a piece on it.
constexpr Point CellCentre(std::int32_t column, std::int32_t row) { return {32 * column, 32 * row}; }

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
