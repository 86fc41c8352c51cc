#pragma once
// The game's one window, its events and the mouse.  Thin operations over the
// platform backend; window handles are small numbers (0 = none).
#include <cstdint>
#include <span>
#include <string_view>

namespace rt {

constexpr std::uint32_t kPopupStyle = 0x80000000u;  // no caption, no border

void StartWindowModule();
void EndWindowModule();
// The image the window shows as its icon (a whole BMP file); set before opening.
void SetWindowIcon(std::span<const std::uint8_t> iconBmp);

int DesktopWidth();
int DesktopHeight();
// Opens window `number` at desktop (x, y), titled in Windows-1252.  Returns its
// handle, or 0.
int OpenMainWindow(int number, int x, int y, int width, int height, std::uint32_t style,
                   std::string_view title);
int MainWindowHandle(int number);
// Tells the desktop which strip of the window drags it (left < x < right, top < y <
// bottom, in window coordinates), so that it can keep that strip within reach.
void SetWindowDragStrip(int left, int top, int right, int bottom);
int PollWindowEvent();
int MouseX();
int MouseY();
int LeftButtonDown();
int WindowLeft();
int WindowTop();
void MoveMainWindow(int x, int y);

}  // namespace rt
