#include "runtime/program.h"

#include <cstdlib>

#include "runtime/canvas.h"
#include "platform/platform.h"
#include "runtime/random.h"
#include "runtime/screen.h"
#include "runtime/window.h"

namespace rt {

void StartRuntime(std::optional<std::uint32_t> seed) {
  StartDrawingModule();
  StartFontTable();
  SeedRandom(seed ? *seed : platform::Current().TickCount());
  StartWindowModule();
  StartScreenModule();
}

void EndProgram() {
  EndScreenModule();
  EndWindowModule();
  platform::Current().Exit(0);
  std::abort();  // a backend's Exit never returns
}

}  // namespace rt
