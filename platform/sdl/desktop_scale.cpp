#include "platform/sdl/desktop_scale.h"

#include <SDL.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#endif

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/scaling.h"

namespace platform {
namespace {

// A whole number from 1 to kMaxScale written out on its own, or 0.
int WholeScale(const char* text) {
  if (text == nullptr || *text == '\0') return 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < kMinScale) return 0;
  return value > kMaxScale ? kMaxScale : static_cast<int>(value);
}

#if defined(SDL_VIDEO_DRIVER_X11)
// Xft.dpi from the resources the desktop put on the X display's root window.
double XftDpi() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return 0;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 0;
  double dpi = 0;
  if (const char* resources = XResourceManagerString(display)) {
    XrmInitialize();
    if (XrmDatabase database = XrmGetStringDatabase(resources)) {
      char* type = nullptr;
      XrmValue value{};
      if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) == True &&
          value.addr != nullptr) {
        dpi = std::strtod(std::string(value.addr, strnlen(value.addr, value.size)).c_str(), nullptr);
      }
      XrmDestroyDatabase(database);
    }
  }
  XCloseDisplay(display);
  return dpi;
}
#endif

}  // namespace

int DesktopScaleSetting() {
  if (const int scale = WholeScale(std::getenv("GDK_SCALE"))) return scale;
#if defined(SDL_VIDEO_DRIVER_X11)
  return ScaleFromDpi(XftDpi());
#else
  return kMinScale;
#endif
}

}  // namespace platform
