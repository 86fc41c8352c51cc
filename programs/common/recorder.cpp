#include "programs/common/recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "programs/common/recording_head.h"
#include "runtime/random.h"
#include "runtime/screen.h"

namespace programs {

std::unique_ptr<Recorder> Recorder::Open(const std::string& path, std::string& error) {
  std::unique_ptr<RecordingSink> file = OpenRecordingFile(path, error);
  if (!file) return nullptr;
  return std::make_unique<Recorder>(std::move(file));
}

void Recorder::Start(platform::Backend& real, const game::StartOptions& options,
                     std::string_view platformName) {
  real_ = &real;
  const std::uint32_t tickStart = real.TickCount();
  replay_ = platform::VirtualClock(tickStart);
  head_.tickStart = tickStart;
  head_.desktop = DesktopSize{static_cast<std::uint32_t>(real.DesktopWidth()),
                              static_cast<std::uint32_t>(real.DesktopHeight())};
  // The look asked for, so that the replay's screenshots are the game's.
  head_.texts = options.texts;
  head_.marks = options.marks;
  platformName_ = platformName;
}

void Recorder::SetStateHooks(KeepState keep, ReportState report) {
  keep_ = std::move(keep);
  report_ = std::move(report);
}

// --- what the game reads ------------------------------------------------------------

bool Recorder::OpenWindow(int x, int y, int width, int height, std::string_view title,
                          std::span<const std::uint8_t> iconBmp) {
  const bool opened = real_->OpenWindow(x, y, width, height, title, iconBmp);
  if (opened) {
    windowOpen_ = true;
    window_ = Point{x, y};
  }
  return opened;
}

void Recorder::CloseWindow() {
  windowOpen_ = false;
  real_->CloseWindow();
}

int Recorder::WindowLeft() {
  const int left = real_->WindowLeft();
  if (inFrame_ && !movedThisFrame_ && !readLeft_) readLeft_ = left;
  return left;
}

int Recorder::WindowTop() {
  const int top = real_->WindowTop();
  if (inFrame_ && !movedThisFrame_ && !readTop_) readTop_ = top;
  return top;
}

void Recorder::MoveWindow(int x, int y) {
  real_->MoveWindow(x, y);
  if (!windowOpen_) return;
  movedThisFrame_ = true;
  window_ = Point{x, y};
}

int Recorder::PointerX() {
  const int x = real_->PointerX();
  if (inFrame_ && !readPointerX_) readPointerX_ = x;
  return x;
}

int Recorder::PointerY() {
  const int y = real_->PointerY();
  if (inFrame_ && !readPointerY_) readPointerY_ = y;
  return y;
}

bool Recorder::LeftButtonDown() {
  const bool down = real_->LeftButtonDown();
  if (inFrame_ && !readButton_) readButton_ = down;
  return down;
}

std::uint32_t Recorder::TickCount() { return NoteTick(real_->TickCount()); }
std::uint32_t Recorder::TickCountAt(std::uint64_t when) { return NoteTick(real_->TickCountAt(when)); }

std::uint32_t Recorder::NoteTick(std::uint32_t tick) {
  if (inFrame_) readTicks_.push_back(TickRead{tick, replay_.Now()});
  return tick;
}

// --- the frames ----------------------------------------------------------------------

void Recorder::FramesBegin(const rt::FrameWait& firstSleep) {
  // The seed is the game's own choice: the one given, or its tick count at start.
  head_.seed = rt::RandomSeed();
  Write(RecordingHead(head_, platformName_));
  replayPace_ = rt::FramePace(platform::VirtualClock::kFrequency, rt::FramePaceRate());
  Sleep(firstSleep);
  BeginFrame();
}

void Recorder::BeginFrame() {
  inFrame_ = true;
  frameWindow_ = window_;
  movedThisFrame_ = false;
  readLeft_.reset();
  readTop_.reset();
  readPointerX_.reset();
  readPointerY_.reset();
  readButton_.reset();
  readTicks_.clear();
}

// The replay's clock waits as long as the headless backend's: the frame's sleep, and
// after the showing its paced deadline, at which the frame's last steps read the tick
// count.
void Recorder::Sleep(const rt::FrameWait& sleep) {
  replay_.WaitUntil(rt::SleepEnd(replay_.Now(), sleep.ms, platform::VirtualClock::kFrequency));
}

void Recorder::Shown() { replay_.WaitUntil(replayPace_.WaitEnd(replay_.Now())); }

// The lines that make the replay's frame read what the game's frame read.
void Recorder::AddFrameLines(std::string& lines) {
  // The window first: `mouse` places the pointer relative to it.
  Point start = frameWindow_;
  if (readLeft_ || readTop_) {
    const Point read{readLeft_.value_or(start.x), readTop_.value_or(start.y)};
    if (read != start) {
      lines += "window " + std::to_string(read.x) + ' ' + std::to_string(read.y) + '\n';
      start = read;
      if (!movedThisFrame_) window_ = read;
    }
  }
  if (readPointerX_ || readPointerY_) {
    const Point read{readPointerX_.value_or(pointer_.x), readPointerY_.value_or(pointer_.y)};
    if (read != pointer_) {
      lines += "mouse " + std::to_string(read.x - start.x) + ' ' + std::to_string(read.y - start.y) +
               '\n';
      pointer_ = read;
    }
  }
  if (readButton_ && *readButton_ != button_) {
    button_ = *readButton_;
    lines += button_ ? "down\n" : "up\n";
  }
  // Every read up to the last one the replay's clock would not give by itself is
  // written out: queued `tick` lines feed the frame's reads in order, and the count
  // runs on from the last of them.
  std::size_t written = 0;
  for (std::size_t i = 0; i < readTicks_.size(); ++i) {
    if (replay_.TickAt(readTicks_[i].ns) == readTicks_[i].value) continue;
    written = i + 1;
    replay_.Anchor(readTicks_[i].value, readTicks_[i].ns);
  }
  for (std::size_t i = 0; i < written; ++i) lines += "tick " + std::to_string(readTicks_[i].value) + '\n';
}

void Recorder::FrameEnded(const rt::FrameWait& sleep) {
  std::string lines;
  AddFrameLines(lines);
  ++framesDone_;
  if (!lines.empty()) {
    if (!tailStart_ && tailCount_ > 0) Write("frames " + std::to_string(tailCount_) + '\n');
    Write(lines);
    tailCount_ = 0;
  }
  ++tailCount_;
  WriteFrameCount();
  if (keep_) {
    keep_();
    kept_ = true;
    keptHeader_ = game::ReportHeader{framesDone_, replay_.TickAt(replay_.Now()), window_.x,
                                     window_.y};
  }
  Sleep(sleep);
  BeginFrame();
}

void Recorder::StillFrames(std::uint64_t count) {
  // Frames that read nothing: the replay runs them on its clock, with the same input.
  if (count == 0) return;
  for (std::uint64_t i = 0; i < count; ++i) {
    Shown();
    Sleep(rt::FrameWait{rt::FrameWait::Kind::kSleep, game::kSleepBeforeFrameMs, 0});
  }
  framesDone_ += count;
  tailCount_ += count;
  WriteFrameCount();
  if (kept_) keptHeader_ = game::ReportHeader{framesDone_, replay_.TickAt(replayPace_.LastEnd()),
                                              window_.x, window_.y};
}

// The file's last line counts the frames since the last change; it is rewritten in
// place as frames go by, so the file is whole after every frame.
void Recorder::WriteFrameCount() {
  if (failed_) return;
  if (tailCount_ == 1) {
    tailStart_ = sink_->End();
  } else if (!tailStart_) {
    return;  // a pipe: the count is written once the frames are followed by more
  } else if (!sink_->Rewind(*tailStart_)) {
    Fail();
    return;
  }
  if (tailStart_) Write("frames " + std::to_string(tailCount_) + '\n');
}

void Recorder::Write(const std::string& text) {
  if (failed_ || !sink_) return;
  if (!sink_->Append(text)) Fail();
}

// The game plays on without its recording; the player hears of it once, and the game
// ends with exit status 1.
void Recorder::Fail() {
  failed_ = true;
  std::fprintf(stderr, "quelmo: the recording stopped: cannot write %s: %s\n", sink_->Name().c_str(),
               sink_->Problem().c_str());
}

void Recorder::GameOver() {
  // The game ended in the middle of a frame, through its close button: the recording
  // ends with the state the game had when that frame began.
  inFrame_ = false;
  if (!tailStart_ && tailCount_ > 0) Write("frames " + std::to_string(tailCount_) + '\n');
  if (kept_ && report_) {
    Write("state\n# state " + report_(keptHeader_));
  }
  if (!sink_->Close() && !failed_) Fail();
}

}  // namespace programs
