#pragma once
// The desktop's own scale setting on Linux, as a whole number: what the player chose
// in the desktop's display settings for every program.
namespace platform {

// GDK_SCALE when it is set (the toolkits' own whole-number scale), otherwise the X
// resource Xft.dpi on the X display (96 dots per inch is 1), rounded down; 1 when the
// desktop says nothing.
int DesktopScaleSetting();

}  // namespace platform
