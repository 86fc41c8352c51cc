#pragma once
// Recording a game for a bug report: a backend that stands between the game and the
// real one, passes every call on, and writes what the game read from the desktop as a
// quelmo-sim script.  The script replays the game exactly on the headless backend:
//
//   the head (recording_head.h): the options the game was played with, the format and
//   the game's version;
//   then, before each frame whose input differs from what the replay would give by
//   itself: `window X Y`, `mouse X Y`, `down`/`up`, `tick MS` lines; `frames N` between;
//   and, when the game ends through its close button, `state` and `# state {...}`.
//
// The recording always ends with the frames run so far, so a game that crashes or is
// killed still leaves a script that replays up to its last whole frame.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "game/state_report.h"
#include "platform/headless/virtual_clock.h"
#include "platform/platform.h"
#include "programs/common/options.h"
#include "programs/common/recording_sink.h"
#include "runtime/frame_pace.h"

namespace programs {

class Recorder final : public platform::Backend {
 public:
  // Records into `sink` (a file, or memory).
  explicit Recorder(std::unique_ptr<RecordingSink> sink) : sink_(std::move(sink)) {}
  // Opens `path` for writing; null, with `error` saying why, when it cannot be.
  static std::unique_ptr<Recorder> Open(const std::string& path, std::string& error);
  ~Recorder() override = default;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Starts recording the game played on `real` with `options`; the first lines are
  // written once the game has started (FramesBegin) and has chosen its seed.
  void Start(platform::Backend& real, const game::StartOptions& options,
             std::string_view platformName);

  // The game's state: `keep` copies it at the end of every frame, `report` writes
  // the kept copy as a state report when the game ends.
  using KeepState = std::function<void()>;
  using ReportState = std::function<std::string(const game::ReportHeader&)>;
  void SetStateHooks(KeepState keep, ReportState report);

  // What the frame loop tells the recording, with the waits the game handed it: the
  // game's start-up is done and its frames begin after `firstSleep`; a frame is shown
  // (its pacing wait follows); a frame is done (the next one's sleep follows); `count`
  // frames were left out because nothing moved; the close button ended the game (the
  // recording ends with the state of the last whole frame).  The replay's clock waits
  // as the headless backend's would.
  void FramesBegin(const rt::FrameWait& firstSleep);
  void Shown();
  void FrameEnded(const rt::FrameWait& sleep);
  void StillFrames(std::uint64_t count);
  void GameOver();

  // Some of the game could not be written: the recording stopped there.
  bool Lost() const { return failed_; }

  // --- Backend: passed on to the real one, with what the game reads noted ----------
  int DesktopWidth() override { return real_->DesktopWidth(); }
  int DesktopHeight() override { return real_->DesktopHeight(); }
  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> iconBmp) override;
  void CloseWindow() override;
  int WindowLeft() override;
  int WindowTop() override;
  void MoveWindow(int x, int y) override;
  int PointerX() override;
  int PointerY() override;
  bool LeftButtonDown() override;
  void SetDragStrip(int left, int top, int right, int bottom) override {
    real_->SetDragStrip(left, top, right, bottom);
  }
  int PollEvent() override { return real_->PollEvent(); }
  // Keys reach the game only as the pointer and button they move, which are recorded.
  void TakeKeys(std::vector<platform::KeyEvent>& out) override { real_->TakeKeys(out); }
  void PlacePointer(int x, int y) override { real_->PlacePointer(x, y); }
  void KeyButton(bool down) override { real_->KeyButton(down); }
  void Present(const std::uint32_t* pixels, int width, int height,
               platform::RowSpan changed) override {
    real_->Present(pixels, width, height, changed);
  }
  std::uint32_t TickCount() override;
  std::uint32_t TickCountAt(std::uint64_t when) override;
  std::uint64_t Counter() override { return real_->Counter(); }
  std::uint64_t CounterFrequency() override { return real_->CounterFrequency(); }

 private:
  struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
  };
  struct TickRead {
    std::uint32_t value;
    std::uint64_t ns;  // the replay's virtual time at the read
  };

  std::uint32_t NoteTick(std::uint32_t tick);
  void Sleep(const rt::FrameWait& sleep);
  void BeginFrame();
  void AddFrameLines(std::string& lines);
  void Write(const std::string& text);
  void Fail();
  void WriteFrameCount();

  std::unique_ptr<RecordingSink> sink_;
  bool failed_ = false;
  platform::Backend* real_ = nullptr;
  Settings head_;  // the options the game is played with: the seed once it has one
  std::string platformName_;
  KeepState keep_;
  ReportState report_;
  bool kept_ = false;
  game::ReportHeader keptHeader_;

  // The frames: those finished, and the count in the file's last `frames` line.
  std::uint64_t framesDone_ = 0;
  bool inFrame_ = false;
  std::uint64_t tailCount_ = 0;
  std::optional<long> tailStart_;  // where the last line begins, if it can be written again

  // What the replay holds before the frame being played, as the script so far sets it:
  // its virtual clock goes on through the same waits, paced as the game paces itself,
  // and gives the tick count of the start and of the `tick` lines so far.
  platform::VirtualClock replay_;
  rt::FramePace replayPace_;
  bool windowOpen_ = false;
  Point window_;       // where the window is, as far as the game knows
  Point frameWindow_;  // ... and where it was when the frame began
  Point pointer_;      // desktop coordinates
  bool button_ = false;

  // What the game read during the frame being played.
  std::optional<int> readLeft_, readTop_;  // read before the frame moved the window
  bool movedThisFrame_ = false;
  std::optional<int> readPointerX_, readPointerY_;
  std::optional<bool> readButton_;
  std::vector<TickRead> readTicks_;
};

}  // namespace programs
