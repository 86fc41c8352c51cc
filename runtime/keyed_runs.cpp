#include "runtime/keyed_runs.h"

namespace rt {

void KeyedRuns::Update(const Surface& surface) {
  if (built_ && generation_ == surface.generation && key_ == surface.key &&
      pixels_ == surface.pixels.data() &&
      rowStart_.size() == static_cast<std::size_t>(surface.height) + 1) {
    return;
  }
  rowStart_.assign(static_cast<std::size_t>(surface.height) + 1, 0);
  runs_.clear();
  const std::uint32_t key = surface.key;
  for (int y = 0; y < surface.height; ++y) {
    rowStart_[y] = static_cast<std::uint32_t>(runs_.size());
    const std::uint32_t* row = surface.Row(y);
    int x = 0;
    while (x < surface.width) {
      while (x < surface.width && row[x] == key) ++x;
      if (x == surface.width) break;
      const int begin = x;
      while (x < surface.width && row[x] != key) ++x;
      runs_.push_back(Run{y, begin, x});
    }
  }
  rowStart_[surface.height] = static_cast<std::uint32_t>(runs_.size());
  built_ = true;
  generation_ = surface.generation;
  key_ = surface.key;
  pixels_ = surface.pixels.data();
}

}  // namespace rt
