#pragma once
// The script language of quelmo-sim, which recordings are written in: one command per
// line, the command word and exactly its arguments separated by spaces.  Blank lines
// and lines starting with '#' hold no command.
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "programs/common/words.h"

namespace programs {

enum class Op {
  kMouse,   // mouse X Y
  kDown,    // down
  kUp,      // up
  kClick,   // click X Y
  kFrames,  // frames N
  kState,   // state
  kShot,    // shot FILE
  kSprite,  // sprite N FILE
  kTile,    // tile C R CODE
  kLock,    // lock C R V
  kQueue,   // queue I CODE
  kSet,     // set NAME VALUE
  kStream,  // stream N C R DX DY G P
  kTick,    // tick MS
  kWindow,  // window X Y
  kKey,     // key NAME down|up: numbers are the key (platform::Key) and 1 for down
  kPress,   // press NAME: numbers are the key
};

struct Command {
  Op op = Op::kState;
  std::vector<std::int32_t> numbers;  // the numeric arguments in order (a tick count's bits)
  std::string text;                   // the file or state name argument
};

// Either a command, nothing (a blank or comment line), or the reason the line is bad.
struct ParseError {
  std::string reason;
};
using ParsedLine = std::variant<std::monostate, Command, ParseError>;

ParsedLine ParseLine(std::string_view line);

// A decimal integer with an optional leading minus that fits 32 bits.
std::optional<std::int32_t> ParseInt32(std::string_view word);

// Reads the next line of a script into `line`: a line ends at LF, CR LF or a lone CR.
// False at the end of the input when no line is left.
bool ReadLine(std::istream& in, std::string& line);
// The lines of a whole script held in memory, ended as ReadLine ends them (without a
// stream: the page reads recordings too, and a stream brings the C++ locale with it).
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace programs
