#include "sheet.h"

#include <algorithm>
#include <array>
#include <map>

#include "art.h"
#include "game/sprites.h"

namespace art {
namespace {

constexpr std::uint32_t kBackdrop = Rgb(44, 48, 58);

// The colour of stream colourIndex + 1.
constexpr std::uint32_t StreamColour(int colourIndex) {
  const game::StreamRgb& c = game::kStreamColours[static_cast<std::size_t>(colourIndex + 1)];
  return Rgb(c.red, c.green, c.blue);
}
constexpr std::uint32_t kCyan = StreamColour(0);

// Copies `src` enlarged `scale` times; with `keyed`, pixels equal to `key` are skipped.
void Blit(Surface& dst, const Surface& src, int x0, int y0, int scale, bool keyed = false,
          std::uint32_t key = 0) {
  for (int y = 0; y < src.height * scale; ++y)
    for (int x = 0; x < src.width * scale; ++x) {
      const std::uint32_t p = src.At(x / scale, y / scale);
      if (!keyed || p != key) Put(dst, x0 + x, y0 + y, p);
    }
}

// Lays images out in rows, left to right.
class Layout {
 public:
  explicit Layout(Surface& sheet) : sheet_(sheet) {}
  void Place(const Surface& s, int scale) {
    const int w = s.width * scale, h = s.height * scale;
    if (x_ + w > sheet_.width - kGap) NewRow();
    Blit(sheet_, s, x_, y_, scale);
    x_ += w + kGap;
    rowHeight_ = std::max(rowHeight_, h);
  }
  void NewRow() {
    x_ = kGap;
    y_ += rowHeight_ + kGap;
    rowHeight_ = 0;
  }

 private:
  static constexpr int kGap = 12;
  Surface& sheet_;
  int x_ = kGap, y_ = kGap, rowHeight_ = 0;
};

Surface SpecialTile(const std::map<int, Surface>& sprites, int colourIndex, int kind) {
  Surface tile = Blank(32, 32, StreamColour(colourIndex));
  Blit(tile, sprites.at(300 + kind), 0, 0, 1, true, colour::kWhite);
  return tile;
}

// A small board: a cyan stream running from its start through a bend, a crossing and
// its pass tile into its goal, a second stream's tiles with empty pipes, stones, and two
// previews.
Surface MockBoard(const std::map<int, Surface>& sprites) {
  constexpr int kCols = 10, kRows = 6;
  std::map<std::pair<int, int>, int> cells = {
      {{1, 1}, 311}, {{2, 1}, 2},   {{3, 1}, 5}, {{3, 2}, 1}, {{3, 3}, 3},   {{4, 3}, 7},
      {{5, 3}, 312}, {{6, 3}, 2},   {{7, 3}, 6}, {{7, 2}, 4}, {{8, 2}, 313}, {{4, 2}, 1},
      {{4, 4}, 1},   {{1, 5}, 321}, {{2, 5}, 2}, {{3, 5}, 2}, {{6, 0}, 20},  {{8, 5}, 20},
      {{9, 3}, 20},  {{5, 5}, 3},   {{6, 5}, 4}, {{6, 4}, 1}, {{8, 0}, 323}, {{0, 3}, 332}};
  const std::vector<std::pair<int, int>> wet = {{1, 1}, {2, 1}, {3, 1}, {3, 2}, {3, 3}, {4, 3},
                                                {5, 3}, {6, 3}, {7, 3}, {7, 2}, {8, 2}};
  Surface water = Blank(kCols * 32, kRows * 32, 0);
  for (auto [c, r] : wet) FillRect(water, c * 32, r * 32, 32, 32, kCyan);
  Surface board = water;
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) {
      const auto it = cells.find({c, r});
      const int code = it == cells.end() ? 0 : it->second;
      const Surface tile = code > 300 ? SpecialTile(sprites, code / 10 % 10 - 1, code % 10)
                                      : sprites.at(code);
      Blit(board, tile, c * 32, r * 32, 1, true, 0);
    }
  Blit(board, sprites.at(16), 2 * 32, 3 * 32, 1, true, 0);  // preview over grass
  Blit(board, sprites.at(15), 3 * 32, 5 * 32, 1, true, 0);  // preview over a pipe
  return board;
}

// The title bar and the HUD band as the frame composes them, for a strip 20 tiles wide.
Surface FrameStrip(const std::map<int, Surface>& sprites) {
  Surface strip = Blank(640, 96, 0);
  Blit(strip, sprites.at(102), 0, 0, 1);
  Blit(strip, sprites.at(110), 624, 0, 1);
  Blit(strip, sprites.at(104), 16, 0, 1);
  for (int k = 0; k <= 18; ++k) {
    if (k > 3) Blit(strip, sprites.at(108), 32 * k + 16, 0, 1);
    Blit(strip, sprites.at(10), 32 * k + 16, 16, 1);
    Blit(strip, sprites.at(10), 32 * k + 16, 48, 1);
    Blit(strip, sprites.at(107), 32 * k + 16, 80, 1);
  }
  for (int k = 0; k <= 1; ++k) {
    Blit(strip, sprites.at(101), 0, 32 * k + 16, 1);
    Blit(strip, sprites.at(101), 624, 32 * k + 16, 1);
  }
  Blit(strip, sprites.at(100), 0, 80, 1);
  Blit(strip, sprites.at(100), 624, 80, 1);
  Blit(strip, sprites.at(122), 560, 48, 1);
  Blit(strip, sprites.at(130), 496, 16, 1);
  Blit(strip, sprites.at(130), 240, 48, 1);
  Blit(strip, sprites.at(130), 400, 48, 1);
  // The queue strip: box, grass slot, pieces, box.
  Blit(strip, sprites.at(120), 176, 16, 1);
  Blit(strip, sprites.at(0), 208, 16, 1);
  const int queue[] = {2, 5, 311, 7, 20, 3, 1};
  for (int i = 0; i < 7; ++i) {
    const int code = queue[i];
    Blit(strip, code > 300 ? SpecialTile(sprites, 0, 1) : sprites.at(code), 240 + 32 * i, 16, 1);
  }
  Blit(strip, sprites.at(120), 464, 16, 1);
  return strip;
}

}  // namespace

Surface ContactSheet() {
  std::map<int, Surface> sprites;
  for (Image& image : Catalogue()) {
    const int number = std::stoi(image.file.substr(7));
    sprites[number] = image.pixels;
  }
  Surface sheet = Blank(1320, 2000, kBackdrop);
  Layout layout(sheet);
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 20}) layout.Place(sprites[n], 4);
  layout.NewRow();
  for (int n : {11, 12, 13, 14, 15, 16, 17, 10, 120}) layout.Place(sprites[n], 4);
  layout.NewRow();
  for (int n : {301, 302, 303, 308}) layout.Place(sprites[n], 4);
  for (int x = 0; x < 4; ++x)
    for (int k = 1; k <= 3; ++k) layout.Place(SpecialTile(sprites, x, k), x == 0 ? 4 : 2);
  layout.NewRow();
  for (int n : {100, 101, 102, 107, 108, 110, 111, 122, 123}) layout.Place(sprites[n], 4);
  layout.NewRow();
  for (int n : {104, 105}) layout.Place(sprites[n], 4);
  layout.NewRow();
  for (int n : {114, 130}) layout.Place(sprites[n], 4);
  layout.Place(WindowIcon(), 2);
  layout.Place(WindowIcon(), 1);
  layout.NewRow();
  layout.Place(FrameStrip(sprites), 2);
  layout.NewRow();
  const Surface board = MockBoard(sprites);
  layout.Place(board, 3);
  layout.Place(board, 1);
  return sheet;
}

}  // namespace art
