#include "game/queue.h"

#include "game/board.h"
#include "runtime/random.h"
#include "runtime/screen.h"

namespace game {
namespace {
constexpr int kStripEnd = 120;  // bevelled grey tile at both ends of the strip
}

void RefillQueue(GameState& s) {
  for (int i = 0; i <= 20; ++i) s.PieceQueue[i] = rt::RandomUpTo(6) + 1;
}

void AdvanceQueue(GameState& s) {
  for (int i = 1; i <= 19; ++i) s.PieceQueue[i] = s.PieceQueue[i + 1];
  s.PieceQueue[20] = rt::RandomUpTo(6) + 1;
}

void DrawQueueStrip(const GameState& s) {
  rt::DrawSprite(kStripEnd, 176, 16);
  rt::DrawSprite(kGrass, 208, 16);  // shows in the first slot while the strip slides
  for (int i = 1; i <= 7; ++i) {
    rt::DrawSprite(s.PieceQueue[i], Add32(176 + 32 * i, s.QueueSlide), 16);
  }
  // Drawn last: hides whatever of entry 7 has slid past the strip's right end.
  rt::DrawSprite(kStripEnd, 432, 16);
}

void DrawPiecePreview(const GameState& s) {
  if (s.PhaseCounter != 200) return;
  // Sprites 11..17 are the dotted outlines of pipes 1..7.
  rt::DrawSpriteKeyed(Add32(s.PieceQueue[1], 10), 32 * s.HoverColumn - 16,
                      32 * s.HoverRow - 16);
}

void SlideQueue(GameState& s) {
  if (s.QueueSlide > 0) s.QueueSlide -= 4;
}

void PlacePiece(GameState& s) {
  const bool onField =
      s.FrameMouseX > 16 && s.FrameMouseX < 624 && s.FrameMouseY > 80 && s.FrameMouseY < 464;
  if (!onField || s.QueueSlide != 0 || s.PhaseCounter != 200 ||
      s.LockGrid[s.HoverColumn][s.HoverRow] != 0 || s.Paused != 0 || s.MenuOpen != 0) {
    return;
  }
  s.QueueSlide = 32;
  s.TileGrid[s.HoverColumn][s.HoverRow] = s.PieceQueue[1];
  AdvanceQueue(s);
}

}  // namespace game
