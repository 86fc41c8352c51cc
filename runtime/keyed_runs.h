#pragma once
// The runs of non-key pixels of each row of a sprite.  A keyed copy copies these runs
// whole instead of testing every pixel; the runs are rebuilt only when the sprite's
// pixels or key have changed since they were made (its generation or key differs).
#include <cstdint>
#include <vector>

#include "runtime/surface.h"

namespace rt {

class KeyedRuns {
 public:
  struct Run {
    std::int32_t y;      // its row
    std::int32_t begin;  // first pixel of the run in its row
    std::int32_t end;    // one past its last pixel
  };

  // Brings the runs up to date with `surface` (cheap when nothing changed).
  void Update(const Surface& surface);

  // Runs of row y, in increasing order; valid after Update.
  const Run* RowBegin(int y) const { return runs_.data() + rowStart_[y]; }
  const Run* RowEnd(int y) const { return runs_.data() + rowStart_[y + 1]; }
  // All runs, row after row.
  const Run* begin() const { return runs_.data(); }
  const Run* end() const { return runs_.data() + runs_.size(); }

 private:
  bool built_ = false;
  std::uint64_t generation_ = 0;
  std::uint32_t key_ = 0;
  const std::uint32_t* pixels_ = nullptr;  // the pixel block the runs describe
  std::vector<std::uint32_t> rowStart_;    // height + 1 offsets into runs_
  std::vector<Run> runs_;
};

}  // namespace rt
