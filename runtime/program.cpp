#include "runtime/program.h"

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

void EndRuntime() {
  EndScreenModule();
  EndWindowModule();
}

}  // namespace rt
