// renderbench: the render engine's workers on a 1024 x 768 memory surface with 1000
// iterations, for the default view and a deep view that is mostly interior, at 1, 2, 4
// and 8 workers. Prints "render <view> <workers> <pixels/s> <efficiency>" per run, the
// efficiency being the 1-worker time / (workers x the time with that many workers).
#include <cpuid.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "MemorySurface.h"
#include "RenderEngine.h"
#include "RenderSettings.h"
#include "RenderState.h"
#include "forms/Thread.h"

namespace {

const std::int32_t kWidth = 1024;
const std::int32_t kHeight = 768;
const int kRepeats = 5;  // the fastest of these renders counts

struct View {
  const char* Name;
  long double Left, Top, Height;
};

// The start-up view, and a 64x zoom into the neck between the main cardioid and the
// period-2 bulb where about four pixels in five are inside the set.
const View kViews[] = {
    {"default", -2.4L, 1.2L, 2.4L},
    {"deep", -0.775L, 0.07875L, 0.0375L},
};

class TQuietHost : public IRenderHost {};

double Now() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return double(t.QuadPart) / double(f.QuadPart);
}

// Seconds from render start until every worker has left the render.
double RenderSeconds(TRenderEngine& engine) {
  const double start = Now();
  engine.StartRender();
  engine.WaitForWorkers(INFINITE);
  const double seconds = Now() - start;
  engine.ProgressTick();  // collects the workers and presents the image
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
  MaxIterations = 1000;
  Bailout = 4.0L;
  UseMultiThreading = -1;
  HideDrawing = -1;  // no progress flips: the workers' own throughput
  TMemorySurface surface(kWidth, kHeight);
  TQuietHost host;
  TRenderEngine engine(surface, host);
  for (const View& v : kViews) {
    ViewLeft = v.Left;
    ViewTop = v.Top;
    ViewHeight = v.Height;
    ViewWidth = v.Height * kWidth / kHeight;
    double baseline = 0;
    for (std::int32_t workers : {1, 2, 4, 8}) {
      CpuCount = workers;
      RenderSeconds(engine);  // the first render with this many workers starts them
      double best = 1e30;
      for (int r = 0; r < kRepeats; ++r) best = std::min(best, RenderSeconds(engine));
      if (workers == 1) baseline = best;
      std::printf("render %s %d %.0f %.3f\n", v.Name, workers, kWidth * kHeight / best,
                  baseline / (workers * best));
      std::fflush(stdout);
    }
  }
  return 0;
}
