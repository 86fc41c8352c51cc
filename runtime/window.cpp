#include "runtime/window.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/wrap32.h"
#include "runtime/cp1252.h"

namespace rt {
namespace {

struct WindowModule {
  int openNumber = 0;  // number of the open window, 0 = none
  std::vector<std::uint8_t> icon;
};
WindowModule g_windows;

bool IsOpen() { return g_windows.openNumber != 0; }

}  // namespace

void StartWindowModule() {
  // The icon is handed over by the program entry before the runtime starts.
  std::vector<std::uint8_t> icon = std::move(g_windows.icon);
  g_windows = WindowModule{};
  g_windows.icon = std::move(icon);
}

void EndWindowModule() {
  if (IsOpen()) platform::Current().CloseWindow();
  g_windows.openNumber = 0;
}

void SetWindowIcon(std::span<const std::uint8_t> iconBmp) {
  g_windows.icon.assign(iconBmp.begin(), iconBmp.end());
}

int DesktopWidth() { return platform::Current().DesktopWidth(); }
int DesktopHeight() { return platform::Current().DesktopHeight(); }

int OpenMainWindow(int number, int x, int y, int width, int height, std::uint32_t style,
                   std::string_view title) {
  if (number <= 0) return 0;
  if (IsOpen()) EndWindowModule();
  // The game passes the popup style alone: a visible window without caption or border.
  (void)style;
  if (!platform::Current().OpenWindow(x, y, width, height, Cp1252ToUtf8(title), g_windows.icon)) {
    return 0;
  }
  g_windows.openNumber = number;
  return number;
}

void SetWindowDragStrip(int left, int top, int right, int bottom) {
  platform::Current().SetDragStrip(left, top, right, bottom);
}

int MainWindowHandle(int number) {
  return IsOpen() && number == g_windows.openNumber ? number : 0;
}

int PollWindowEvent() { return platform::Current().PollEvent(); }

int MouseX() {
  return platform::Wrap32(std::int64_t{platform::Current().PointerX()} -
                          platform::Current().WindowLeft());
}
int MouseY() {
  return platform::Wrap32(std::int64_t{platform::Current().PointerY()} -
                          platform::Current().WindowTop());
}
int LeftButtonDown() { return platform::Current().LeftButtonDown() ? 1 : 0; }
int WindowLeft() { return platform::Current().WindowLeft(); }
int WindowTop() { return platform::Current().WindowTop(); }

void MoveMainWindow(int x, int y) {
  if (IsOpen()) platform::Current().MoveWindow(x, y);
}

}  // namespace rt
