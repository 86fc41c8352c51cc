#include "programs/common/recording.h"


#include "programs/common/recording_head.h"

namespace programs {
namespace {

// The commands a recording may hold, besides `state`, which a replay leaves out.
bool InRecording(Op op) {
  switch (op) {
    case Op::kMouse: case Op::kDown: case Op::kUp: case Op::kClick: case Op::kFrames:
    case Op::kState: case Op::kTick: case Op::kWindow: case Op::kKey: case Op::kPress:
      return true;
    default:
      return false;
  }
}

Command Simple(Op op, std::vector<std::int32_t> numbers = {}) { return Command{op, std::move(numbers), {}}; }

// A click and a press are an input, a frame, its end and a frame.
void Add(const Command& c, std::vector<Command>& out) {
  if (c.op == Op::kClick) {
    out.push_back(Simple(Op::kMouse, c.numbers));
    out.push_back(Simple(Op::kDown));
    out.push_back(Simple(Op::kFrames, {1}));
    out.push_back(Simple(Op::kUp));
    out.push_back(Simple(Op::kFrames, {1}));
  } else if (c.op == Op::kPress) {
    out.push_back(Simple(Op::kKey, {c.numbers[0], 1}));
    out.push_back(Simple(Op::kFrames, {1}));
    out.push_back(Simple(Op::kKey, {c.numbers[0], 0}));
    out.push_back(Simple(Op::kFrames, {1}));
  } else if (c.op != Op::kState) {
    out.push_back(c);
  }
}

}  // namespace

std::optional<Recording> ReadRecording(std::string_view text, std::string& error) {
  std::vector<std::string> lines = SplitLines(text);
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (!lines.empty() && lines[0].rfind(kByteOrderMark, 0) == 0) lines[0].erase(0, kByteOrderMark.size());
  Recording recording;
  if (!lines.empty() && IsOptionsLine(lines[0])) {
    const std::optional<std::string_view> second =
        lines.size() > 1 ? std::optional<std::string_view>(lines[1]) : std::nullopt;
    if (const std::optional<HeadProblem> problem = ReadRecordingHead(lines[0], second, recording.settings)) {
      error = "line " + std::to_string(problem->line) + ": " + problem->reason;
      return std::nullopt;
    }
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ParsedLine parsed = ParseLine(lines[i]);
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (const auto* bad = std::get_if<ParseError>(&parsed)) {
      error = where + bad->reason;
      return std::nullopt;
    }
    const auto* command = std::get_if<Command>(&parsed);
    if (command == nullptr) continue;
    if (!InRecording(command->op)) {
      error = where + Quote(SplitWords(lines[i]).front()) +
              " is no part of a recording: it changes the game behind the player's back";
      return std::nullopt;
    }
    if (command->op == Op::kFrames && command->numbers[0] < 0) {
      error = where + "frames needs a count of 0 or more";
      return std::nullopt;
    }
    Add(*command, recording.commands);
  }
  return recording;
}

bool ApplyInput(const Command& command, platform::HeadlessBackend& desktop) {
  const std::vector<std::int32_t>& a = command.numbers;
  switch (command.op) {
    case Op::kMouse: desktop.SetPointerInWindow(a[0], a[1]); return true;
    case Op::kDown: desktop.SetButton(true); return true;
    case Op::kUp: desktop.SetButton(false); return true;
    case Op::kTick: desktop.QueueTickCount(static_cast<std::uint32_t>(a[0])); return true;
    case Op::kWindow: desktop.PlaceWindow(a[0], a[1]); return true;
    case Op::kKey: desktop.PressKey(static_cast<platform::Key>(a[0]), a[1] != 0); return true;
    default: return false;
  }
}

bool RecordingPlayer::NextFrame(platform::HeadlessBackend& desktop) {
  while (framesLeft_ == 0) {
    if (next_ >= commands_.size()) return false;
    const Command& c = commands_[next_++];
    if (c.op == Op::kFrames) {
      framesLeft_ = c.numbers[0];
    } else {
      ApplyInput(c, desktop);
    }
  }
  --framesLeft_;
  ++played_;
  return true;
}

}  // namespace programs
