#pragma once
// Recording a game for a bug report: a backend that stands between the game and the
// real one, passes every call on, and writes what the game read from the desktop as a
// quelmo-sim script.  The script replays the game exactly on the headless backend:
//
//   # options: --seed N --tick-start MS --desktop W H
//   # quelmo VERSION PLATFORM
//   then, before each frame whose input differs from what the replay would give by
//   itself: `window X Y`, `mouse X Y`, `down`/`up`, `tick MS` lines; `frames N` between;
//   and, when the game ends through its close button, `state` and `# state {...}`.
//
// The file always ends with the frames run so far, so a game that crashes or is killed
// still leaves a script that replays up to its last whole frame.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "game/state_report.h"
#include "platform/platform.h"
#include "runtime/frame_pace.h"

namespace programs {

class Recorder final : public platform::Backend {
 public:
  // Opens `path` for writing; null, with `error` saying why, when it cannot be.
  static std::unique_ptr<Recorder> Open(const std::string& path, std::string& error);
  ~Recorder() override;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Starts recording the game played on `real` with `options` and writes the first
  // lines.  Returns the seed the game must use: the one given, else the tick count, as
  // the game's own.
  std::uint32_t Start(platform::Backend& real, const game::StartOptions& options,
                      std::string_view platformName);

  // The game's state: `keep` copies it at the end of every frame, `report` writes
  // the kept copy as a state report when the game ends.
  using KeepState = std::function<void()>;
  using ReportState = std::function<void(std::ostream&, const game::ReportHeader&)>;
  void SetStateHooks(KeepState keep, ReportState report);

  // What the frame loop tells the recording: the game's start-up is done and its
  // frames begin; one of a frame's waits is over; a whole frame is done; the close
  // button ended the game (the recording ends with the state of the last whole frame).
  void FramesBegin();
  void Waited(const rt::FrameWait& wait);
  void FrameEnded();
  void GameOver();

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
  void Present(const std::uint32_t* pixels, int width, int height,
               platform::RowSpan changed) override {
    real_->Present(pixels, width, height, changed);
  }
  std::uint32_t TickCount() override;
  std::uint64_t Counter() override { return real_->Counter(); }
  std::uint64_t CounterFrequency() override { return real_->CounterFrequency(); }

 private:
  struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
  };
  // The tick count the replay gives by itself: the start's count on the virtual clock
  // until a `tick` line, then the count of the last `tick` line running on from there.
  struct TickClock {
    bool anchored = false;
    std::uint32_t tick = 0;
    std::uint64_t ns = 0;
  };
  struct TickRead {
    std::uint32_t value;
    std::uint64_t ns;  // the replay's virtual time at the read
  };

  Recorder(std::FILE* file, std::string path);
  std::uint32_t ReplayTick(const TickClock& clock, std::uint64_t ns) const;
  void BeginFrame();
  void AddFrameLines(std::string& lines);
  void Write(const std::string& text);
  void WriteFrameCount();

  std::FILE* file_;
  std::string path_;
  bool seekable_ = false;
  bool failed_ = false;
  platform::Backend* real_ = nullptr;
  KeepState keep_;
  ReportState report_;
  bool kept_ = false;
  game::ReportHeader keptHeader_;

  // The frames: those finished, and the count in the file's last `frames` line.
  std::uint64_t framesDone_ = 0;
  bool inFrame_ = false;
  std::uint64_t tailCount_ = 0;
  long tailStart_ = 0;

  // What the replay holds before the frame being played, as the script so far sets it:
  // its virtual clock goes on through the same waits, paced as the game paces itself.
  std::uint32_t tickStart_ = 0;
  std::uint64_t virtualNs_ = 0;
  rt::FramePace replayPace_;
  TickClock clock_;
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
