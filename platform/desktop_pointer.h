#pragma once
// The pointer as a desktop backend reads it, the same on every desktop.  The game
// reads its x and y within a frame, and every question to the desktop costs both
// processes a wake-up (under Wine a request to its server too): while the pointer is
// over the window, or held by it with its button down, the desktop reports every move
// as it happens and the last report says where it is; beside the window only a
// question can tell, and one answers for a millisecond.
#include <cstdint>

namespace platform {

struct DesktopPoint {
  int x = 0, y = 0;
};

class DesktopPointer {
 public:
  // A report of the pointer at desktop point `at`; `kept` when the window keeps
  // hearing of its moves from here on (it is over the window, or held by it).
  void Report(DesktopPoint at, bool kept) {
    reported_ = kept;
    at_ = at;
  }
  // The pointer left the window: its moves are no longer reported.
  void Left() { reported_ = false; }

  // Where the pointer is at `nowNs`: the last report while moves are reported, else
  // the answer of `ask()`, asked again only after a millisecond.
  template <typename Ask>
  DesktopPoint Read(std::uint64_t nowNs, Ask ask) {
    constexpr std::uint64_t kFreshNs = 1'000'000;
    if (reported_) return at_;
    if (!asked_ || nowNs - askedNs_ > kFreshNs) {
      at_ = ask();
      asked_ = true;
      askedNs_ = nowNs;
    }
    return at_;
  }

 private:
  bool reported_ = false;
  bool asked_ = false;
  std::uint64_t askedNs_ = 0;
  DesktopPoint at_;
};

}  // namespace platform
