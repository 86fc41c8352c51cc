#include "programs/common/play_loop.h"

#include "game/state_report.h"
#include "runtime/window.h"

namespace programs {

void StartRecording(Recorder& recorder, game::Game& game, platform::Backend& real,
                    const game::StartOptions& options, std::string_view platformName) {
  static game::Game* recorded = nullptr;
  static game::GameState kept;  // the state at the end of the last whole frame
  recorded = &game;
  recorder.Start(real, options, platformName);
  recorder.SetStateHooks([] { kept = recorded->State(); },
                         [](const game::ReportHeader& header) {
                           return game::StateReport(header, kept);
                         });
  platform::SetBackend(&recorder);
}

std::optional<NextWake> PlayLoop::Start(const game::StartOptions& options) {
  const rt::FrameWait firstSleep = game_.Start(options);
  if (rt::MainWindowHandle(1) == 0) return std::nullopt;
  if (recorder_ != nullptr) recorder_->FramesBegin(firstSleep);
  return NextWake{NextWake::Kind::kAt, firstSleep.until, 0};
}

NextWake PlayLoop::Frame() {
  keys_.BeforeFrame(backend_, game_.State());
  for (;;) {
    const game::FrameStop stop = game_.Run();
    switch (stop.kind) {
      case game::FrameStop::Kind::kShown:
        // The frame's last steps run at once, with the tick count of its deadline:
        // the frame wakes the platform once, after its sleep.
        if (recorder_ != nullptr) recorder_->Shown();
        break;
      case game::FrameStop::Kind::kFrameEnd:
        if (recorder_ != nullptr) recorder_->FrameEnded(stop.wait);
        end_ = stop;
        if (stop.still) return NextWake{NextWake::Kind::kInput, 0, 0};
        return NextWake{NextWake::Kind::kAt, stop.wait.until, 0};
      case game::FrameStop::Kind::kGameOver:
        if (recorder_ == nullptr) return NextWake{NextWake::Kind::kOver, 0, 0};
        recorder_->GameOver();
        // A game whose recording was lost says so in its exit status.
        return NextWake{NextWake::Kind::kOver, 0, recorder_->Lost() ? 1 : 0};
    }
  }
}

NextWake PlayLoop::InputCame(std::uint64_t now) {
  const std::uint64_t passed = game_.PassStillFrames(end_, now);
  if (recorder_ != nullptr) recorder_->StillFrames(passed);
  // The frame due next runs at once, unless the input came before it was due.
  return NextWake{NextWake::Kind::kAt, end_.wait.until, 0};
}

}  // namespace programs
