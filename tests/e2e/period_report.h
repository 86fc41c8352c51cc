#pragma once
// The one line the pacing probes print: frames, median, 99th percentile and longest
// period in milliseconds, then whatever the probe adds.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <vector>

namespace probe {

inline void PrintPeriods(std::vector<double> periods, const char* more) {
  if (periods.empty()) return;
  std::sort(periods.begin(), periods.end());
  const auto at = [&](double q) {
    return periods[std::min(periods.size() - 1,
                            static_cast<std::size_t>(q * static_cast<double>(periods.size())))];
  };
  std::printf("frames %zu median_ms %.4f p99_ms %.4f max_ms %.4f %s\n", periods.size(), at(0.5),
              at(0.99), periods.back(), more);
}

}  // namespace probe
