#pragma once
// The screen: the 640 x 480 back buffer, the table of numbered sprites, keyed and
// opaque copies with clipping, presenting a frame and the frame pacing.
#include <cstddef>
#include <cstdint>

#include "runtime/frame_pace.h"
#include "runtime/surface.h"

namespace rt {

void StartScreenModule();
void EndScreenModule();

// Opens the screen inside window `window` (a handle from OpenMainWindow).  1 = open.
int OpenWindowScreen(int window, int x, int y, int width, int height, int stretch,
                     int rightMargin, int bottomMargin);
// Period = counter frequency / (fps + 1); 0 switches pacing off.  Returns 1.
int SetFramePace(int framesPerSecond);
// The rate the frames are paced at (0: not paced).
int FramePaceRate();

// Sprite `number` from the bytes of a whole BMP file.  Null (and the number left
// empty) for anything that is not a sound, uncompressed 16-, 24- or 32-bit BMP.
Surface* SpriteFromBitmap(int number, const std::uint8_t* image, std::size_t size, int flags);
// A black sprite of width x height.  Null for a size that cannot be made.
Surface* NewBlankSprite(int number, int width, int height, int flags = 0);
// -1 selects the back buffer; a number without a sprite keeps the current target.
Surface* SelectBuffer(int number);
void DrawSprite(int number, int x, int y);
void DrawSpriteKeyed(int number, int x, int y);
// A negative number sets the default key of sprites created later.
void SetSpriteKeyColour(int number, int red, int green, int blue);
void ClearBuffer(int red, int green, int blue);
// Shows the back buffer, which becomes the current target again, and returns the
// pacing wait for the platform to carry out: until the frame's deadline, or none (the
// counter time of now) without pacing.
FrameWait PresentFrame();
// The sleep of ms milliseconds for the platform to carry out before the frame goes on
// (none for a wait of 0 or less).  It begins at the frame's time (below).
FrameWait WaitMilliseconds(int ms);
// The counter time the frame is at: now, or the end of the pacing wait it was given
// when that still lies ahead.  A platform may run the steps after the showing before
// that wait is over, since they read nothing from it but the tick count: they read
// the count of the wait's end, as if they had waited.
std::uint64_t FrameTime();
// The platform's millisecond tick count at the frame's time.
std::uint32_t TickCount();
// Nothing moved from the frame due at counter time `due` on, and the platform showed
// none of the frames that were due before `now`: they count as shown, each on its
// deadline, and the pacing goes on from the last of them.  Returns how many.
std::uint64_t PassStillFrames(std::uint64_t due, std::uint64_t now);
// Drawing targets for the drawing operations; null while one is handed out.
CanvasRecord* ScreenCanvas();
CanvasRecord* SpriteCanvas(int number);

// Inspection for quelmo-sim and the tests: the sprite under a number (null if none)
// and the back buffer.
const Surface* FindSprite(int number);
const Surface* BackBuffer();
// Number of records the sprite table holds (50 at start, number + 50 after growth).
std::size_t SpriteTableCount();

}  // namespace rt
