// The enlargement of a shown frame: what a desktop backend does to a changed frame
// before handing it to the desktop, at the factors a player can have.  Factor 1 is the
// plain copy of an unscaled window, the baseline.  Rows: every row of the frame changed
// (the worst case: a new level, the menu), and the 384 rows of the field (water).
//
//   build/release/bench/quelmo-bench --benchmark_filter=Enlarge
//       --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/scaling.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void BM_EnlargeFrame(benchmark::State& state) {
  const int factor = static_cast<int>(state.range(0));
  const int rows = static_cast<int>(state.range(1));
  std::vector<std::uint32_t> frame(kWidth * kHeight);
  for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint32_t>(i * 2654435761u) >> 8;
  // A window surface's rows, as SDL and a DIB section lay them out.
  const std::ptrdiff_t pitch = kWidth * factor;
  std::vector<std::uint32_t> window(static_cast<std::size_t>(pitch) * kHeight * factor);
  const platform::RowSpan changed{(kHeight - rows) / 2, rows};
  for (auto _ : state) {
    platform::EnlargeRows(frame.data(), kWidth, changed, factor, window.data(), pitch);
    benchmark::DoNotOptimize(window.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EnlargeFrame)
    ->ArgNames({"factor", "rows"})
    ->ArgsProduct({{1, 2, 3, 4}, {480, 384}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
