#include "programs/quelmo-sim/state_check.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace sim {
namespace {

// A report flattened to its numbers, each with the key and indices that lead to it.
using Flat = std::vector<std::pair<std::string, std::string>>;

// Reads the JSON of a state report: objects, arrays and integers, nothing else.
class ReportReader {
 public:
  explicit ReportReader(std::string_view text) : text_(text) {}

  bool Read(Flat& out) {
    if (!Value("", out)) return false;
    SkipSpaces();
    return at_ == text_.size();
  }

 private:
  void SkipSpaces() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' ||
                                  text_[at_] == '\n')) {
      ++at_;
    }
  }
  bool Take(char c) {
    SkipSpaces();
    if (at_ == text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }
  bool Key(std::string& key) {
    if (!Take('"')) return false;
    const std::size_t end = text_.find('"', at_);
    if (end == std::string_view::npos) return false;
    key = std::string(text_.substr(at_, end - at_));
    at_ = end + 1;
    return Take(':');
  }
  bool Value(const std::string& path, Flat& out) {
    // A report nests three deep; anything much deeper is not one (and must not
    // exhaust the stack).
    if (++depth_ > kMaxDepth) return false;
    const bool read = ValueBelow(path, out);
    --depth_;
    return read;
  }
  bool ValueBelow(const std::string& path, Flat& out) {
    if (Take('{')) {
      if (Take('}')) return true;
      do {
        std::string key;
        if (!Key(key) || !Value(path.empty() ? key : path + "." + key, out)) return false;
      } while (Take(','));
      return Take('}');
    }
    if (Take('[')) {
      if (Take(']')) return true;
      std::size_t index = 0;
      do {
        if (!Value(path + "[" + std::to_string(index++) + "]", out)) return false;
      } while (Take(','));
      return Take(']');
    }
    const std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') ++at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    if (at_ == start || text_[at_ - 1] == '-') return false;
    out.emplace_back(path, std::string(text_.substr(start, at_ - start)));
    return true;
  }

  static constexpr int kMaxDepth = 8;
  std::string_view text_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace

bool CompareStateReports(std::string_view recorded, std::string_view replayed,
                         std::optional<StateDifference>& difference) {
  Flat want, got;
  difference.reset();
  if (!ReportReader(recorded).Read(want)) return false;
  if (!ReportReader(replayed).Read(got)) return false;
  const std::size_t common = std::min(want.size(), got.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (want[i] == got[i]) continue;
    if (want[i].first != got[i].first) {
      difference = StateDifference{want[i].first, want[i].second, "missing"};
    } else {
      difference = StateDifference{want[i].first, want[i].second, got[i].second};
    }
    return true;
  }
  if (want.size() > common) difference = StateDifference{want[common].first, want[common].second, "missing"};
  if (got.size() > common) difference = StateDifference{got[common].first, "missing", got[common].second};
  return true;
}

}  // namespace sim
