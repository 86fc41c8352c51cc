// Placeholder: the screen module is being built.
#include "runtime/screen.h"

namespace rt {
void StartScreenModule() {}
void EndScreenModule() {}
int OpenWindowScreen(int, int, int, int, int, int, int, int) { return 0; }
int SetFramePace(int) { return 1; }
Surface* SpriteFromBitmap(int, const std::uint8_t*, std::size_t, int) { return nullptr; }
Surface* NewBlankSprite(int, int, int, int) { return nullptr; }
Surface* SelectBuffer(int) { return nullptr; }
void DrawSprite(int, int, int) {}
void DrawSpriteKeyed(int, int, int) {}
void SetSpriteKeyColour(int, int, int, int) {}
void ClearBuffer(int, int, int) {}
Surface* PresentFrame() { return nullptr; }
void WaitMilliseconds(int) {}
CanvasRecord* ScreenCanvas() { return nullptr; }
CanvasRecord* SpriteCanvas(int) { return nullptr; }
const Surface* FindSprite(int) { return nullptr; }
const Surface* BackBuffer() { return nullptr; }
}  // namespace rt
