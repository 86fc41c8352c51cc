#pragma once
// The desktop's own scale setting on Windows, as dots per inch (96 is 100 %).
#include <windows.h>

namespace platform::win32 {

// The screen's setting: what the desktop was scaled to when the player signed in,
// which for a program aware of each monitor's own setting is the primary monitor's.
int ScreenDpi();

// The setting of the monitor the window is on (Windows 10 1607 and later), or 0 where
// Windows cannot tell it per window.
int WindowDpi(HWND window);

}  // namespace platform::win32
