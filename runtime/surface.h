#pragma once
// A drawing surface: a sprite or the back buffer.  One pixel format everywhere:
// 32-bit 0x00RRGGBB, rows top-down, no padding between rows.
#include <cstdint>
#include <vector>

namespace rt {

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t key = 0;  // key colour as a pixel value; DrawSpriteKeyed skips it
  // Renewed by everything that changes the pixels or the key, so that data derived
  // from them (such as the runs a keyed copy uses, or a frame's list of drawing
  // steps) knows when to be rebuilt.  The numbers come from one counter for all
  // surfaces, so a generation names one state of one surface, even across a sprite
  // freed and made again.
  std::uint64_t generation = NextGeneration();
  // Set while a held drawing step reads this surface (the frame list's own mark).
  mutable std::uint64_t heldMark = 0;

  // Every pixel may have changed.
  void Touch() { Touch(0, height); }
  // Only rows first .. end - 1 changed.
  void Touch(int first, int end) {
    generation = NextGeneration();
    RowChange& slot = changes_[changeCount_ % kKeptChanges];
    if (changeCount_ >= kKeptChanges) knownSince_ = slot.generation;
    slot = RowChange{generation, first, end};
    ++changeCount_;
  }
  // Calls f(first, end) with the rows of every change made since the surface was at
  // generation `since`.  False (and no call) when that is too long ago to know.
  template <typename F>
  bool ForEachChangeSince(std::uint64_t since, F f) const {
    if (since < knownSince_) return false;
    const std::uint64_t kept = changeCount_ < kKeptChanges ? changeCount_ : kKeptChanges;
    for (std::uint64_t i = 0; i < kept; ++i) {
      if (changes_[i].generation > since) f(changes_[i].first, changes_[i].end);
    }
    return true;
  }

  static std::uint64_t NextGeneration() {
    static std::uint64_t counter = 0;
    return ++counter;
  }

  std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * width;
  }
  std::uint32_t At(int x, int y) const { return Row(y)[x]; }

 private:
  // The latest changes and their rows, so that a frame can tell which rows of a
  // sprite it copies have changed since the frame before.
  struct RowChange {
    std::uint64_t generation = 0;
    int first = 0, end = 0;
  };
  static constexpr std::uint64_t kKeptChanges = 32;
  RowChange changes_[kKeptChanges]{};
  std::uint64_t changeCount_ = 0;
  std::uint64_t knownSince_ = generation;  // every change after this one is kept
};

// Pixel value of a colour given as red, green, blue.
constexpr std::uint32_t PixelRGB(int r, int g, int b) {
  return (static_cast<std::uint32_t>(r & 255) << 16) | (static_cast<std::uint32_t>(g & 255) << 8) |
         static_cast<std::uint32_t>(b & 255);
}

// The drawing target handed from the screen (ScreenCanvas, SpriteCanvas) to the
// drawing operations (OpenCanvas).  Type 7: a surface given back through `release`.
struct CanvasRecord {
  int type = 0;
  Surface* surface = nullptr;
  void (*release)() = nullptr;
  int width = 0;
  int height = 0;
};

}  // namespace rt
