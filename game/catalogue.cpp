// Placeholder: the sprite catalogue is being built.
#include "game/catalogue.h"

namespace game {
void BuildSprites(const GameState&) {}
void DrawLabel(int, int, std::string_view, int) {}
}  // namespace game
