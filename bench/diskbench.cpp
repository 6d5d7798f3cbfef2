// diskbench: the disk render's workers filling a 2048 x 1536 image of the default view
// with 1000 iterations, at 1, 2, 4 and 8 workers. Prints "name value unit" lines: the
// pixels per second at each worker count and the speed-up of each over one worker.
#include <cpuid.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "DiskImage.h"
#include "DiskRenderState.h"
#include "DiskWorkers.h"
#include "RenderSettings.h"
#include "RenderState.h"
#include "forms/Thread.h"

namespace {

const std::int32_t kWidth = 2048;
const std::int32_t kHeight = 1536;
const int kRepeats = 3;  // the fastest of these renders counts

double Now() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return double(t.QuadPart) / double(f.QuadPart);
}

// Seconds from the image's allocation until every worker has ended, as a direct render
// pays them: the white image, the threads' start and end, the rows.
double RenderSeconds() {
  const double start = Now();
  DiskImage = new TDiskImage(kWidth, kHeight);
  StartDiskWorkers();
  while (!DiskWorkersEnded()) Sleep(1);
  FreeDiskWorkers();
  const double seconds = Now() - start;
  delete DiskImage;
  DiskImage = nullptr;
  return seconds;
}

// The kernel start-up chooses by the processor: SSE, else 3DNow!, else the x87.
void ChooseStartupKernel() {
  unsigned a, b, c, d;
  bool sse = false, amd3dnow = false;
  if (__get_cpuid(1, &a, &b, &c, &d)) sse = (d >> 25) & 1;
  if (__get_cpuid(0x80000000u, &a, &b, &c, &d) && a > 0x80000000u &&
      __get_cpuid(0x80000001u, &a, &b, &c, &d))
    amd3dnow = (d >> 31) & 1;
  UseSSE = sse ? -1 : 0;
  Use3DNow = amd3dnow && !sse ? -1 : 0;
  UseSSE2 = 0;
}

}  // namespace

int main() {
  Set8087CW(0x133F);
  ChooseStartupKernel();
  RenderMaxIterations = 1000;
  RenderBailout = 4.0L;
  ViewLeft = -2.4L;
  ViewTop = 1.2L;
  ViewHeight = 2.4L;
  ViewWidth = 3.2L;
  SetDiskRenderSize(kWidth, kHeight);
  double baseline = 0;
  for (std::int32_t workers : {1, 2, 4, 8}) {
    CpuCount = workers;
    double best = 1e30;
    for (int r = 0; r < kRepeats; ++r) best = std::min(best, RenderSeconds());
    if (workers == 1) baseline = best;
    std::printf("disk_render_%dw %.0f pixels/s\n", workers, kWidth * kHeight / best);
    std::printf("disk_speedup_%dw %.2f x\n", workers, baseline / best);
    std::fflush(stdout);
  }
  return 0;
}
