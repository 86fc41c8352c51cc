// Program entry: the real window backend, the icon, then the game.
#include "assets/images.h"
#include "game/game.h"
#include "runtime/platform_sdl.h"
#include "runtime/window.h"

int main() {
  auto backend = platform::MakeSdlBackend();
  platform::SetBackend(backend.get());
  rt::SetWindowIcon(assets::Icon());
  game::GameMain();
}
