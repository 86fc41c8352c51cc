#include "runtime/sprite_table.h"

namespace rt {

void SpriteTable::Reset() {
  dense_.clear();
  dense_.resize(kInitialCount);
  sparse_.clear();
}

Sprite* SpriteTable::Find(int number) {
  if (number < 0) return nullptr;
  Sprite* sprite = nullptr;
  if (static_cast<std::size_t>(number) < dense_.size()) {
    sprite = &dense_[number];
  } else if (number > kLargestDense) {
    auto it = sparse_.find(number);
    if (it != sparse_.end()) sprite = &it->second;
  }
  return sprite != nullptr && sprite->surface ? sprite : nullptr;
}

Sprite& SpriteTable::Slot(int number) {
  if (number > kLargestDense) return sparse_[number];
  if (static_cast<std::size_t>(number) >= dense_.size()) {
    dense_.resize(static_cast<std::size_t>(number) + kGrowth);
  }
  return dense_[number];
}

}  // namespace rt
