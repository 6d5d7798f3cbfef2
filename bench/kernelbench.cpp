// kernelbench: point-iterations per second of each kernel this processor can run, on a
// grid of points inside the Mandelbrot set (every call runs maxiter iterations), and the
// ratio of one iteration's time to the dependency-chain limit measured in the same run.
// Prints "name value unit" lines per kernel; the processor's features are the explorer's
// own detection.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/Figures.h"
#include "explorer/app/KernelChoice.h"
#include "bench/chain_limits.h"
#include "kernels/itercore.h"

namespace {

const int kGrid = 64;            // kGrid x kGrid points
const uint32_t kMaxIter = 4000;  // iterations per call: every point is inside
const int kRepeats = 5;          // the best of these runs counts

// Inside the main cardioid, away from its boundary: no orbit escapes.
double gridRe(int x) { return -0.45 + 0.6 * x / (kGrid - 1); }
double gridIm(int y) { return -0.3 + 0.6 * y / (kGrid - 1); }

volatile double gSink;  // keeps results alive
volatile uint64_t gCountSink;

struct Bench {
  const char* name;
  int points;                                // per call
  std::function<uint64_t()> runGrid;         // one pass over the grid; returns a count sum
  std::function<double(uint64_t)> runChain;  // `steps` chain steps
};

uint64_t gridFPU() {
  uint64_t sum = 0;
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; ++x) sum += iterate_FPU(gridRe(x), gridIm(y), 0, 0, 4, kMaxIter);
  return sum;
}

uint64_t gridSSE2() {
  uint64_t sum = 0;
  int32_t a, b;
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; x += 2) {
      iterate_SSE2(&a, &b, gridRe(x), gridRe(x + 1), gridIm(y), 0, 0, 0, 4, kMaxIter);
      sum += uint32_t(a) + uint32_t(b);
    }
  return sum;
}

uint64_t gridSSE() {
  uint64_t sum = 0;
  int32_t o[4];
  auto f = [](double v) { return static_cast<float>(v); };
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; x += 4) {
      iterate_SSE(&o[0], &o[1], &o[2], &o[3], f(gridRe(x)), f(gridRe(x + 1)), f(gridRe(x + 2)),
                  f(gridRe(x + 3)), f(gridIm(y)), 0, 0, 0, 0, 0, 4, kMaxIter);
      sum += uint32_t(o[0]) + uint32_t(o[1]) + uint32_t(o[2]) + uint32_t(o[3]);
    }
  return sum;
}

uint64_t grid3DNow() {
  uint64_t sum = 0;
  int32_t a, b;
  auto f = [](double v) { return static_cast<float>(v); };
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; x += 2) {
      iterate_3DNOW(&a, &b, f(gridRe(x)), f(gridRe(x + 1)), f(gridIm(y)), 0, 0, 0, 4, kMaxIter);
      sum += uint32_t(a) + uint32_t(b);
    }
  return sum;
}

void measure(const Bench& b) {
  const uint64_t calls = uint64_t(kGrid) * kGrid / b.points;
  const uint64_t groupIterations = calls * kMaxIter;  // every call runs kMaxIter iterations
  const double kernelSeconds = BestSeconds(kRepeats, [&] { gCountSink = b.runGrid(); });
  const double chainSeconds = BestSeconds(kRepeats, [&] { gSink = b.runChain(groupIterations); });
  const double pointIterationsPerSecond = double(groupIterations) * b.points / kernelSeconds;
  PrintFigure((std::string("kernel_") + b.name).c_str(), pointIterationsPerSecond, "point-iterations/s");
  PrintFigure((std::string("kernel_") + b.name + "_vs_chain").c_str(), kernelSeconds / chainSeconds, "ratio");
}

}  // namespace

int main() {
  const TProcessorFeatures features = DetectProcessorFeatures();
  const bool sse = features.HasSSE != 0, sse2 = features.HasSSE2 != 0, amd3DNow = features.Has3DNow != 0;

  measure({"iterate_FPU", 1, gridFPU, [](uint64_t n) { return double(chainFPU(n)); }});
  const Bench vector[] = {
      {"iterate_SSE2", 2, gridSSE2, [](uint64_t n) { return chainSSE2(n); }},
      {"iterate_SSE", 4, gridSSE, [](uint64_t n) { return double(chainSSE(n)); }},
      {"iterate_3DNOW", 2, grid3DNow, [](uint64_t n) { return double(chain3DNow(n)); }},
  };
  const bool runnable[] = {sse2, sse, amd3DNow};
  const char* missing[] = {"SSE2", "SSE", "3DNow!"};
  for (int k = 0; k < 3; ++k) {
    if (runnable[k])
      measure(vector[k]);
    else
      std::fprintf(stderr, "kernel %s skipped: this processor has no %s\n", vector[k].name, missing[k]);
  }
  return 0;
}
