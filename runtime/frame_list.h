#pragma once
// The drawing of one frame on the back buffer, held back until the frame is
// presented.  A game redraws its whole picture every frame, and on a still screen
// (the open menu, a paused level) each frame draws exactly what the one before drew:
// the same copies of the same unchanged sprites and the same texts at the same
// places.  Such a frame is recognised by its list of drawing steps and is not drawn
// again, since the back buffer still holds that very picture.  Any other frame is
// drawn step by step in the order the game gave.
//
// The rule that keeps this exact: a step is remembered together with the version
// (generation) of everything it reads, and before anything that a held step reads
// is changed or freed, the held steps are drawn first (BeforeWrite).
//
// The same comparison of steps tells a drawn frame's changed rows: only rows that a
// step unlike its counterpart in the frame before covers can differ, and for a copy
// of a sprite whose contents alone changed, only the rows of it that were redrawn.
// So no pixel of the picture on show needs to be kept or compared.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "runtime/surface.h"

namespace rt {

struct FrameStep {
  // Draws the step onto the back buffer.
  using Paint = void (*)(const FrameStep& step, Surface& back);
  Paint paint = nullptr;
  // What the step reads (a sprite's surface, a font) and that surface's generation
  // when the step was given; null for a plain fill.
  const void* source = nullptr;
  std::uint64_t generation = 0;
  std::array<std::int32_t, 6> args{};
  std::string text;
  // Not part of the step's identity: for the painter (the sprite record of a copy),
  // and the rows of the back buffer the step may change, first .. end - 1.  For a
  // copy, a source row r lands on back buffer row r + sourceShift.
  void* payload = nullptr;
  int rowFirst = 0, rowEnd = 0;
  int sourceShift = 0;
  // The step overwrites every pixel of the back buffer with no regard to what was there.
  bool coversAll = false;

  // Alike: the same drawing of the same thing, perhaps at another generation of it.
  bool AlikeTo(const FrameStep& other) const {
    if (paint != other.paint || source != other.source || coversAll != other.coversAll) return false;
    // Element by element: a library compare of so few bytes costs more than the loop.
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (args[i] != other.args[i]) return false;
    }
    return text == other.text;
  }
  bool operator==(const FrameStep& other) const {
    return generation == other.generation && AlikeTo(other);
  }
};

// The back buffer whose drawing is held (null: nothing is held, every step draws at
// once).  Setting it forgets everything held and remembered.
void SetHeldSurface(Surface* back);
// True when drawing on `target` is held.
bool IsHeld(const Surface* target);
// Holds a step for the back buffer.  `reads` is the surface it reads, if any.
void HoldStep(FrameStep step, const Surface* reads);
// Call before changing or freeing `surface` (its pixels or its key): held steps that
// read it are drawn first.  Null or a surface nothing reads costs a compare or two.
void BeforeWrite(const Surface* surface);
// Call before freeing `surface`: held steps that read it are drawn first, and this
// frame's changed rows are found by comparing every row.
void SurfaceGone(const Surface* surface);
// Draws every held step now, and marks the frame as drawn straight onto the back
// buffer (it will not be recognised as a repeat).  For drawing that is not held, and
// for reading the back buffer's pixels.
void DrawHeldSteps();
// Ends the frame: draws it, unless it repeats the frame before exactly, and returns
// the span of rows in which it can differ from the frame shown before (all of them the
// first time, none for a repeat).
platform::RowSpan FinishFrame();

}  // namespace rt
