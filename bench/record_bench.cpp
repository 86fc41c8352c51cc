// What recording a game (quelmo --record) adds to each frame: the calls one frame of
// the game makes on the seam, passed through the recorder to the headless backend,
// with the state kept and the file written and flushed as in a recorded game.  `idle`
// only rewrites the frame count; `moving` writes a pointer line every frame.
//
//   build/release/bench/quelmo-bench --benchmark_filter=RecordedFrame
//       --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "game/state.h"
#include "platform/headless/headless_backend.h"
#include "programs/common/recorder.h"
#include "game/game.h"
#include "runtime/frame_pace.h"

namespace {

game::GameState g_game, g_kept;

void RecordedFrame(benchmark::State& state, bool moving) {
  platform::HeadlessBackend backend;
  backend.SetCaptureFrames(false);
  const std::string path =
      (std::filesystem::temp_directory_path() / "quelmo-bench-recording.sim").string();
  std::string error;
  std::unique_ptr<programs::Recorder> recorder = programs::Recorder::Open(path, error);
  if (!recorder) {
    state.SkipWithError(error.c_str());
    return;
  }
  recorder->Start(backend, game::StartOptions{1}, "bench");
  recorder->SetStateHooks([] { g_kept = g_game; },
                          [](const game::ReportHeader&) { return std::string(); });
  recorder->OpenWindow(192, 144, 640, 480, "Quelmo", {});
  // The frame's two waits, on the virtual clock, as the frame loop carries them out.
  constexpr std::uint32_t kSleep = game::kSleepBeforeFrameMs;
  const auto sleepFromNow = [&backend] {
    return rt::FrameWait{rt::FrameWait::Kind::kSleep, kSleep,
                         rt::SleepEnd(backend.Counter(), kSleep, backend.CounterFrequency())};
  };
  rt::FrameWait sleep = sleepFromNow();
  recorder->FramesBegin(sleep);
  const std::vector<std::uint32_t> pixels(640 * 480);
  rt::FramePace pace(backend.CounterFrequency(), game::kFramePaceRate);
  int step = 0;
  for (auto _ : state) {
    backend.WaitUntil(sleep.until);
    benchmark::DoNotOptimize(recorder->PollEvent());
    if (moving) backend.SetPointerOnDesktop(200 + (++step % 300), 300);
    benchmark::DoNotOptimize(recorder->PointerX() - recorder->WindowLeft());
    benchmark::DoNotOptimize(recorder->PointerY() - recorder->WindowTop());
    benchmark::DoNotOptimize(recorder->LeftButtonDown());
    recorder->Present(pixels.data(), 640, 480, platform::RowSpan{});
    recorder->Shown();
    const std::uint64_t deadline = pace.WaitEnd(backend.Counter());
    backend.WaitUntil(deadline);
    benchmark::DoNotOptimize(recorder->TickCountAt(deadline));
    sleep = sleepFromNow();
    recorder->FrameEnded(sleep);
  }
  recorder.reset();
  std::filesystem::remove(path);
}
BENCHMARK_CAPTURE(RecordedFrame, idle, false);
BENCHMARK_CAPTURE(RecordedFrame, moving, true);

}  // namespace
