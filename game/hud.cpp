// Placeholder: the frame's texts are being built.
#include "game/hud.h"

namespace game {
void DrawFrameTexts(GameState&) {}
}  // namespace game
