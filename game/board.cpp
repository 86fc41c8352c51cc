#include "game/board.h"

#include <cmath>

#include "runtime/screen.h"
#include "runtime/window.h"

namespace game {

std::int32_t CellAt(const GameState& s, std::int64_t column, std::int64_t row) {
  if (!InGrid(column, row)) return kGrass;
  return s.TileGrid[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

void DrawBoard(const GameState& s) {
  for (int c = kFirstColumn; c <= kLastColumn; ++c) {
    for (int r = kFirstRow; r <= kLastRow; ++r) {
      rt::DrawSpriteKeyed(s.TileGrid[c][r], 32 * c - 16, 32 * r - 16);
    }
  }
}

std::int32_t HoverCell(std::int32_t mouse, std::int32_t first, std::int32_t last) {
  // The default rounding mode rounds a value exactly halfway to the even integer.
  const double cell = std::nearbyint(static_cast<double>(mouse) / 32.0);
  if (cell < first) return first;
  if (cell > last) return last;
  return static_cast<std::int32_t>(cell);
}

void ReadMouse(GameState& s) {
  s.FrameMouseX = rt::MouseX();
  s.FrameMouseY = rt::MouseY();
  s.HoverColumn = HoverCell(s.FrameMouseX, kFirstColumn, kLastColumn);
  s.HoverRow = HoverCell(s.FrameMouseY, kFirstRow, kLastRow);
}

void ClearField(GameState& s) {
  for (int c = kFirstColumn; c <= kLastColumn; ++c) {
    for (int r = kFirstRow; r <= kLastRow; ++r) {
      s.TileGrid[c][r] = kGrass;
      s.LockGrid[c][r] = 0;
    }
  }
}

}  // namespace game
