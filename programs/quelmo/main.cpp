// Program entry: the real window backend, the icon, then the game.  The program takes
// no command-line arguments and reads no settings.
#include "assets/images.h"
#include "game/game.h"
#include "platform/sdl/sdl_backend.h"
#include "runtime/window.h"

int main() {
  auto backend = platform::MakeSdlBackend();
  if (!backend) return 1;  // no display: the reason is already on standard error
  platform::SetBackend(backend.get());
  rt::SetWindowIcon(assets::Icon());
  game::GameMain();
}
