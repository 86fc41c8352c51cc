#pragma once
// `quelmo-sim --check`: a recording carries the state reports the game had, each in a
// comment line `# state {...}`; the replay's own report must say the same.
#include <optional>
#include <string>
#include <string_view>

namespace sim {

// The first value in which two state reports differ, named by its key and index
// (`TileGrid[3][7]`, `window[0]`, `Level`).
struct StateDifference {
  std::string key;
  std::string recorded;  // "missing" where one report lacks the key
  std::string replayed;
};

// Compares the recorded report with the replayed one.  False when the recorded text is
// not a report (malformed JSON); otherwise true, with `difference` set when they differ.
bool CompareStateReports(std::string_view recorded, std::string_view replayed,
                         std::optional<StateDifference>& difference);

}  // namespace sim
