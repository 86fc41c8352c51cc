#include "game/state_report.h"

namespace game {
namespace {

// Numbers are written with std::to_string rather than a stream: the page records its
// games too, and a stream would bring the whole of the C++ locale into it.
template <typename Number>
void Append(std::string& out, Number n) {
  out += std::to_string(n);
}

template <typename Grid>
void AppendGrid(std::string& out, const Grid& grid) {
  out += '[';
  for (std::size_t c = 0; c < grid.size(); ++c) {
    out += c ? ",[" : "[";
    for (std::size_t r = 0; r < grid[c].size(); ++r) {
      if (r) out += ',';
      Append(out, grid[c][r]);
    }
    out += ']';
  }
  out += ']';
}

}  // namespace

std::string StateReport(const ReportHeader& header, const GameState& s) {
  std::string out = "{\"frame\":";
  Append(out, header.frame);
  out += ",\"tick\":";
  Append(out, header.tick);
  out += ",\"window\":[";
  Append(out, header.windowLeft);
  out += ',';
  Append(out, header.windowTop);
  out += ']';
  for (const NamedInteger& named : NamedIntegers()) {
    out += ",\"";
    out += named.name;
    out += "\":";
    Append(out, s.*named.member);
  }
  out += ",\"TileGrid\":";
  AppendGrid(out, s.TileGrid);
  out += ",\"LockGrid\":";
  AppendGrid(out, s.LockGrid);
  out += ",\"PieceQueue\":[";
  for (std::size_t i = 0; i < s.PieceQueue.size(); ++i) {
    if (i) out += ',';
    Append(out, s.PieceQueue[i]);
  }
  out += "],\"Streams\":[";
  for (std::size_t i = 0; i < s.Streams.size(); ++i) {
    const StreamRecord& st = s.Streams[i];
    out += i ? ",[" : "[";
    for (const std::int32_t n : {st.Column, st.Row, st.DirX, st.DirY, st.GoalState}) {
      Append(out, n);
      out += ',';
    }
    Append(out, st.PassState);
    out += ']';
  }
  out += "]}\n";
  return out;
}

}  // namespace game
