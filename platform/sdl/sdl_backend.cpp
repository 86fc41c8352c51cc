// The real window on SDL2: one borderless window that shows the finished frames, the
// pointer and left button read from the desktop, and the machine's clocks.
//
// The frame is shown enlarged by a whole factor (see scaling.h): the window is S
// times the game's size and everything the game is told is in game pixels.  In full
// screen the window covers the display and the frame sits in its middle at the
// largest whole factor that fits, on black.
//
// On X11 the pointer is read and the window moved with Xlib directly: SDL caches the
// desktop pointer position between raw motion events (a warped pointer never
// refreshes it), and SDL's window move waits for the window manager to confirm.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#endif

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <optional>
#include <vector>

#include "platform/desktop_window.h"
#include "platform/sdl/desktop_scale.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_pads.h"
#include "platform/wrap32.h"

namespace platform {
namespace {

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

// The keys of the keyboard the program knows (keys.h).
std::optional<Input> KeyInput(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT: return Input::kArrowLeft;
    case SDLK_RIGHT: return Input::kArrowRight;
    case SDLK_UP: return Input::kArrowUp;
    case SDLK_DOWN: return Input::kArrowDown;
    case SDLK_TAB: return Input::kTab;
    case SDLK_SPACE: return Input::kSpace;
    case SDLK_RETURN: case SDLK_KP_ENTER: return Input::kEnter;
    case SDLK_ESCAPE: return Input::kEscape;
    case SDLK_f: return Input::kF;
    case SDLK_t: return Input::kT;
    case SDLK_F11: return Input::kF11;
    default: return std::nullopt;
  }
}

// A move we asked for is reported back by the desktop some time later, and reports of
// earlier moves can still be on their way; our own position is believed over those
// reports for this long after our last move.
constexpr std::uint64_t kOwnMoveGraceNs = 500'000'000;

class SdlBackend final : public BlockingBackend {
 public:
  explicit SdlBackend(const ScaleRequest& scale) : request_(scale) {}
  ~SdlBackend() override { Shutdown(); }
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  bool Start();

  int DesktopWidth() override { return desk_.ToGame(DisplayBounds().w); }
  int DesktopHeight() override { return desk_.ToGame(DisplayBounds().h); }
  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> iconBmp) override;
  void CloseWindow() override;
  // In full screen the window's place from before is kept: the game sees one window.
  int WindowLeft() override { return desk_.ToGame(left_); }
  int WindowTop() override { return desk_.ToGame(top_); }
  void MoveWindow(int x, int y) override;
  // The game pixel under the pointer, counted from the window's game position.
  int PointerX() override { return DesktopWindow::PointerX(WindowLeft(), View(), ReadPointer()); }
  int PointerY() override { return DesktopWindow::PointerY(WindowTop(), View(), ReadPointer()); }
  bool LeftButtonDown() override;
  int PollEvent() override;
  void Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) override;
  std::uint32_t TickCount() override { return clock::TickCount(); }
  std::uint32_t TickCountAt(std::uint64_t when) override { return clock::TickCountAt(when); }
  std::uint64_t Counter() override { return clock::Now(); }
  std::uint64_t CounterFrequency() override { return clock::kFrequency; }
  void WaitUntil(std::uint64_t target) override { clock::WaitUntil(target); }
  void WaitForInput(std::uint64_t framePeriod) override;
  void TakeKeys(std::vector<KeyEvent>& out) override {
    LookAtPads();
    desk_.TakeKeys(out);
  }
  void PlacePointer(int x, int y) override;
  void KeyButton(bool down) override { desk_.KeyButton(down); }

 private:
  static int SDLCALL WatchEvent(void* self, SDL_Event* event);
#if defined(SDL_VIDEO_DRIVER_X11)
  void FollowPointerReport(const XEvent& x);
#endif
  SDL_Rect DisplayBounds();
  DesktopPoint ReadPointer() { return pointer_.Read(clock::Now(), [this] { return QueryPointer(); }); }
  DesktopPoint QueryPointer();
  void LookAtPads();
  void SetIcon(std::span<const std::uint8_t> iconBmp);
  // Where the frame is on the physical desktop, and at which factor.
  FrameView View() const {
    return desk_.FullScreen() ? fullView_ : FrameView{desk_.Scale(), left_, top_};
  }
  void AskForFullScreen(bool on);
  void FollowWindowManager();
  void EnterFullScreen();
  void LeaveFullScreen();
  void PlaceFullScreenFrame();
  void KeepOneSize(bool fixed);
  void PutWindowAtItsPlace();
  void ChangeWindowState(bool add, const char* state);
  void Shutdown();

  const ScaleRequest request_;
  DesktopWindow desk_;               // the scale, keys, button, full screen, close requests, log
  int frameWidth_ = 0, frameHeight_ = 0;  // the game's window, in game pixels
  bool placeFrame_ = false;          // the window's size or place changed in full screen
  FrameView fullView_;               // the frame's place on the desktop in full screen
  int fullLeft_ = 0, fullTop_ = 0;   // ... and the full-screen window's
  bool redrawAll_ = true;            // the window's picture must be drawn whole
  std::vector<std::uint32_t> staging_;  // the enlarged frame, when it cannot go straight in
  const SDL_Surface* shownSurface_ = nullptr;  // the window surface last drawn on, and its size
  int shownSurfaceWidth_ = 0, shownSurfaceHeight_ = 0;
  bool started_ = false;
  SDL_Window* window_ = nullptr;
#if defined(SDL_VIDEO_DRIVER_X11)
  Display* xDisplay_ = nullptr;
  ::Window xWindow_ = 0;
  Atom netWmState_ = None;  // the window manager's list of the window's states
#endif
  int left_ = 0, top_ = 0;          // the window's top-left corner on the desktop
  int reportedLeft_ = 0, reportedTop_ = 0;  // ... as the desktop last reported it
  bool moveReported_ = false;
  std::uint64_t lastOwnMoveNs_ = 0;  // when MoveWindow last placed the window
  bool movedByUs_ = false;
  bool placeAfterFullScreen_ = false;  // the window left full screen for its own place
  bool pointerInWindowOnly_ = false;  // Wayland: no desktop pointer position
  DesktopPointer pointer_;
  SdlPads pads_;
  bool exposed_ = false;             // the desktop lost the window's picture: show it again
  bool checkWmState_ = false;        // the window manager changed the window's states
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
  // A window manager that gives the window the focus on a click (openbox does) passes
  // that click on to it; SDL would drop a click that came with the focus, and the
  // game reads every click wherever it went.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::string displays;
    if (xDisplay != nullptr) displays = "the X display " + Printable(xDisplay);
    if (waylandDisplay != nullptr) {
      displays += displays.empty() ? "the " : " nor the ";
      displays += "Wayland display " + Printable(waylandDisplay);
    }
    std::fprintf(stderr, "quelmo: cannot open %s (%s)\n", displays.c_str(), SDL_GetError());
    return false;
  }
  started_ = true;
  pads_.Start();
  const char* driver = SDL_GetCurrentVideoDriver();
  pointerInWindowOnly_ = driver != nullptr && std::string_view(driver) == "wayland";
  SDL_StopTextInput();
  // The game reads the pointer and the button directly; the rest would only pile up
  // in the queue.  Keys are the keyboard pointer's and the backend's own (F11 and
  // Alt+Enter switch full screen), and pointer motion wakes a game that stands still.
  for (const Uint32 type : {SDL_MOUSEWHEEL,
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
  const SDL_Rect display = DisplayBounds();
  desk_.SetScale(FittingScale(request_.factor.value_or(DesktopScaleSetting()), display.w,
                              display.h, request_.windowWidth, request_.windowHeight));
  return true;
}

void SdlBackend::Shutdown() {
  if (!started_) return;
  CloseWindow();
  SDL_DelEventWatch(&SdlBackend::WatchEvent, this);
  pads_.Stop();
  SDL_Quit();
  started_ = false;
}

// Sees every event as SDL takes it from the desktop, before it is queued: the left
// button's presses and releases reach the latch in the order they happened, so a
// press shorter than a frame is latched even though its release follows at once.
int SDLCALL SdlBackend::WatchEvent(void* self, SDL_Event* event) {
  auto& backend = *static_cast<SdlBackend*>(self);
  switch (event->type) {
    case SDL_MOUSEBUTTONDOWN:
      if (event->button.button == SDL_BUTTON_LEFT) backend.desk_.Button().Press();
      break;
    case SDL_MOUSEBUTTONUP:
      if (event->button.button == SDL_BUTTON_LEFT) backend.desk_.Button().Release();
      break;
    case SDL_QUIT:
      backend.desk_.CloseRequested();
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (const std::optional<Input> input = KeyInput(event->key.keysym.sym)) {
        const Uint16 mod = event->key.keysym.mod;
        const Modifiers held{(mod & KMOD_SHIFT) != 0, (mod & KMOD_ALT) != 0,
                             (mod & (KMOD_CTRL | KMOD_GUI)) != 0};
        backend.desk_.FromKeyboard(*input, held, event->type == SDL_KEYDOWN,
                                   event->key.repeat != 0);
      }
      break;
    case SDL_WINDOWEVENT:
      if (event->window.event == SDL_WINDOWEVENT_CLOSE) {
        backend.desk_.CloseRequested();
      } else if (event->window.event == SDL_WINDOWEVENT_EXPOSED) {
        backend.exposed_ = true;
      } else if (event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        backend.placeFrame_ = true;
      } else if (event->window.event == SDL_WINDOWEVENT_MOVED) {
        backend.reportedLeft_ = event->window.data1;
        backend.reportedTop_ = event->window.data2;
        backend.moveReported_ = true;
      }
      break;
#if defined(SDL_VIDEO_DRIVER_X11)
    case SDL_SYSWMEVENT:
      if (event->syswm.msg->subsystem == SDL_SYSWM_X11) {
        const XEvent& x = event->syswm.msg->msg.x11.event;
        // The window manager changed the window's state (full screen, maximised, ...).
        if (x.type == PropertyNotify && x.xproperty.window == backend.xWindow_ &&
            x.xproperty.atom == backend.netWmState_) {
          backend.checkWmState_ = true;
        }
        if (x.xany.window == backend.xWindow_) backend.FollowPointerReport(x);
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
  x = Wrap32(std::int64_t{desk_.ToPhysical(x)} + display.x);
  y = Wrap32(std::int64_t{desk_.ToPhysical(y)} + display.y);
  frameWidth_ = width;
  frameHeight_ = height;
  desk_.SetFullScreen(false);
  redrawAll_ = true;
  window_ = SDL_CreateWindow(std::string(title).c_str(), x, y, desk_.ToPhysical(width),
                             desk_.ToPhysical(height), SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
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
  // A window that covers the screen stays where it is: the title bar does not drag it.
  if (window_ == nullptr || desk_.FullScreen()) return;
  // Our own position is the one the drag builds on: the desktop's reports of it lag
  // behind by a frame or more, and building on them would make the window jitter.
  left_ = desk_.ToPhysical(x);
  top_ = desk_.ToPhysical(y);
  PutWindowAtItsPlace();
}

// Sends the window to (left_, top_), where the backend now believes it is.
void SdlBackend::PutWindowAtItsPlace() {
  lastOwnMoveNs_ = clock::Now();
  movedByUs_ = true;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ != nullptr) {
    XMoveWindow(xDisplay_, xWindow_, left_, top_);
    XFlush(xDisplay_);
    return;
  }
#endif
  SDL_SetWindowPosition(window_, left_, top_);
}

// Full screen is the window manager's to grant: the window asks for it (or to leave
// it) with the desktop's standard request, and follows whatever state the window
// manager then gives it, also when the player chose full screen from the window
// manager itself.  Without X (Wayland) SDL asks the compositor.
void SdlBackend::AskForFullScreen(bool on) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ != nullptr) {
    ChangeWindowState(on, "_NET_WM_STATE_FULLSCREEN");
    return;
  }
#endif
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
  if (on) {
    EnterFullScreen();
  } else {
    LeaveFullScreen();
  }
}

// The window manager's protocol for a window's states: a request to the root window
// to add or remove one.
void SdlBackend::ChangeWindowState(bool add, const char* state) {
#if defined(SDL_VIDEO_DRIVER_X11)
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = xWindow_;
  request.xclient.message_type = netWmState_;
  request.xclient.format = 32;
  request.xclient.data.l[0] = add ? 1 : 0;
  request.xclient.data.l[1] = static_cast<long>(XInternAtom(xDisplay_, state, False));
  request.xclient.data.l[3] = 1;  // asked by the program itself
  XSendEvent(xDisplay_, DefaultRootWindow(xDisplay_), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(xDisplay_);
#else
  (void)add;
  (void)state;
#endif
}

// Reads the states the window manager gives the window.  Full screen is followed;
// maximised is asked away at once: the window has one size at its scale, and
// maximising would only show it in a corner of the screen.
void SdlBackend::FollowWindowManager() {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ == nullptr) return;
  const Atom fullScreenAtom = XInternAtom(xDisplay_, "_NET_WM_STATE_FULLSCREEN", False);
  const Atom maximisedAtoms[] = {XInternAtom(xDisplay_, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                                 XInternAtom(xDisplay_, "_NET_WM_STATE_MAXIMIZED_HORZ", False)};
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(xDisplay_, xWindow_, netWmState_, 0, 64, False, XA_ATOM, &type, &format,
                         &count, &after, &data) != Success) {
    return;
  }
  bool fullScreen = false, maximised = false;
  const Atom* states = reinterpret_cast<const Atom*>(data);
  for (unsigned long i = 0; data != nullptr && format == 32 && i < count; ++i) {
    fullScreen = fullScreen || states[i] == fullScreenAtom;
    maximised = maximised || states[i] == maximisedAtoms[0] || states[i] == maximisedAtoms[1];
  }
  if (data != nullptr) XFree(data);
  if (maximised) {
    ChangeWindowState(false, "_NET_WM_STATE_MAXIMIZED_VERT");
    ChangeWindowState(false, "_NET_WM_STATE_MAXIMIZED_HORZ");
  }
  if (fullScreen && !desk_.FullScreen()) EnterFullScreen();
  if (!fullScreen && desk_.FullScreen()) LeaveFullScreen();
#endif
}

// The window's place is kept while it covers the screen, so that the game sees the
// same window before, during and after.
void SdlBackend::EnterFullScreen() {
  desk_.SetFullScreen(true);
  placeFrame_ = true;
  KeepOneSize(false);
}

// Back to the window's own size and place, whatever the window manager restored.
void SdlBackend::LeaveFullScreen() {
  desk_.SetFullScreen(false);
  redrawAll_ = true;
  SDL_SetWindowSize(window_, desk_.ToPhysical(frameWidth_), desk_.ToPhysical(frameHeight_));
  KeepOneSize(true);
  PutWindowAtItsPlace();
  placeAfterFullScreen_ = true;
}

// A window manager keeps a window of one size (its smallest and largest size the same)
// at that size, in full screen too; the window lets go of its size while it covers
// the screen, and takes it up again afterwards.
void SdlBackend::KeepOneSize(bool fixed) {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ == nullptr) return;
  XSizeHints* hints = XAllocSizeHints();
  if (hints == nullptr) return;
  long supplied = 0;
  XGetWMNormalHints(xDisplay_, xWindow_, hints, &supplied);
  if (fixed) {
    hints->flags |= PMinSize | PMaxSize;
    hints->min_width = hints->max_width = desk_.ToPhysical(frameWidth_);
    hints->min_height = hints->max_height = desk_.ToPhysical(frameHeight_);
  } else {
    hints->flags &= ~(PMinSize | PMaxSize);
  }
  XSetWMNormalHints(xDisplay_, xWindow_, hints);
  XFree(hints);
  XFlush(xDisplay_);
#else
  (void)fixed;
#endif
}

// The frame's place in a full-screen window: centred, at the largest whole factor
// that fits the window's size, wherever on the desktop the window manager put it.
void SdlBackend::PlaceFullScreenFrame() {
  int x = 0, y = 0, width = 0, height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  SDL_GetWindowPosition(window_, &x, &y);
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ != nullptr) {
    // The window manager's move to the screen's corner is not always reported.
    ::Window child = 0;
    XTranslateCoordinates(xDisplay_, xWindow_, DefaultRootWindow(xDisplay_), 0, 0, &x, &y, &child);
  }
#endif
  fullLeft_ = x;
  fullTop_ = y;
  fullView_ = CentredView(x, y, width, height, frameWidth_, frameHeight_);
  redrawAll_ = true;
}

#if defined(SDL_VIDEO_DRIVER_X11)
// The desktop's reports of the pointer over the window, or held by it while its
// button is down (desktop_pointer.h).
void SdlBackend::FollowPointerReport(const XEvent& x) {
  int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
  switch (x.type) {
    case MotionNotify:
      rootX = x.xmotion.x_root, rootY = x.xmotion.y_root;
      windowX = x.xmotion.x, windowY = x.xmotion.y;
      break;
    case ButtonPress:
    case ButtonRelease:
      rootX = x.xbutton.x_root, rootY = x.xbutton.y_root;
      windowX = x.xbutton.x, windowY = x.xbutton.y;
      break;
    case EnterNotify:
      rootX = x.xcrossing.x_root, rootY = x.xcrossing.y_root;
      windowX = x.xcrossing.x, windowY = x.xcrossing.y;
      break;
    case LeaveNotify:
      pointer_.Left();
      return;
    default:
      return;
  }
  int width = 0, height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  const bool over = windowX >= 0 && windowY >= 0 && windowX < width && windowY < height;
  const bool held = x.type != ButtonRelease && desk_.Button().DownBy(ButtonLatch::Hand::kMouse);
  pointer_.Report(DesktopPoint{rootX, rootY}, over || held);
}
#endif

// The desktop's pointer goes where the keyboard put the game's: the player sees it
// there, and a move of the mouse carries on from there.
void SdlBackend::PlacePointer(int x, int y) {
  if (window_ == nullptr) return;
  const DesktopPoint at = DesktopWindow::OnDesktop(View(), x, y);
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ != nullptr) {
    XWarpPointer(xDisplay_, None, DefaultRootWindow(xDisplay_), 0, 0, 0, 0, at.x, at.y);
    XFlush(xDisplay_);
  } else
#endif
  {
    SDL_WarpMouseGlobal(at.x, at.y);
  }
  pointer_.Report(at, true);
}

DesktopPoint SdlBackend::QueryPointer() {
  DesktopPoint pointer;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ != nullptr) {
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    if (XQueryPointer(xDisplay_, DefaultRootWindow(xDisplay_), &root, &child, &rootX, &rootY,
                      &winX, &winY, &mask) != 0) {
      pointer.x = rootX;
      pointer.y = rootY;
      return pointer;
    }
  }
#endif
  if (pointerInWindowOnly_) {
    // Wayland tells a program the pointer only over its own window (and while a
    // button is held); the desktop position is made up from the window's own idea of
    // where it is, which is all the game compares it with.
    SDL_PumpEvents();
    SDL_GetMouseState(&pointer.x, &pointer.y);
    pointer.x += desk_.FullScreen() ? fullLeft_ : left_;
    pointer.y += desk_.FullScreen() ? fullTop_ : top_;
    return pointer;
  }
  SDL_GetGlobalMouseState(&pointer.x, &pointer.y);
  return pointer;
}

bool SdlBackend::LeftButtonDown() {
  // The desktop's button events since the frame took its window events are taken
  // first: a press that came in meanwhile is this frame's, not the next one's.  On X
  // one look at the connection tells whether anything came in at all.
#if defined(SDL_VIDEO_DRIVER_X11)
  if (xDisplay_ == nullptr || XEventsQueued(xDisplay_, QueuedAfterReading) > 0) SDL_PumpEvents();
#else
  SDL_PumpEvents();
#endif
  return desk_.Button().Query();
}

// The X connection (or Wayland's) is watched: the thread sleeps until the desktop
// sends the window something, and whatever it is, a frame looks.  It wakes meanwhile
// only to read the pads (every frame period while one is connected, once a second to
// look for one plugged in), and goes back to sleep unless they brought keys.  While
// the window's own moves settle (see PollEvent), the wait ends when they have, so that
// the desktop's word on the window's place is taken then.
void SdlBackend::WaitForInput(std::uint64_t framePeriod) {
  desk_.Still();
  for (;;) {
    std::uint64_t until = desk_.NextPadLook(framePeriod);
    if (movedByUs_) until = std::min(until, lastOwnMoveNs_ + kOwnMoveGraceNs + 1);
    int timeout = -1;  // no pads to read, no moves to settle: until input comes
    if (pads_.Available() || movedByUs_) {
      timeout = static_cast<int>(DesktopWindow::MillisecondsTo(until, clock::Now()));
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout) == 1 && !pads_.Follow(event)) {
      break;
    }
    if (movedByUs_ && clock::Now() - lastOwnMoveNs_ > kOwnMoveGraceNs) break;
    LookAtPads();
    if (desk_.KeysWaiting()) break;
  }
  desk_.Woke(clock::Now());
}

void SdlBackend::LookAtPads() {
  const std::uint64_t now = clock::Now();
  if (!desk_.PadLookDue(now)) return;
  const HeldInputs held = pads_.Look();
  desk_.PadsLooked(held, pads_.Connected(), now);
}

int SdlBackend::PollEvent() {
  // Everything pending is taken at once so that nothing piles up; the game is told
  // of the one event it has a use for, the desktop's close request, which it ignores.
  // News of pads plugged in or out wait for the next look at the pads.
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_FIRSTEVENT, kFirstPadEvent - 1);
  SDL_FlushEvents(kLastPadEvent + 1, SDL_LASTEVENT);
  if (movedByUs_ && clock::Now() - lastOwnMoveNs_ > kOwnMoveGraceNs) {
    // Once the moves have settled, the desktop's word on the position counts again
    // (a window manager may have kept the window from going where it was asked).
    movedByUs_ = false;
    placeAfterFullScreen_ = false;
    if (window_ != nullptr && !desk_.FullScreen()) SDL_GetWindowPosition(window_, &left_, &top_);
  }
  const bool toggleAsked = desk_.TakeFullScreenAsk();
  if (window_ != nullptr) {
    if (toggleAsked) AskForFullScreen(!desk_.FullScreen());
    if (checkWmState_) FollowWindowManager();
    if (placeFrame_) {
      // A window of a new size has a new picture to fill, also when it is back to
      // its own size.
      redrawAll_ = true;
      if (desk_.FullScreen()) PlaceFullScreenFrame();
    }
  }
  checkWmState_ = placeFrame_ = false;
  if (moveReported_) {
    // Moves the desktop made on its own (placement at opening, a window manager
    // shortcut) are taken over; reports of our own recent moves are not, nor those of
    // a window that covers the screen.  They are taken after the window's state, which
    // the same events may have changed.
    moveReported_ = false;
    const bool settled = !movedByUs_ || clock::Now() - lastOwnMoveNs_ > kOwnMoveGraceNs;
    if (!desk_.FullScreen() && placeAfterFullScreen_ && !settled &&
        (reportedLeft_ != left_ || reportedTop_ != top_)) {
      // A window manager may put the window where it was before full screen after
      // the window has asked for its own place: asked again, once.
      placeAfterFullScreen_ = false;
      PutWindowAtItsPlace();
    } else if (!desk_.FullScreen() && settled) {
      left_ = reportedLeft_;
      top_ = reportedTop_;
    }
  }
  if (exposed_ && window_ != nullptr) {
    // The window surface still holds the last frame; only the desktop's copy is gone.
    exposed_ = false;
    SDL_UpdateWindowSurface(window_);
  }
  return desk_.TakeEvent();
}

void SdlBackend::Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) {
  if (window_ == nullptr || pixels == nullptr) return;
  desk_.Presented(clock::Now());
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr) return;
  // The frame's place in the window: all of it at the window's factor, or centred at
  // the full-screen factor.
  FrameView place{desk_.Scale(), 0, 0};
  if (desk_.FullScreen()) place = CentredView(0, 0, surface->w, surface->h, width, height);
  const int shownWidth = std::min(width * place.factor, surface->w - place.left);
  const int shownHeight = std::min(height * place.factor, surface->h - place.top);
  // SDL makes a new surface when the window's size changes; it starts out empty.
  const bool whole = redrawAll_ || surface != shownSurface_ ||
                     surface->w != shownSurfaceWidth_ || surface->h != shownSurfaceHeight_;
  shownSurface_ = surface;
  shownSurfaceWidth_ = surface->w;
  shownSurfaceHeight_ = surface->h;
  if (whole) changed = RowSpan{0, height};  // a new picture: all of it, on black
  const int first = changed.first;
  const int end = changed.first + changed.count;
  if (changed.Empty() || shownWidth <= 0 || shownHeight <= 0) return;  // the window already shows this
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  auto* target = static_cast<std::uint8_t*>(surface->pixels);
  if (whole) std::fill_n(target, static_cast<std::size_t>(surface->pitch) * surface->h, std::uint8_t{0});
  // Only the changed rows are enlarged and sent to the desktop: straight into the
  // window's pixels where they take the frame's own format and the whole frame fits,
  // else through a copy that is converted and cut to the window.
  const int rowFirst = first * place.factor;
  const int rowEnd = std::min(end * place.factor, shownHeight);
  std::uint8_t* origin = target + place.top * surface->pitch + place.left * 4;
  if (surface->format->format == SDL_PIXELFORMAT_RGB888 && shownWidth == width * place.factor &&
      shownHeight == height * place.factor) {
    EnlargeRows(pixels, width, RowSpan{first, end - first}, place.factor,
                reinterpret_cast<std::uint32_t*>(origin), surface->pitch / 4);
  } else {
    const int stride = width * place.factor;
    staging_.resize(static_cast<std::size_t>(stride) * height * place.factor);
    EnlargeRows(pixels, width, RowSpan{first, end - first}, place.factor, staging_.data(), stride);
    origin = target + place.top * surface->pitch + place.left * surface->format->BytesPerPixel;
    if (rowEnd > rowFirst) {
      SDL_ConvertPixels(shownWidth, rowEnd - rowFirst, SDL_PIXELFORMAT_RGB888,
                        staging_.data() + static_cast<std::size_t>(rowFirst) * stride, stride * 4,
                        surface->format->format, origin + rowFirst * surface->pitch, surface->pitch);
    }
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (whole) {
    SDL_UpdateWindowSurface(window_);
  } else if (rowEnd > rowFirst) {
    const SDL_Rect rows{place.left, place.top + rowFirst, shownWidth, rowEnd - rowFirst};
    SDL_UpdateWindowSurfaceRects(window_, &rows, 1);
  }
  redrawAll_ = false;
  desk_.PictureShown([] {
    timespec wall{};
    clock_gettime(CLOCK_REALTIME, &wall);
    return static_cast<std::uint64_t>(wall.tv_sec) * 1'000'000'000u +
           static_cast<std::uint64_t>(wall.tv_nsec);
  });
}

}  // namespace

std::unique_ptr<BlockingBackend> MakeSdlBackend(const ScaleRequest& scale) {
  auto backend = std::make_unique<SdlBackend>(scale);
  if (!backend->Start()) return nullptr;
  return backend;
}

}  // namespace platform
