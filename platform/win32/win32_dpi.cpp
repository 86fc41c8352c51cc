#include "platform/win32/win32_dpi.h"

namespace platform::win32 {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int WindowDpi(HWND window) {
  // Looked up rather than imported, so that the program still starts on Windows 7 and 8.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (dpiForWindow == nullptr || window == nullptr) return 0;
  return static_cast<int>(dpiForWindow(window));
}

}  // namespace platform::win32
