// The real window on Windows: one borderless popup window that shows the finished
// frames, enlarged to whole-number pixels, from a DIB section of its own; the pointer
// and left button read from the desktop; full screen on F11 and Alt+Enter; and the
// machine's clocks.
#include "platform/win32/win32_backend.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop_window.h"
#include "platform/scaling.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/xinput_pads.h"

namespace platform {
namespace {

constexpr wchar_t kClassName[] = L"QuelmoWindow";
constexpr wchar_t kTitle[] = L"Quelmo";
constexpr int kIconResource = 1;  // the program's one icon group (quelmo.rc)
constexpr UINT kDestroyMessage = WM_APP + 1;  // a closed window's late destruction
constexpr LPARAM kKeyRepeated = LPARAM{1} << 30;  // the key was down before: a repeat
constexpr LPARAM kAltHeld = LPARAM{1} << 29;      // a system key pressed with Alt

// Texts come in UTF-8 (the seam's) or the system's code page (the program's
// arguments); the window takes UTF-16.
std::wstring Widen(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

// What Windows says about its last failure, as one line.
std::string LastErrorText() {
  const DWORD code = GetLastError();
  char buffer[512] = {};
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
    text.pop_back();
  }
  if (text.empty()) text = "error " + std::to_string(code);
  return text;
}

// The keys of the keyboard the program knows (keys.h).
std::optional<Input> KeyInput(WPARAM key) {
  switch (key) {
    case VK_LEFT: return Input::kArrowLeft;
    case VK_RIGHT: return Input::kArrowRight;
    case VK_UP: return Input::kArrowUp;
    case VK_DOWN: return Input::kArrowDown;
    case VK_TAB: return Input::kTab;
    case VK_SPACE: return Input::kSpace;
    case VK_RETURN: return Input::kEnter;
    case VK_ESCAPE: return Input::kEscape;
    case 'F': return Input::kF;
    case 'T': return Input::kT;
    case VK_F11: return Input::kF11;
    default: return std::nullopt;
  }
}

// Nanoseconds since 1970 by the wall clock, as precisely as this Windows tells it.
std::uint64_t WallClockNs() {
  using PreciseTime = void(WINAPI*)(LPFILETIME);
  static const auto precise = reinterpret_cast<PreciseTime>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
  FILETIME ft;
  if (precise != nullptr) {
    precise(&ft);
  } else {
    GetSystemTimeAsFileTime(&ft);  // before Windows 8
  }
  const std::uint64_t ticks = (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
  constexpr std::uint64_t kTicksFrom1601To1970 = 116'444'736'000'000'000u;
  return (ticks - kTicksFrom1601To1970) * 100u;
}

class Win32Backend final : public BlockingBackend {
 public:
  explicit Win32Backend(const ScaleRequest& request) : request_(request) {}
  ~Win32Backend() override { ReleaseSection(); }
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  bool Start();

  int DesktopWidth() override { return desk_.ToGame(GetSystemMetrics(SM_CXSCREEN)); }
  int DesktopHeight() override { return desk_.ToGame(GetSystemMetrics(SM_CYSCREEN)); }
  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> iconBmp) override;
  void CloseWindow() override;
  int WindowLeft() override { return desk_.ToGame(Placed().x); }
  int WindowTop() override { return desk_.ToGame(Placed().y); }
  void MoveWindow(int x, int y) override;
  int PointerX() override { return DesktopWindow::PointerX(WindowLeft(), View(), Cursor()); }
  int PointerY() override { return DesktopWindow::PointerY(WindowTop(), View(), Cursor()); }
  bool LeftButtonDown() override;
  int PollEvent() override;
  void Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) override;
  std::uint32_t TickCount() override { return GetTickCount(); }
  std::uint64_t Counter() override { return clock_.Now(); }
  std::uint64_t CounterFrequency() override { return clock_.Frequency(); }
  void WaitUntil(std::uint64_t target) override { clock_.WaitUntil(target); }
  void WaitForInput(std::uint64_t framePeriod) override;
  void TakeKeys(std::vector<KeyEvent>& out) override {
    LookAtPads();
    desk_.TakeKeys(out);
  }
  void PlacePointer(int x, int y) override;
  void KeyButton(bool down) override { desk_.KeyButton(down); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  RECT WindowRect() const;
  DesktopPoint Cursor();
  std::uint64_t NowNs() const { return clock_.ToNanoseconds(clock_.Now()); }
  void LookAtPads();
  POINT Placed() const;
  FrameView View() const;
  int WantedScale(int dotsPerInch) const;
  void ChangeScale(int dotsPerInch, POINT topLeft);
  bool KeyMessage(UINT message, WPARAM key, LPARAM flags);
  void ToggleFullScreen();
  bool ShowAt(int factor, POINT frameOffset);
  bool MakeSection(int factor);
  void ReleaseSection();
  void Paint(HWND window);

  HINSTANCE instance_ = GetModuleHandleW(nullptr);
  HWND window_ = nullptr;
  // The factor from the command line, which wins over the desktop's setting, and the
  // game's window size the factor is chosen for before the game asks for the desktop's
  // size (in game pixels already).
  const ScaleRequest request_;
  DesktopWindow desk_;  // the scale, keys, button, full screen, close requests, log
  POINT windowedPlace_{};  // the window's physical top-left before full screen
  // The last frame in game pixels, for showing it again at another factor.
  std::vector<std::uint32_t> picture_;
  int frameWidth_ = 0, frameHeight_ = 0;
  bool presented_ = false;
  // The picture on show, enlarged, kept for repainting: a top-down 32-bit DIB section,
  // whose pixels have the game's own layout (0x00RRGGBB is blue, green, red, unused in
  // memory), selected into a memory device context.  It shows game pixels factor_
  // times enlarged, with its top-left corner at offset_ in the window (beside it, in
  // full screen, the window is black).
  HDC sectionDc_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ sectionDcOld_ = nullptr;
  std::uint32_t* sectionBits_ = nullptr;
  int factor_ = 0;
  POINT offset_{};
  mutable RECT rect_{};        // the window's rectangle, while rectKnown_
  mutable bool rectKnown_ = false;
  DesktopPointer pointer_;
  bool trackingLeave_ = false;  // the desktop will say when the pointer leaves the window
  win32::Clock clock_;
  win32::XInputPads pads_;
};

bool Win32Backend::Start() {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = &Win32Backend::WindowProc;
  cls.hInstance = instance_;
  cls.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(kIconResource));
  cls.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0));
  cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  // Until the first frame the window shows the desktop's button colour; from then on
  // every pixel is the game's.
  cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  cls.lpszClassName = kClassName;
  if (RegisterClassExW(&cls) == 0) {
    ShowMessage("Quelmo cannot register its window class: " + LastErrorText() + ".",
                MessageKind::kError);
    return false;
  }
  desk_.SetScale(WantedScale(win32::ScreenDpi()));
  return true;
}

// The scale for a desktop setting of dotsPerInch, or the one asked for on the command
// line, whichever applies, made smaller while the window would not fit the desktop.
int Win32Backend::WantedScale(int dotsPerInch) const {
  const int wanted = request_.factor ? *request_.factor : ScaleFromDpi(dotsPerInch);
  return FittingScale(wanted, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                      request_.windowWidth, request_.windowHeight);
}

bool Win32Backend::OpenWindow(int x, int y, int width, int height, std::string_view title,
                              std::span<const std::uint8_t> iconBmp) {
  // The window's icon is the program's icon resource, the one Explorer shows too.
  (void)iconBmp;
  CloseWindow();
  desk_.SetFullScreen(false);
  frameWidth_ = std::max(width, 0);
  frameHeight_ = std::max(height, 0);
  picture_.assign(static_cast<std::size_t>(frameWidth_) * static_cast<std::size_t>(frameHeight_),
                  0);
  presented_ = false;
  if (!ShowAt(desk_.Scale(), POINT{0, 0})) {
    ShowMessage("Quelmo cannot make its picture: " + LastErrorText() + ".", MessageKind::kError);
    return false;
  }
  // A popup window has neither frame nor caption, so its outer rectangle is the
  // client rectangle: the window is exactly the enlarged frame, at (x, y) in game pixels.
  const std::wstring caption = title.empty() ? std::wstring(kTitle) : Widen(title, CP_UTF8);
  window_ = CreateWindowExW(0, kClassName, caption.c_str(), WS_POPUP | WS_VISIBLE,
                            desk_.ToPhysical(x), desk_.ToPhysical(y), desk_.ToPhysical(width),
                            desk_.ToPhysical(height), nullptr, nullptr, instance_, this);
  if (window_ == nullptr) {
    // The game cannot go on without its window: the entry ends it.
    ShowMessage("Quelmo cannot open its window: " + LastErrorText() + ".", MessageKind::kError);
    return false;
  }
  // The screen's setting is the primary monitor's; the window may have opened on
  // another monitor with a setting of its own.
  if (const int dpi = win32::WindowDpi(window_); dpi > 0 && WantedScale(dpi) != desk_.Scale()) {
    const RECT rect = WindowRect();
    ChangeScale(dpi, POINT{rect.left, rect.top});
  }
  return true;
}

void Win32Backend::CloseWindow() {
  if (window_ == nullptr) return;
  // Destroyed when the next frame handles its messages, or with the process when the
  // program is ending: destroying or hiding it here would wait for the desktop to
  // confirm (under Wine without a window manager, for seconds) before the game can end.
  PostMessageW(window_, kDestroyMessage, 0, 0);
  window_ = nullptr;
  rectKnown_ = false;
}

// Shows the picture factor times enlarged with its top-left corner at frameOffset in
// the window, redrawn whole from the last frame.  False, with the picture as it was,
// if there is no memory for it at that size.
bool Win32Backend::ShowAt(int factor, POINT frameOffset) {
  bool shown = true;
  if (factor != factor_ || section_ == nullptr) {
    const int oldFactor = factor_;
    if (!MakeSection(factor)) {
      shown = false;  // the picture stays as it was, made again at its old size
      if (!MakeSection(oldFactor)) return false;
    }
  }
  if (shown) offset_ = frameOffset;
  if (presented_) {
    GdiFlush();
    EnlargeRows(picture_.data(), frameWidth_, RowSpan{0, frameHeight_}, factor_, sectionBits_,
                static_cast<std::ptrdiff_t>(frameWidth_) * factor_);
  }
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
  return shown;
}

bool Win32Backend::MakeSection(int factor) {
  ReleaseSection();
  if (factor < kMinScale) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = frameWidth_ * factor;
  info.bmiHeader.biHeight = -frameHeight_ * factor;  // rows top-down, as the game keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  sectionDc_ = CreateCompatibleDC(nullptr);
  if (sectionDc_ == nullptr) return false;
  section_ = CreateDIBSection(sectionDc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section_ == nullptr) {
    ReleaseSection();
    return false;
  }
  sectionDcOld_ = SelectObject(sectionDc_, section_);
  sectionBits_ = static_cast<std::uint32_t*>(bits);
  factor_ = factor;
  return true;
}

void Win32Backend::ReleaseSection() {
  if (sectionDc_ != nullptr && sectionDcOld_ != nullptr) SelectObject(sectionDc_, sectionDcOld_);
  if (section_ != nullptr) DeleteObject(section_);
  if (sectionDc_ != nullptr) DeleteDC(sectionDc_);
  sectionDc_ = nullptr;
  section_ = nullptr;
  sectionDcOld_ = nullptr;
  sectionBits_ = nullptr;
  factor_ = 0;
}

// The game asks for the window's place and the pointer several times a frame, and
// every question to the desktop costs (under Wine, a round trip to the X server or the
// Wine server): the window's rectangle is asked again only after the window moved or
// changed size, and the pointer comes from the window's own messages while it is
// over the window (desktop_pointer.h).
RECT Win32Backend::WindowRect() const {
  if (window_ == nullptr) return RECT{};
  if (!rectKnown_) {
    GetWindowRect(window_, &rect_);
    rectKnown_ = true;
  }
  return rect_;
}

// The desktop's pointer goes where the keyboard put the game's: the player sees it
// there, and a move of the mouse carries on from there.
void Win32Backend::PlacePointer(int x, int y) {
  if (window_ == nullptr) return;
  const DesktopPoint at = DesktopWindow::OnDesktop(View(), x, y);
  SetCursorPos(at.x, at.y);
  pointer_.Report(at, true);
}

DesktopPoint Win32Backend::Cursor() {
  return pointer_.Read(NowNs(), [] {
    POINT at{};
    GetCursorPos(&at);
    return DesktopPoint{at.x, at.y};
  });
}

// The window's physical top-left as the game knows it: in full screen, where the
// window was before and goes back to.
POINT Win32Backend::Placed() const {
  if (desk_.FullScreen()) return windowedPlace_;
  const RECT rect = WindowRect();
  return POINT{rect.left, rect.top};
}

// Where the frame's pixels lie on the physical desktop.
FrameView Win32Backend::View() const {
  const RECT rect = WindowRect();
  FrameView view;
  view.factor = factor_ > 0 ? factor_ : desk_.Scale();
  view.left = rect.left + offset_.x;
  view.top = rect.top + offset_.y;
  return view;
}

void Win32Backend::MoveWindow(int x, int y) {
  // In full screen the window covers its monitor; dragging the title bar moves nothing.
  if (window_ == nullptr || desk_.FullScreen()) return;
  SetWindowPos(window_, nullptr, desk_.ToPhysical(x), desk_.ToPhysical(y), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window came onto a monitor with another scale setting (or opened on one): the
// window takes that monitor's scale, unless the command line fixed it, with its
// top-left corner at topLeft.
void Win32Backend::ChangeScale(int dotsPerInch, POINT topLeft) {
  if (request_.factor || window_ == nullptr) return;
  const int scale = WantedScale(dotsPerInch);
  if (scale == desk_.Scale()) return;
  if (desk_.FullScreen()) {
    // The frame keeps filling the monitor; the window comes back at the new scale.
    desk_.SetScale(scale);
    return;
  }
  if (!ShowAt(scale, POINT{0, 0})) return;
  desk_.SetScale(scale);
  SetWindowPos(window_, nullptr, topLeft.x, topLeft.y, desk_.ToPhysical(frameWidth_),
               desk_.ToPhysical(frameHeight_), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Full screen covers the window's monitor and shows the frame at the largest whole
// factor that fits, centred on black; leaving it puts the window back as it was.
void Win32Backend::ToggleFullScreen() {
  if (window_ == nullptr) return;
  if (desk_.FullScreen()) {
    if (!ShowAt(desk_.Scale(), POINT{0, 0})) return;
    desk_.SetFullScreen(false);
    SetWindowPos(window_, nullptr, windowedPlace_.x, windowedPlace_.y,
                 desk_.ToPhysical(frameWidth_), desk_.ToPhysical(frameHeight_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& screen = monitor.rcMonitor;
  const int width = screen.right - screen.left;
  const int height = screen.bottom - screen.top;
  const FrameView view = CentredView(0, 0, width, height, frameWidth_, frameHeight_);
  const POINT place = Placed();
  if (!ShowAt(view.factor, POINT{view.left, view.top})) return;
  windowedPlace_ = place;
  desk_.SetFullScreen(true);
  SetWindowPos(window_, HWND_TOP, screen.left, screen.top, width, height, SWP_NOACTIVATE);
}

bool Win32Backend::LeftButtonDown() {
  // The button messages since the frame handled its messages are handled first: a
  // press that came in meanwhile is this frame's, not the next one's.  (Windows sends
  // them for the button the player presses with, left or, swapped, right.)
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_REMOVE)) {
    DispatchMessageW(&msg);
  }
  // A release can go astray (the window moved away under the pointer of a drag, the
  // pointer taken by another window): while the button seems held, the desktop's own
  // state of the button says whether it still is.
  ButtonLatch& button = desk_.Button();
  if (button.DownBy(ButtonLatch::Hand::kMouse)) {
    const int physical = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if ((GetAsyncKeyState(physical) & 0x8000) == 0) button.Release();
  }
  return button.Query();
}

// Sleeps until a message comes to the thread: whatever it is, a frame looks.  One
// already waiting counts too, also if a look at the queue has seen it.  The thread
// wakes meanwhile only to read the pads (every frame period while one is connected,
// once a second to look for one plugged in), and sleeps on unless they brought keys.
void Win32Backend::WaitForInput(std::uint64_t framePeriod) {
  desk_.Still();
  const std::uint64_t framePeriodNs = clock_.ToNanoseconds(framePeriod);
  for (;;) {
    DWORD timeout = INFINITE;
    if (pads_.Available()) {
      timeout = DesktopWindow::MillisecondsTo(desk_.NextPadLook(framePeriodNs), NowNs());
    }
    if (MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
        WAIT_TIMEOUT) {
      break;
    }
    LookAtPads();
    if (desk_.KeysWaiting()) break;
  }
  desk_.Woke(NowNs());
}

void Win32Backend::LookAtPads() {
  const std::uint64_t now = NowNs();
  if (!pads_.Available() || !desk_.PadLookDue(now)) return;
  HeldInputs held = pads_.Look(now);
  // The pads play the window that has the focus, as the keyboard does.
  if (held != 0 && GetForegroundWindow() != window_) held = 0;
  desk_.PadsLooked(held, pads_.Connected(), now);
}

int Win32Backend::PollEvent() {
  // Everything pending is handled at once so that nothing piles up; the game is told
  // of the one event it has a use for, the desktop's close request, which it ignores.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return desk_.TakeEvent();
}

LRESULT CALLBACK Win32Backend::WindowProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT Win32Backend::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:  // Alt+F4, the taskbar: the game ends only through its close button
      desk_.CloseRequested();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Latched here, so that a click released before the next frame still counts.
      // The release comes to this window wherever the pointer is by then (a drag
      // can leave it behind).
      desk_.Button().Press();
      SetCapture(window);
      return 0;
    case WM_LBUTTONUP:
      desk_.Button().Release();
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_MOUSEMOVE: {
      // Moves over the window come as messages, and while the button is held (the
      // window has the pointer's capture) also beside it; one more comes when the
      // pointer leaves, so that a game waiting for input sees it go.
      const RECT rect = WindowRect();
      const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
      const bool over = x >= 0 && y >= 0 && x < rect.right - rect.left && y < rect.bottom - rect.top;
      pointer_.Report(DesktopPoint{rect.left + x, rect.top + y}, over || GetCapture() == window);
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window;
        trackingLeave_ = TrackMouseEvent(&track) != 0;
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      pointer_.Left();
      return 0;
    case WM_WINDOWPOSCHANGED:
      rectKnown_ = false;  // moved or resized, by the game or by the desktop
      break;
    case WM_CAPTURECHANGED:
      // Another window took the pointer (a message box, the desktop's task switch):
      // its release will not come here.
      if (reinterpret_cast<HWND>(lParam) != window) desk_.Button().Release();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:  // with Alt held, or F10
    case WM_SYSKEYUP:
      // Alt+Enter is handled here too, so the desktop neither beeps nor opens a menu.
      if (KeyMessage(message, wParam, lParam)) return 0;
      break;
    case WM_SYSCHAR:
      if (wParam == L'\r') return 0;  // Alt+Enter's character, which would beep
      break;
    case WM_SYSCOMMAND:
      // The desktop's maximise is the game's full screen, and its restore leaves it.
      if ((wParam & 0xFFF0) == SC_MAXIMIZE) {
        if (!desk_.FullScreen()) ToggleFullScreen();
        return 0;
      }
      if ((wParam & 0xFFF0) == SC_RESTORE && desk_.FullScreen() && !IsIconic(window)) {
        ToggleFullScreen();
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      ChangeScale(LOWORD(wParam), POINT{suggested->left, suggested->top});
      return 0;
    }
    case WM_ERASEBKGND:
      // Once there is a picture, painting covers every pixel; erasing first would flicker.
      if (presented_) return 1;
      break;
    case WM_PAINT:
      Paint(window);
      return 0;
    case kDestroyMessage:
      DestroyWindow(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A key message: the program's keys and full screen's (desktop_window.h).
bool Win32Backend::KeyMessage(UINT message, WPARAM key, LPARAM flags) {
  const std::optional<Input> input = KeyInput(key);
  if (!input) return false;
  const auto held = [](int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; };
  const Modifiers modifiers{held(VK_SHIFT), (flags & kAltHeld) != 0,
                            held(VK_CONTROL) || held(VK_LWIN) || held(VK_RWIN)};
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  // (A key going up always has the flag of a key that was down before.)
  const bool repeat = down && (flags & kKeyRepeated) != 0;
  if (!desk_.FromKeyboard(*input, modifiers, down, repeat)) return false;
  if (desk_.TakeFullScreenAsk()) ToggleFullScreen();
  return true;
}

void Win32Backend::Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc != nullptr && presented_) {
    // The desktop lost part of the picture (uncovered, restored, made bigger): shown
    // again from the copy, without waiting for the next frame; around it, black.
    const RECT picture{offset_.x, offset_.y, offset_.x + frameWidth_ * factor_,
                       offset_.y + frameHeight_ * factor_};
    RECT r;
    if (IntersectRect(&r, &ps.rcPaint, &picture)) {
      BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, sectionDc_,
             r.left - offset_.x, r.top - offset_.y, SRCCOPY);
    }
    ExcludeClipRect(dc, picture.left, picture.top, picture.right, picture.bottom);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  EndPaint(window, &ps);
}

void Win32Backend::Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) {
  if (window_ == nullptr || pixels == nullptr || sectionBits_ == nullptr) return;
  desk_.Presented(NowNs());
  if (changed.Empty()) return;  // the window already shows this picture
  // A frame of another size than the window shows only where the two overlap.
  const int w = std::min(width, frameWidth_);
  const int first = changed.first;
  const int end = std::min({changed.first + changed.count, height, frameHeight_});
  if (end <= first || w <= 0) return;
  for (int row = first; row < end; ++row) {
    std::memcpy(picture_.data() + static_cast<std::size_t>(row) * frameWidth_,
                pixels + static_cast<std::size_t>(row) * width, static_cast<std::size_t>(w) * 4);
  }
  GdiFlush();  // GDI is done with the section before its pixels are written
  const RowSpan rows{first, end - first};
  EnlargeRows(picture_.data(), frameWidth_, rows, factor_, sectionBits_,
              static_cast<std::ptrdiff_t>(frameWidth_) * factor_);
  // Only the changed rows are sent to the desktop.
  if (HDC dc = GetDC(window_)) {
    BitBlt(dc, offset_.x, offset_.y + first * factor_, frameWidth_ * factor_,
           rows.count * factor_, sectionDc_, 0, first * factor_, SRCCOPY);
    ReleaseDC(window_, dc);
  }
  presented_ = true;
  desk_.PictureShown(WallClockNs);
}

}  // namespace

std::unique_ptr<BlockingBackend> MakeWin32Backend(const ScaleRequest& scale) {
  auto backend = std::make_unique<Win32Backend>(scale);
  if (!backend->Start()) return nullptr;
  return backend;
}

void ShowMessage(std::string_view text, MessageKind kind) {
  const UINT icon = kind == MessageKind::kError ? MB_ICONERROR : MB_ICONINFORMATION;
  MessageBoxW(nullptr, Widen(text, CP_ACP).c_str(), kTitle, MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace platform
