#pragma once
// The screen: the 640 x 480 back buffer, the table of numbered sprites, keyed and
// opaque copies with clipping, presenting a frame and the frame pacing.
#include <cstddef>
#include <cstdint>
#include <optional>

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
// Shows the back buffer, asks for the pacing wait and returns the back buffer.
Surface* PresentFrame();
// Asks for a sleep of ms milliseconds before the frame goes on.
void WaitMilliseconds(int ms);
// The wait the frame asked for since the last call, if any (frame_pace.h): the frame
// loop takes it after every stretch of the frame and has the platform carry it out.
std::optional<FrameWait> TakeWait();
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
