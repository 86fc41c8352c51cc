// The real window on SDL2: one borderless window that shows the finished frames, the
// pointer and left button read from the desktop, and the machine's clocks.
//
// On X11 the pointer is read and the window moved with Xlib directly: SDL caches the
// desktop pointer position between raw motion events (a warped pointer never
// refreshes it), and SDL's window move waits for the window manager to confirm.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "platform/sdl/sdl_clock.h"

namespace platform {
namespace {

// Texts come in the Windows-1252 code page; SDL takes UTF-8.
std::string Cp1252ToUtf8(std::string_view text) {
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  std::string out;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    const unsigned code = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

// The opt-in frame log (QUELMO_FRAME_LOG); see platform_sdl.h.
class FrameLog {
 public:
  FrameLog() {
    const char* path = std::getenv("QUELMO_FRAME_LOG");
    if (path == nullptr || *path == '\0') return;
    file_ = std::fopen(path, "w");
    if (file_ == nullptr) {
      std::fprintf(stderr, "quelmo: cannot write the frame log %s\n", path);
      return;
    }
    std::setvbuf(file_, nullptr, _IOLBF, 0);  // lines survive a killed process
  }
  ~FrameLog() { Close(); }
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  void FirstPresent() {
    if (file_ == nullptr) return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::fprintf(file_, "first-present %lld%09ld\n", static_cast<long long>(ts.tv_sec),
                 ts.tv_nsec);
  }
  void Frame(std::uint64_t ns) {
    if (file_ != nullptr) std::fprintf(file_, "frame %llu\n", static_cast<unsigned long long>(ns));
  }
  void CloseRequest() {
    if (file_ != nullptr) std::fputs("close-request\n", file_);
  }
  void Close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
  }

 private:
  std::FILE* file_ = nullptr;
};

// An environment variable's value, or null when it is unset or empty.
const char* SetOrNull(const char* value) { return value != nullptr && *value != '\0' ? value : nullptr; }

// A value from the environment, quoted for a message, with control bytes shown as '?'.
std::string Printable(std::string_view text) {
  std::string out = "'";
  for (const char ch : text.substr(0, 100)) {
    out += static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F ? '?' : ch;
  }
  return out + "'";
}

// SDL connects to the desktop's D-Bus session while it starts.  Where there is none,
// libdbus would fork and run dbus-launch to start one, from every folder on the PATH:
// a process the game never asked for.  The game uses nothing D-Bus offers (no
// screensaver inhibition, no input method), so without a session bus at hand, the
// session bus address names a transport that does not exist and the attempt fails at
// once.  The address is this process's own; a running session is used as before.
void KeepAwayFromTheSessionBus() {
  if (SetOrNull(std::getenv("DBUS_SESSION_BUS_ADDRESS")) != nullptr) return;
  if (const char* runtimeDir = SetOrNull(std::getenv("XDG_RUNTIME_DIR"))) {
    struct stat info {};
    const std::string bus = std::string(runtimeDir) + "/bus";
    if (stat(bus.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) return;  // the user's bus
  }
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

// A move we asked for is reported back by the desktop some time later, and reports of
// earlier moves can still be on their way; our own position is believed over those
// reports for this long after our last move.
constexpr std::uint64_t kOwnMoveGraceNs = 500'000'000;

class SdlBackend final : public Backend {
 public:
  SdlBackend() = default;
  ~SdlBackend() override { Shutdown(); }
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  bool Start();

  int DesktopWidth() override { return DisplayBounds().w; }
  int DesktopHeight() override { return DisplayBounds().h; }
  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> iconBmp) override;
  void CloseWindow() override;
  int WindowLeft() override { return left_; }
  int WindowTop() override { return top_; }
  void MoveWindow(int x, int y) override;
  int PointerX() override { return ReadPointer().x; }
  int PointerY() override { return ReadPointer().y; }
  bool LeftButtonDown() override;
  int PollEvent() override;
  void Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) override;
  std::uint32_t TickCount() override { return clock::TickCount(); }
  std::uint64_t Counter() override { return clock::Now(); }
  std::uint64_t CounterFrequency() override { return clock::kFrequency; }
  void Sleep(std::uint32_t ms) override { clock::SleepMs(ms); }
  void WaitUntil(std::uint64_t target) override { clock::WaitUntil(target); }
  [[noreturn]] void Exit(int code) override;

 private:
  struct Pointer {
    int x = 0, y = 0;
    bool leftDown = false;
  };

  static int SDLCALL WatchEvent(void* self, SDL_Event* event);
  SDL_Rect DisplayBounds();
  Pointer ReadPointer();
  Pointer QueryPointer();
  void SetIcon(std::span<const std::uint8_t> iconBmp);
  void RefuseFullScreen();
  void Shutdown();

  bool started_ = false;
  SDL_Window* window_ = nullptr;
#if defined(SDL_VIDEO_DRIVER_X11)
  Display* xDisplay_ = nullptr;
  ::Window xWindow_ = 0;
  Atom netWmState_ = None;  // the window manager's list of the window's states
#endif
  int left_ = 0, top_ = 0;          // the window's top-left corner on the desktop
  std::uint64_t lastOwnMoveNs_ = 0;  // when MoveWindow last placed the window
  bool movedByUs_ = false;
  bool pressLatched_ = false;        // a left press no LeftButtonDown has reported yet
  int pendingClose_ = 0;             // close requests seen while pumping events
  bool pointerInWindowOnly_ = false;  // Wayland: no desktop pointer position
  Pointer pointer_;                   // the last reading, and when it was taken
  std::uint64_t pointerReadNs_ = 0;
  bool presented_ = false;
  bool exposed_ = false;             // the desktop lost the window's picture: show it again
  bool checkWmState_ = false;        // the window manager changed the window's states
  FrameLog log_;
};

bool SdlBackend::Start() {
  const char* xDisplay = SetOrNull(std::getenv("DISPLAY"));
  const char* waylandDisplay = SetOrNull(std::getenv("WAYLAND_DISPLAY"));
  if (xDisplay == nullptr && waylandDisplay == nullptr) {
    std::fputs("quelmo: no display to open the window on: DISPLAY is not set\n", stderr);
    return false;
  }
  // Ctrl+C and SIGTERM keep their default effect: the process ends at once.  The game
  // only ends through its own close button, so SDL must not turn them into quit events.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A desktop window and nothing else (no console or off-screen drivers), on the
  // displays the environment names.  X11 comes first: Wayland does not let a program
  // place or move its own window, while through XWayland the game still opens centred
  // and can be dragged by its title bar.  Wayland is tried only where a compositor is
  // named: the Wayland library's own complaints would only hide what went wrong.
  std::string drivers = xDisplay != nullptr ? "x11" : "";
  if (waylandDisplay != nullptr) drivers += drivers.empty() ? "wayland" : ",wayland";
  SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  KeepAwayFromTheSessionBus();
  // Frames are copied to the window as they are: no GPU texture, no scaling.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A windowed puzzle: leave the compositor and the screensaver alone.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_APP_NAME, "Quelmo");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::string displays;
    if (xDisplay != nullptr) displays = "the X display " + Printable(xDisplay);
    if (waylandDisplay != nullptr) {
      displays += displays.empty() ? "the " : " nor the ";
      displays += "Wayland display " + Printable(waylandDisplay);
    }
    std::fprintf(stderr, "quelmo: cannot open %s\n", displays.c_str());
    return false;
  }
  started_ = true;
  const char* driver = SDL_GetCurrentVideoDriver();
  pointerInWindowOnly_ = driver != nullptr && std::string_view(driver) == "wayland";
  SDL_StopTextInput();
  // The game reads the pointer and the button directly; pointer motion, keys and the
  // rest would only pile up in the queue.
  for (const Uint32 type : {SDL_MOUSEMOTION, SDL_MOUSEWHEEL, SDL_KEYDOWN, SDL_KEYUP,
                            SDL_TEXTINPUT, SDL_TEXTEDITING, SDL_FINGERDOWN, SDL_FINGERUP,
                            SDL_FINGERMOTION, SDL_MULTIGESTURE, SDL_DOLLARGESTURE,
                            SDL_DROPFILE, SDL_DROPTEXT, SDL_DROPBEGIN,
                            SDL_DROPCOMPLETE, SDL_KEYMAPCHANGED}) {
    SDL_EventState(type, SDL_IGNORE);
  }
  // The desktop's own events, to see the window manager change the window's state.
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_AddEventWatch(&SdlBackend::WatchEvent, this);
  clock::TightenTimerSlack();
  return true;
}

void SdlBackend::Shutdown() {
  if (!started_) return;
  CloseWindow();
  SDL_DelEventWatch(&SdlBackend::WatchEvent, this);
  SDL_Quit();
  started_ = false;
}

// Sees every event as SDL takes it from the desktop, before it is queued: a press
// shorter than a frame is latched here even though its release follows at once.
int SDLCALL SdlBackend::WatchEvent(void* self, SDL_Event* event) {
  auto& backend = *static_cast<SdlBackend*>(self);
  switch (event->type) {
    case SDL_MOUSEBUTTONDOWN:
      if (event->button.button == SDL_BUTTON_LEFT) backend.pressLatched_ = true;
      break;
    case SDL_QUIT:
      ++backend.pendingClose_;
      break;
    case SDL_WINDOWEVENT:
      if (event->window.event == SDL_WINDOWEVENT_CLOSE) {
        ++backend.pendingClose_;
      } else if (event->window.event == SDL_WINDOWEVENT_EXPOSED) {
        backend.exposed_ = true;
      } else if (event->window.event == SDL_WINDOWEVENT_MOVED) {
        // Moves the desktop made on its own (placement at opening, a window manager
        // shortcut) are taken over; reports of our own recent moves are not.
        if (!backend.movedByUs_ ||
            clock::Now() - backend.lastOwnMoveNs_ > kOwnMoveGraceNs) {
          backend.left_ = event->window.data1;
          backend.top_ = event->window.data2;
        }
      }
      break;
#if defined(SDL_VIDEO_DRIVER_X11)
    case SDL_SYSWMEVENT:
      // The window manager changed the window's state (full screen, maximised, ...).
      if (event->syswm.msg->subsystem == SDL_SYSWM_X11) {
        const XEvent& x = event->syswm.msg->msg.x11.event;
        if (x.type == PropertyNotify && x.xproperty.window == backend.xWindow_ &&
            x.xproperty.atom == backend.netWmState_) {
          backend.checkWmState_ = true;
        }
      }
      break;
#endif
    default:
      break;
  }
  return 0;
}

SDL_Rect SdlBackend::DisplayBounds() {
  SDL_Rect bounds{0, 0, 0, 0};
  if (SDL_GetDisplayBounds(0, &bounds) != 0) bounds = SDL_Rect{0, 0, 0, 0};
  return bounds;
}

bool SdlBackend::OpenWindow(int x, int y, int width, int height, std::string_view title,
                            std::span<const std::uint8_t> iconBmp) {
  CloseWindow();
  // The game centres the window on the primary display as if it began at (0, 0).
  const SDL_Rect display = DisplayBounds();
  x += display.x;
  y += display.y;
  window_ = SDL_CreateWindow(Cp1252ToUtf8(title).c_str(), x, y, width, height,
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    std::fprintf(stderr, "quelmo: cannot open the window: %s\n", SDL_GetError());
    return false;
  }
  left_ = x;
  top_ = y;
  movedByUs_ = false;
  SetIcon(iconBmp);
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    xDisplay_ = info.info.x11.display;
    xWindow_ = info.info.x11.window;
    netWmState_ = XInternAtom(xDisplay_, "_NET_WM_STATE", False);
  }
#endif
  SDL_ShowWindow(window_);
  return true;
}

void SdlBackend::SetIcon(std::span<const std::uint8_t> iconBmp) {
  if (iconBmp.empty()) return;
  SDL_RWops* stream = SDL_RWFromConstMem(iconBmp.data(), static_cast<int>(iconBmp.size()));
  SDL_Surface* icon = stream != nullptr ? SDL_LoadBMP_RW(stream, 1) : nullptr;
  if (icon == nullptr) return;  // a window without an icon still works
  // Pure black is the icon's transparent colour.
  SDL_SetColorKey(icon, SDL_TRUE, SDL_MapRGB(icon->format, 0, 0, 0));
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

void SdlBackend::CloseWindow() {
  if (window_ == nullptr) return;
  SDL_DestroyWindow(window_);
  window_ = nullptr;
#if defined(SDL_VIDEO_DRIVER_X11)
  xDisplay_ = nullptr;
  xWindow_ = 0;
#endif
}

void SdlBackend::MoveWindow(int x, int y) {
  if (window_ == nullptr) return;
  // Our own position is the one the drag builds on: the desktop's reports of it lag
  // behind by a frame or more, and building on them would make the window jitter.
  left_ = x;
  top_ = y;
  lastOwnMoveNs_ = clock::Now();
  movedByUs_ = true;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ != nullptr) {
    XMoveWindow(xDisplay_, xWindow_, x, y);
    XFlush(xDisplay_);
    return;
  }
#endif
  SDL_SetWindowPosition(window_, x, y);
}

// The window has one size, 640 x 480, and the game draws nothing beyond it: full
// screen would only show it in a corner of a black screen.  The window's size hints
// already keep a window manager from resizing or maximising it, but window managers
// still offer full screen to every normal window.  When the desktop has put the window
// into full screen (or maximised it), the window asks at once to leave that state, and
// the window manager puts it back where it was.
void SdlBackend::RefuseFullScreen() {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ == nullptr) return;
  const Atom state = netWmState_;
  const Atom refused[] = {XInternAtom(xDisplay_, "_NET_WM_STATE_FULLSCREEN", False),
                          XInternAtom(xDisplay_, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                          XInternAtom(xDisplay_, "_NET_WM_STATE_MAXIMIZED_HORZ", False)};
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(xDisplay_, xWindow_, state, 0, 64, False, XA_ATOM, &type, &format,
                         &count, &after, &data) != Success) {
    return;
  }
  const Atom* states = reinterpret_cast<const Atom*>(data);
  for (unsigned long i = 0; data != nullptr && format == 32 && i < count; ++i) {
    for (const Atom atom : refused) {
      if (states[i] != atom) continue;
      // The window manager's protocol: a request to the root window to remove a state.
      XEvent request{};
      request.xclient.type = ClientMessage;
      request.xclient.window = xWindow_;
      request.xclient.message_type = state;
      request.xclient.format = 32;
      request.xclient.data.l[0] = 0;  // remove
      request.xclient.data.l[1] = static_cast<long>(atom);
      request.xclient.data.l[3] = 1;  // asked by the program itself
      XSendEvent(xDisplay_, DefaultRootWindow(xDisplay_), False,
                 SubstructureRedirectMask | SubstructureNotifyMask, &request);
    }
  }
  if (data != nullptr) XFree(data);
  XFlush(xDisplay_);
#endif
}

// The game reads the pointer's x, its y and the button within a frame; one question
// to the desktop answers all three, and every round trip to the X server costs both
// processes a wake-up.
SdlBackend::Pointer SdlBackend::ReadPointer() {
  constexpr std::uint64_t kFreshNs = 1'000'000;
  const std::uint64_t now = clock::Now();
  if (pointerReadNs_ == 0 || now - pointerReadNs_ > kFreshNs) {
    pointer_ = QueryPointer();
    pointerReadNs_ = now;
  }
  return pointer_;
}

SdlBackend::Pointer SdlBackend::QueryPointer() {
  Pointer pointer;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ != nullptr) {
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    if (XQueryPointer(xDisplay_, DefaultRootWindow(xDisplay_), &root, &child, &rootX, &rootY,
                      &winX, &winY, &mask) != 0) {
      pointer.x = rootX;
      pointer.y = rootY;
      pointer.leftDown = (mask & Button1Mask) != 0;
      return pointer;
    }
  }
#endif
  if (pointerInWindowOnly_) {
    // Wayland tells a program the pointer only over its own window (and while a
    // button is held); the desktop position is made up from the window's own idea of
    // where it is, which is all the game compares it with.
    SDL_PumpEvents();
    const Uint32 buttons = SDL_GetMouseState(&pointer.x, &pointer.y);
    pointer.x += left_;
    pointer.y += top_;
    pointer.leftDown = (buttons & SDL_BUTTON_LMASK) != 0;
    return pointer;
  }
  const Uint32 buttons = SDL_GetGlobalMouseState(&pointer.x, &pointer.y);
  pointer.leftDown = (buttons & SDL_BUTTON_LMASK) != 0;
  return pointer;
}

bool SdlBackend::LeftButtonDown() {
  // Presses are latched as the frame's PollEvent takes the desktop's events; one that
  // comes in later is seen by the next frame.
  const bool down = ReadPointer().leftDown || pressLatched_;
  pressLatched_ = false;
  return down;
}

int SdlBackend::PollEvent() {
  // Everything pending is taken at once so that nothing piles up; the game is told
  // of the one event it has a use for, the desktop's close request, which it ignores.
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  if (movedByUs_ && clock::Now() - lastOwnMoveNs_ > kOwnMoveGraceNs) {
    // Once the moves have settled, the desktop's word on the position counts again
    // (a window manager may have kept the window from going where it was asked).
    movedByUs_ = false;
    if (window_ != nullptr) SDL_GetWindowPosition(window_, &left_, &top_);
  }
  if (checkWmState_) {
    checkWmState_ = false;
    RefuseFullScreen();
  }
  if (exposed_ && window_ != nullptr) {
    // The window surface still holds the last frame; only the desktop's copy is gone.
    exposed_ = false;
    SDL_UpdateWindowSurface(window_);
  }
  if (pendingClose_ > 0) {
    pendingClose_ = 0;
    log_.CloseRequest();
    return kEventClose;
  }
  return kNoEvent;
}

void SdlBackend::Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) {
  if (window_ == nullptr || pixels == nullptr) return;
  log_.Frame(clock::Now());
  if (!presented_) {
    // The first frame is shown whole, whatever the span says.
    changed = RowSpan{0, height};
  }
  if (changed.Empty()) return;  // the window already shows this picture
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr) return;
  const int w = width < surface->w ? width : surface->w;
  const int first = changed.first < 0 ? 0 : changed.first;
  int end = changed.first + changed.count;
  if (end > height) end = height;
  if (end > surface->h) end = surface->h;
  if (end <= first) return;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  // Only the changed rows are converted and sent to the desktop.
  SDL_ConvertPixels(w, end - first, SDL_PIXELFORMAT_RGB888, pixels + first * width, width * 4,
                    surface->format->format,
                    static_cast<std::uint8_t*>(surface->pixels) + first * surface->pitch,
                    surface->pitch);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  const SDL_Rect rows{0, first, w, end - first};
  SDL_UpdateWindowSurfaceRects(window_, &rows, 1);
  if (!presented_) {
    presented_ = true;
    log_.FirstPresent();
  }
}

void SdlBackend::Exit(int code) {
  log_.Close();
  Shutdown();
  std::exit(code);
}

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend() {
  auto backend = std::make_unique<SdlBackend>();
  if (!backend->Start()) return nullptr;
  return backend;
}

}  // namespace platform
