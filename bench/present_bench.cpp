// A changed frame shown in the real window, enlarged: the backend's whole present, from
// the finished frame to the X server having taken it (SDL waits for the server to take
// each update).  Every frame differs from the one before in all its rows: the worst
// case.  Needs an X display large enough for the factor (skipped without one), for
// example a virtual one that does not reset between the benchmarks' connections:
//
//   Xvfb :57 -screen 0 2560x1600x24 -noreset &
//   DISPLAY=:57 build/release/bench/quelmo-bench --benchmark_filter=PresentToWindow
//       --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/sdl/sdl_backend.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void BM_PresentToWindow(benchmark::State& state) {
  const int factor = static_cast<int>(state.range(0));
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("needs an X display (Xvfb will do)");
    return;
  }
  auto backend = platform::MakeSdlBackend({factor, kWidth, kHeight});
  if (!backend || !backend->OpenWindow(0, 0, kWidth, kHeight, "Quelmo", {})) {
    state.SkipWithError("cannot open a window");
    return;
  }
  std::vector<std::uint32_t> frames[2];
  for (int k = 0; k < 2; ++k) {
    frames[k].resize(kWidth * kHeight);
    for (std::size_t i = 0; i < frames[k].size(); ++i) {
      frames[k][i] = static_cast<std::uint32_t>((i + k * 977) * 2654435761u) >> 8;
    }
  }
  backend->Present(frames[1].data(), kWidth, kHeight, platform::RowSpan{0, kHeight});
  int shown = 0;
  for (auto _ : state) {
    shown ^= 1;
    backend->Present(frames[shown].data(), kWidth, kHeight, platform::RowSpan{0, kHeight});
  }
  backend->CloseWindow();
}
BENCHMARK(BM_PresentToWindow)->ArgName("factor")->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
