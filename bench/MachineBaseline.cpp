// The machine baseline declared in MachineBaseline.h. Every call iterates points inside
// the main cardioid, so each runs all its iterations and every thread's share costs the
// same. The threads start first and wait for one event; only the work is timed, up to
// the moment the last thread says it is done (not its exit).
#include "bench/MachineBaseline.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "explorer/app/KernelChoice.h"
#include "explorer/render/RenderSettings.h"
#include "forms/runtime/Thread.h"
#include "kernels/itercore.h"

namespace {

constexpr std::uint32_t kIterations = 1000;
constexpr int kRepeats = 3;

volatile std::uint32_t gSink;

// One kernel call with the switches in force, over points of the cardioid's interior.
std::uint32_t KernelCall(std::uint32_t i) {
  const double re = -0.4 + 0.3 * double(i % 64) / 64, im = -0.2 + 0.4 * double(i % 97) / 97;
  std::int32_t out[4] = {};
  if (UseSSE2) {
    iterate_SSE2(&out[0], &out[1], re, re + 0.01, im, 0, 0, 0, 4, kIterations);
  } else if (UseSSE) {
    const float r = float(re), m = float(im);
    iterate_SSE(&out[0], &out[1], &out[2], &out[3], r, r + 0.01f, r + 0.02f, r + 0.03f, m, 0, 0, 0, 0, 0,
                4, kIterations);
  } else if (Use3DNow) {
    iterate_3DNOW(&out[0], &out[1], float(re), float(re + 0.01), float(im), 0, 0, 0, 4, kIterations);
  } else {
    out[0] = std::int32_t(iterate_FPU(re, im, 0, 0, 4, kIterations));
  }
  return std::uint32_t(out[0]);
}

struct TShare {
  HANDLE Start;
  HANDLE Done;
  std::uint32_t Calls;
};

unsigned RunShare(void* p) {
  const TShare& share = *static_cast<TShare*>(p);
  WaitForSingleObject(share.Start, INFINITE);
  std::uint32_t sum = 0;
  for (std::uint32_t i = 0; i < share.Calls; ++i) sum += KernelCall(i);
  gSink = sum;
  SetEvent(share.Done);
  return 0;
}

// Wall seconds for `threads` threads of `calls` kernel calls each.
double ParallelSeconds(int threads, std::uint32_t calls) {
  HANDLE start = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::vector<TShare> shares(std::size_t(threads), TShare{start, nullptr, calls});
  std::vector<HANDLE> done, handles;
  for (TShare& s : shares) {
    s.Done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    done.push_back(s.Done);
    handles.push_back(BeginThread(&RunShare, &s));
  }
  Sleep(50);  // every thread waits at the start line
  const double t0 = Now();
  SetEvent(start);
  WaitForMultipleObjects(DWORD(done.size()), done.data(), TRUE, INFINITE);
  const double seconds = Now() - t0;
  WaitForMultipleObjects(DWORD(handles.size()), handles.data(), TRUE, INFINITE);
  for (HANDLE h : handles) CloseHandle(h);
  for (HANDLE h : done) CloseHandle(h);
  CloseHandle(start);
  return seconds;
}

double Best(int threads, std::uint32_t calls) {
  double best = 1e30;
  for (int r = 0; r < kRepeats; ++r) best = std::min(best, ParallelSeconds(threads, calls));
  return best;
}

}  // namespace

double Now() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return double(t.QuadPart) / double(f.QuadPart);
}

void UseStartupKernel() {
  const TKernelSwitches k = StartingKernelSwitches(DetectProcessorFeatures());
  UseSSE2 = k.UseSSE2;
  UseSSE = k.UseSSE;
  Use3DNow = k.Use3DNow;
}

double MachineEfficiency(int threads, double singleSeconds) {
  // The total work: as many calls as one thread makes in about singleSeconds.
  const std::uint32_t probe = 2000;
  const double perCall = ParallelSeconds(1, probe) / probe;
  const std::uint32_t total =
      std::max<std::uint32_t>(std::uint32_t(threads), std::uint32_t(singleSeconds / perCall));
  const std::uint32_t share = total / std::uint32_t(threads);
  const double one = Best(1, share * std::uint32_t(threads));
  return one / (threads * Best(threads, share));
}
