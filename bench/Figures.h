// How every benchmark takes and prints its figures: the fastest of several runs, and one
// "name value unit" line each.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

// Seconds of the fastest of `repeats` runs.
inline double BestSeconds(int repeats, const std::function<void()>& run) {
  double best = 1e30;
  for (int r = 0; r < repeats; ++r) {
    const auto t0 = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
    best = std::min(best, d.count());
  }
  return best;
}

inline void PrintFigure(const char* name, double value, const char* unit) {
  std::printf("%s %.4g %s\n", name, value, unit);
  std::fflush(stdout);
}
