#pragma once
// The real window: the platform seam on SDL2.
#include <memory>

#include "runtime/platform.h"

namespace platform {

std::unique_ptr<Backend> MakeSdlBackend();

}  // namespace platform
