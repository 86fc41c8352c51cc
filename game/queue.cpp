#include "game/queue.h"

#include "game/board.h"
#include "game/layout.h"
#include "game/sprites.h"
#include "runtime/random.h"
#include "runtime/screen.h"

namespace game {
void RefillQueue(GameState& s) {
  for (int i = 0; i <= 20; ++i) s.PieceQueue[i] = rt::RandomUpTo(6) + 1;
}

void AdvanceQueue(GameState& s) {
  for (int i = 1; i <= 19; ++i) s.PieceQueue[i] = s.PieceQueue[i + 1];
  s.PieceQueue[20] = rt::RandomUpTo(6) + 1;
}

void DrawQueueStrip(const GameState& s) {
  // The strip is nine slots of 32 pixels: its two ends and seven entries between them.
  const int top = kQueueStrip.top;
  rt::DrawSprite(sprite::kStripEnd, kQueueStrip.left, top);
  // Grass shows in the first entry's slot while the strip slides.
  rt::DrawSprite(kGrass, kQueueStrip.left + 32, top);
  for (int i = 1; i <= 7; ++i) {
    rt::DrawSprite(s.PieceQueue[i], Add32(kQueueStrip.left + 32 * i, s.QueueSlide), top);
  }
  // Drawn last: hides whatever of entry 7 has slid past the strip's right end.
  rt::DrawSprite(sprite::kStripEnd, kQueueStrip.right - 32, top);
}

void DrawPiecePreview(const GameState& s) {
  if (!InPlay(s)) return;
  rt::DrawSpriteKeyed(Add32(s.PieceQueue[1], sprite::kPreviewOffset), 32 * s.HoverColumn - 16,
                      32 * s.HoverRow - 16);
}

void SlideQueue(GameState& s) {
  if (s.QueueSlide > 0) s.QueueSlide -= 4;
}

void PlacePiece(GameState& s) {
  const bool onField = kField.Contains(s.FrameMouseX, s.FrameMouseY);
  if (!onField || s.QueueSlide != 0 || !InPlay(s) ||
      s.LockGrid[s.HoverColumn][s.HoverRow] != 0 || s.Paused != 0 || s.MenuOpen != 0) {
    return;
  }
  s.QueueSlide = 32;
  s.TileGrid[s.HoverColumn][s.HoverRow] = s.PieceQueue[1];
  AdvanceQueue(s);
}

}  // namespace game
