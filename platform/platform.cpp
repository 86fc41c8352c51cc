#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Backend* g_backend = nullptr;
}

void SetBackend(Backend* backend) { g_backend = backend; }

Backend& Current() {
  if (g_backend == nullptr) {
    std::fputs("quelmo: no platform backend set\n", stderr);
    std::abort();
  }
  return *g_backend;
}

}  // namespace platform
