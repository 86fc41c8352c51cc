// Placeholder: the frame loop is being built.
#include "game/game.h"

#include "runtime/program.h"

namespace game {
void GameStartup(GameState&) { rt::StartRuntime(); }
void GameFrame(GameState&) {}
void GameMain() {
  GameState s;
  GameStartup(s);
  for (;;) GameFrame(s);
}
}  // namespace game
