#include "programs/quelmo-sim/simulator.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "game/game.h"
#include "game/state_report.h"
#include "programs/common/recording.h"
#include "runtime/bmp_writer.h"
#include "runtime/screen.h"

namespace sim {
namespace {

platform::HeadlessBackend::Options BackendOptions(const Options& o) {
  platform::HeadlessBackend::Options b;
  b.tickStart = o.tickStart;
  b.desktopWidth = o.desktopWidth;
  b.desktopHeight = o.desktopHeight;
  b.scale = o.scale;
  return b;
}

bool InRange(std::int32_t v, int first, int last) { return v >= first && v <= last; }

}  // namespace

Simulator::Simulator(const Options& options) : backend_(BackendOptions(options)) {
  platform::SetBackend(&backend_);
  nextSleep_ = game_.Start(game::StartOptions{options.seed, options.texts, options.marks});
}

Simulator::~Simulator() { platform::SetBackend(nullptr); }

// Every frame runs, each wait carried out on the virtual clock in the frame's own
// order: the sleep, the frame up to its showing, the pacing wait, the frame's last
// steps.  A frame ends at its deadline.
void Simulator::RunFrames(std::int64_t count) {
  for (std::int64_t i = 0; i < count && !game_.Over(); ++i) {
    backend_.WaitUntil(nextSleep_.until);
    keys_.BeforeFrame(backend_, game_.State());
    const game::FrameStop shown = game_.Run();
    if (shown.kind != game::FrameStop::Kind::kShown) break;  // the close button
    backend_.WaitUntil(shown.wait.until);
    lastEnd_ = game_.Run();
    nextSleep_ = lastEnd_.wait;
    ++frames_;
  }
}

void Simulator::Press(platform::Key key) {
  Key(key, true);
  RunFrames(1);
  Key(key, false);
  RunFrames(1);
}

void Simulator::Click(int x, int y) {
  Mouse(x, y);
  Down();
  RunFrames(1);
  Up();
  RunFrames(1);
}

BenchResult Simulator::Bench(std::int64_t count) {
  BenchResult result;
  if (count <= 0) return result;
  backend_.SetSkipWaits(true);
  backend_.SetCaptureFrames(false);
  std::vector<double> micros;
  micros.reserve(static_cast<std::size_t>(count));
  using Clock = std::chrono::steady_clock;
  const Clock::time_point begin = Clock::now();
  for (std::int64_t i = 0; i < count && !game_.Over(); ++i) {
    const Clock::time_point start = Clock::now();
    RunFrames(1);
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
  backend_.SetSkipWaits(false);
  backend_.SetCaptureFrames(true);
  if (micros.empty()) return result;  // the game had ended
  std::sort(micros.begin(), micros.end());
  const std::size_t n = micros.size();
  result.medianMicros = n % 2 ? micros[n / 2] : (micros[n / 2 - 1] + micros[n / 2]) / 2;
  const std::size_t p99 = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(n))) - 1;
  result.p99Micros = micros[std::min(p99, n - 1)];
  result.maxMicros = micros.back();
  result.framesPerSecond = seconds > 0 ? static_cast<double>(n) / seconds : 0;
  return result;
}

void Simulator::WriteState(std::ostream& out) {
  const game::ReportHeader header{frames_, backend_.CurrentTickCount(), backend_.WindowLeft(),
                                  backend_.WindowTop()};
  out << game::StateReport(header, game_.State());
}

bool Simulator::Execute(const programs::Command& command, std::ostream& out, std::string& error) {
  using programs::Op;
  using programs::Quote;
  const std::vector<std::int32_t>& a = command.numbers;
  if ((command.op == Op::kShot || command.op == Op::kSprite) &&
      command.text.find('\0') != std::string::npos) {
    // The operating system would take the name only up to the NUL: another file.
    error = "the file name " + Quote(command.text) + " holds a NUL byte";
    return false;
  }
  if (programs::ApplyInput(command, backend_)) return true;
  game::GameState& s = game_.State();
  switch (command.op) {
    case Op::kClick:
      Click(a[0], a[1]);
      return true;
    case Op::kFrames:
      if (a[0] < 0) {
        error = "frames needs a count of 0 or more";
        return false;
      }
      RunFrames(a[0]);
      return true;
    case Op::kState:
      WriteState(out);
      return true;
    case Op::kShot: {
      const std::vector<std::uint32_t>& frame = backend_.LastFrame();
      if (frame.empty()) {
        error = "no frame has been presented yet";
        return false;
      }
      rt::Surface surface;
      surface.width = backend_.LastFrameWidth();
      surface.height = backend_.LastFrameHeight();
      surface.pixels = frame;
      if (!rt::WriteBmp24(surface, command.text)) {
        error = "cannot write " + Quote(command.text);
        return false;
      }
      return true;
    }
    case Op::kSprite: {
      const rt::Surface* sprite = rt::FindSprite(a[0]);
      if (sprite == nullptr) {
        error = "there is no sprite " + std::to_string(a[0]);
        return false;
      }
      if (!rt::WriteBmp24(*sprite, command.text)) {
        error = "cannot write " + Quote(command.text);
        return false;
      }
      return true;
    }
    case Op::kTile:
    case Op::kLock:
      if (!InRange(a[0], 0, game::kColumns - 1) || !InRange(a[1], 0, game::kRows - 1)) {
        error = "cell (" + std::to_string(a[0]) + ", " + std::to_string(a[1]) +
                ") is outside columns 0..19, rows 0..14";
        return false;
      }
      (command.op == Op::kTile ? s.TileGrid : s.LockGrid)[a[0]][a[1]] = a[2];
      return true;
    case Op::kQueue:
      if (!InRange(a[0], 0, static_cast<int>(s.PieceQueue.size()) - 1)) {
        error = "queue index " + std::to_string(a[0]) + " is outside 0..21";
        return false;
      }
      s.PieceQueue[a[0]] = a[1];
      return true;
    case Op::kSet: {
      std::int32_t* field = game::FindInteger(s, command.text);
      if (field == nullptr) {
        error = "the state has no integer called " + Quote(command.text);
        return false;
      }
      *field = a[0];
      return true;
    }
    case Op::kStream:
      if (!InRange(a[0], 0, static_cast<int>(s.Streams.size()) - 1)) {
        error = "stream " + std::to_string(a[0]) + " is outside 0..5";
        return false;
      }
      s.Streams[a[0]] = game::StreamRecord{a[1], a[2], a[3], a[4], a[5], a[6]};
      return true;
    case Op::kPress:
      Press(static_cast<platform::Key>(a[0]));
      return true;
    default:  // the input above
      break;
  }
  error = "unknown command";
  return false;
}

}  // namespace sim
