// Repeated runs and their spread: on a machine shared with other work the fastest run is the best
// estimate of the player's own cost.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace velmorant::bench {

inline benchmark::internal::Benchmark* Repeated(benchmark::internal::Benchmark* b,
                                                int repetitions = 5) {
  return b->Unit(benchmark::kMillisecond)
      ->Repetitions(repetitions)
      ->ReportAggregatesOnly(true)
      ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
      });
}

}  // namespace velmorant::bench
