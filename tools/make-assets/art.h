#pragma once
// The art of the game, one group per file; each function paints one image.
#include <string>
#include <string_view>
#include <vector>

#include "paint.h"

namespace art {

// One output file: its name inside the output directory and its pixels.
struct Image {
  std::string file;
  Surface pixels;
};

// Every catalogue image, named "sprite-<number>.bmp", in sprite-number order.
std::vector<Image> Catalogue();
// File name of catalogue sprite `number`.
std::string SpriteFile(int number);

// frame.cpp: the grey tiles, bars and boxes, the green controls, the close button.
Surface FramePiece(int number);  // 10, 100..130

// pipes.cpp: the channel of piece `code` (1..7) and the finished pipe tile.
Shape PipeShape(int code);
Surface PipeTile(int code);

// ground.cpp: grass (0) and the stone (20).
Surface Grass();
Surface Stone();

// previews.cpp: the placement preview of piece `code` (1..7), sprite code + 10.
Surface Preview(int code);

// labels.cpp: the special-tile overlay of kind 1 start, 2 pass, 3 goal with `word`
// centred along its top; the catalogue says which overlay gets which word.
Surface SpecialOverlay(int kind, std::string_view word);
// The five-pixel font of the overlays: width of `word` and drawing it with its top-left
// corner at (left, top).  Knows the letters of START, PASS, ZIEL and GOAL.
int WordWidth(std::string_view word);
void DrawWord(Surface& s, std::string_view word, int left, int top, std::uint32_t ink);

// icon.cpp: the window icon, 64 x 64, black where transparent.
Surface WindowIcon();
// The web app's maskable icon, 512 x 512: the window icon five times enlarged in the
// middle of the page's colour, which fills the square to its edges, so that the
// round or rounded shape a phone cuts from it shows the whole tile.
Surface MaskableIcon();

}  // namespace art
