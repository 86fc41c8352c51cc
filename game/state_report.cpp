#include "game/state_report.h"

namespace game {
namespace {

template <typename Grid>
void WriteGrid(std::ostream& out, const Grid& grid) {
  out << '[';
  for (std::size_t c = 0; c < grid.size(); ++c) {
    out << (c ? ",[" : "[");
    for (std::size_t r = 0; r < grid[c].size(); ++r) out << (r ? "," : "") << grid[c][r];
    out << ']';
  }
  out << ']';
}

}  // namespace

void WriteStateReport(std::ostream& out, const ReportHeader& header, const GameState& s) {
  out << "{\"frame\":" << header.frame << ",\"tick\":" << header.tick << ",\"window\":["
      << header.windowLeft << ',' << header.windowTop << ']';
  for (const NamedInteger& named : NamedIntegers()) {
    out << ",\"" << named.name << "\":" << s.*named.member;
  }
  out << ",\"TileGrid\":";
  WriteGrid(out, s.TileGrid);
  out << ",\"LockGrid\":";
  WriteGrid(out, s.LockGrid);
  out << ",\"PieceQueue\":[";
  for (std::size_t i = 0; i < s.PieceQueue.size(); ++i) out << (i ? "," : "") << s.PieceQueue[i];
  out << "],\"Streams\":[";
  for (std::size_t i = 0; i < s.Streams.size(); ++i) {
    const StreamRecord& st = s.Streams[i];
    out << (i ? ",[" : "[") << st.Column << ',' << st.Row << ',' << st.DirX << ',' << st.DirY
        << ',' << st.GoalState << ',' << st.PassState << ']';
  }
  out << "]}\n";
}

}  // namespace game
