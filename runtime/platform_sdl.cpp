// Placeholder: the SDL2 backend is being built.
#include "runtime/platform_sdl.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
std::unique_ptr<Backend> MakeSdlBackend() {
  std::fputs("quelmo: the window backend is not built yet\n", stderr);
  std::exit(1);
}
}  // namespace platform
