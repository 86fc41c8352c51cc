// The catalogue: which image each sprite number gets.
#include <array>

#include "art.h"

namespace art {

std::string SpriteFile(int number) { return "sprite-" + std::to_string(number) + ".bmp"; }

std::vector<Image> Catalogue() {
  static constexpr std::array<int, 34> kNumbers = {
      0,   1,   2,   3,   4,   5,   6,   7,   10,  11,  12,  13,  14,  15,  16,  17,  20,
      100, 101, 102, 104, 105, 107, 108, 110, 111, 114, 120, 122, 123, 130, 301, 302, 303};
  std::vector<Image> images;
  for (int n : kNumbers) {
    Surface pixels;
    if (n == 0) pixels = Grass();
    else if (n <= 7) pixels = PipeTile(n);
    else if (n <= 17 && n != 10) pixels = Preview(n - 10);
    else if (n == 20) pixels = Stone();
    else if (n >= 301) pixels = SpecialOverlay(n - 300);
    else pixels = FramePiece(n);
    images.push_back({SpriteFile(n), std::move(pixels)});
  }
  return images;
}

}  // namespace art
