// The real window on Windows: one borderless popup window that shows the finished
// frames from a DIB section of its own, the pointer and left button read from the
// desktop, and the machine's clocks.
#include "platform/win32/win32_backend.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32/win32_clock.h"

namespace platform {
namespace {

constexpr wchar_t kClassName[] = L"QuelmoWindow";
constexpr wchar_t kTitle[] = L"Quelmo";
constexpr int kIconResource = 1;  // the program's one icon group (quelmo.rc)
constexpr UINT kDestroyMessage = WM_APP + 1;  // a closed window's late destruction

// Texts come in the Windows-1252 code page; the window takes UTF-16.
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

// The opt-in frame log (QUELMO_FRAME_LOG); see win32_backend.h.
class FrameLog {
 public:
  FrameLog() {
    const char* path = std::getenv("QUELMO_FRAME_LOG");
    if (path == nullptr || *path == '\0') return;
    file_ = std::fopen(path, "w");
    // No console to complain on: without the file there is simply no log.
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);  // lines survive a kill
  }
  ~FrameLog() { Close(); }
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  void FirstPresent() {
    if (file_ != nullptr) {
      std::fprintf(file_, "first-present %llu\n", static_cast<unsigned long long>(WallClockNs()));
    }
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

class Win32Backend final : public Backend {
 public:
  Win32Backend() = default;
  ~Win32Backend() override { ReleaseFrame(); }
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  bool Start();

  int DesktopWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int DesktopHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> iconBmp) override;
  void CloseWindow() override;
  int WindowLeft() override { return WindowRect().left; }
  int WindowTop() override { return WindowRect().top; }
  void MoveWindow(int x, int y) override;
  int PointerX() override { return Cursor().x; }
  int PointerY() override { return Cursor().y; }
  bool LeftButtonDown() override;
  int PollEvent() override;
  void Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) override;
  std::uint32_t TickCount() override { return GetTickCount(); }
  std::uint64_t Counter() override { return clock_.Now(); }
  std::uint64_t CounterFrequency() override { return clock_.Frequency(); }
  void Sleep(std::uint32_t ms) override { clock_.SleepMs(ms); }
  void WaitUntil(std::uint64_t target) override { clock_.WaitUntil(target); }
  [[noreturn]] void Exit(int code) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  RECT WindowRect() const;
  POINT Cursor() const;
  bool MakeFrame(int width, int height);
  void ReleaseFrame();
  void Paint(HWND window);

  HINSTANCE instance_ = GetModuleHandleW(nullptr);
  HWND window_ = nullptr;
  // The picture on show, kept for repainting: a top-down 32-bit DIB section, whose
  // pixels have the game's own layout (0x00RRGGBB is blue, green, red, unused in
  // memory), selected into a memory device context.
  HDC frameDc_ = nullptr;
  HBITMAP frame_ = nullptr;
  HGDIOBJ frameDcOld_ = nullptr;
  std::uint32_t* frameBits_ = nullptr;
  int frameWidth_ = 0, frameHeight_ = 0;
  bool presented_ = false;
  bool pressLatched_ = false;  // a left press no LeftButtonDown has reported yet
  int pendingClose_ = 0;       // close requests seen while handling messages
  win32::Clock clock_;
  FrameLog log_;
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
  return true;
}

bool Win32Backend::OpenWindow(int x, int y, int width, int height, std::string_view title,
                              std::span<const std::uint8_t> iconBmp) {
  // The window's icon is the program's icon resource, the one Explorer shows too.
  (void)iconBmp;
  CloseWindow();
  if (!MakeFrame(width, height)) {
    ShowMessage("Quelmo cannot make its picture: " + LastErrorText() + ".", MessageKind::kError);
    Exit(1);
  }
  // A popup window has neither frame nor caption, so its outer rectangle is the
  // client rectangle: the window is exactly width x height at (x, y).
  const std::wstring caption = title.empty() ? std::wstring(kTitle) : Widen(title, 1252);
  window_ = CreateWindowExW(0, kClassName, caption.c_str(), WS_POPUP | WS_VISIBLE, x, y, width,
                            height, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) {
    // The game cannot go on without its window, and nothing would show that it runs.
    ShowMessage("Quelmo cannot open its window: " + LastErrorText() + ".", MessageKind::kError);
    Exit(1);
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
}

bool Win32Backend::MakeFrame(int width, int height) {
  ReleaseFrame();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top-down, as the game keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  frameDc_ = CreateCompatibleDC(nullptr);
  if (frameDc_ == nullptr) return false;
  frame_ = CreateDIBSection(frameDc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (frame_ == nullptr) {
    ReleaseFrame();
    return false;
  }
  frameDcOld_ = SelectObject(frameDc_, frame_);
  frameBits_ = static_cast<std::uint32_t*>(bits);
  frameWidth_ = width;
  frameHeight_ = height;
  presented_ = false;
  return true;
}

void Win32Backend::ReleaseFrame() {
  if (frameDc_ != nullptr && frameDcOld_ != nullptr) SelectObject(frameDc_, frameDcOld_);
  if (frame_ != nullptr) DeleteObject(frame_);
  if (frameDc_ != nullptr) DeleteDC(frameDc_);
  frameDc_ = nullptr;
  frame_ = nullptr;
  frameDcOld_ = nullptr;
  frameBits_ = nullptr;
  frameWidth_ = frameHeight_ = 0;
  presented_ = false;
}

RECT Win32Backend::WindowRect() const {
  RECT rect{};
  if (window_ != nullptr) GetWindowRect(window_, &rect);
  return rect;
}

POINT Win32Backend::Cursor() const {
  POINT point{};
  GetCursorPos(&point);
  return point;
}

void Win32Backend::MoveWindow(int x, int y) {
  if (window_ == nullptr) return;
  SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Backend::LeftButtonDown() {
  // The button the player presses with, left or, with the buttons swapped, right.
  const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  const bool down = (GetAsyncKeyState(button) & 0x8000) != 0 || pressLatched_;
  pressLatched_ = false;
  return down;
}

int Win32Backend::PollEvent() {
  // Everything pending is handled at once so that nothing piles up; the game is told
  // of the one event it has a use for, the desktop's close request, which it ignores.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (pendingClose_ > 0) {
    pendingClose_ = 0;
    log_.CloseRequest();
    return kEventClose;
  }
  return kNoEvent;
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
      ++pendingClose_;
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Latched here, so that a click released before the next frame still counts.
      pressLatched_ = true;
      return 0;
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

void Win32Backend::Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc != nullptr && presented_) {
    // The desktop lost part of the picture (uncovered, restored): shown again from
    // the copy, without waiting for the next frame.
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frameDc_, r.left, r.top, SRCCOPY);
  }
  EndPaint(window, &ps);
}

void Win32Backend::Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) {
  if (window_ == nullptr || pixels == nullptr || frameBits_ == nullptr) return;
  log_.Frame(clock_.ToNanoseconds(clock_.Now()));
  if (!presented_) changed = RowSpan{0, height};  // the first frame is shown whole
  if (changed.Empty()) return;  // the window already shows this picture
  const int w = width < frameWidth_ ? width : frameWidth_;
  const int first = changed.first < 0 ? 0 : changed.first;
  int end = changed.first + changed.count;
  if (end > height) end = height;
  if (end > frameHeight_) end = frameHeight_;
  if (end <= first) return;
  GdiFlush();  // GDI is done with the section before its pixels are written
  for (int row = first; row < end; ++row) {
    std::memcpy(frameBits_ + static_cast<std::size_t>(row) * frameWidth_,
                pixels + static_cast<std::size_t>(row) * width, static_cast<std::size_t>(w) * 4);
  }
  // Only the changed rows are sent to the desktop.
  if (HDC dc = GetDC(window_)) {
    BitBlt(dc, 0, first, w, end - first, frameDc_, 0, first, SRCCOPY);
    ReleaseDC(window_, dc);
  }
  if (!presented_) {
    presented_ = true;
    log_.FirstPresent();
  }
}

void Win32Backend::Exit(int code) {
  log_.Close();
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace

std::unique_ptr<Backend> MakeWin32Backend() {
  auto backend = std::make_unique<Win32Backend>();
  if (!backend->Start()) return nullptr;
  return backend;
}

void ShowMessage(std::string_view text, MessageKind kind) {
  const UINT icon = kind == MessageKind::kError ? MB_ICONERROR : MB_ICONINFORMATION;
  MessageBoxW(nullptr, Widen(text, CP_ACP).c_str(), kTitle, MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace platform
