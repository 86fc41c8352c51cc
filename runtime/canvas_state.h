#pragma once
// The drawing state shared by the canvas operations (lines, boxes) and the text
// renderer.  Internal to the runtime.
#include <cstdint>

#include "runtime/canvas.h"
#include "runtime/surface.h"

namespace rt {

struct CanvasState {
  CanvasRecord* record = nullptr;  // the open target's record, null = nothing open
  Surface* target = nullptr;       // its surface
  Colour colour = 0;               // last SetDrawColour
  std::uint32_t textPixel = 0;     // text (and line) colour as a pixel value
  std::uint32_t backgroundPixel = 0x00FFFFFF;  // opaque text background: white
  int mode = 0;                    // SetDrawMode flags
  int cursorX = 0, cursorY = 0;    // text cursor
  const Font* font = nullptr;      // font selected into the open target
};

CanvasState& Canvas();

}  // namespace rt
