// renderbench: the render engine's workers on a 1024 x 768 memory surface with 1000
// iterations, for the default view and a deep view that is mostly interior, at 1, 2, 4
// and 8 workers, against the machine's own parallel efficiency measured in the same run
// (MachineBaseline.h). Prints "name value unit" lines: pixels per second, the efficiency
// (the 1-worker time / (workers x the time)), its ratio to the machine's, and the time the
// engine's fixed costs (wake-up, end detection) add to a render; and the time of a render
// of a view where every point escapes at once, which is little but those costs.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "bench/MachineBaseline.h"
#include "tests/support/render/MemorySurface.h"
#include "explorer/render/RenderEngine.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "forms/runtime/Thread.h"

namespace {

const std::int32_t kWidth = 1024;
const std::int32_t kHeight = 768;
const int kRepeats = 5;  // the fastest of these renders counts
const int kWorkers[] = {1, 2, 4, 8};

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

// Seconds from render start until every worker has left the render.
double RenderSeconds(TRenderEngine& engine) {
  const double start = Now();
  engine.StartRender();
  engine.WaitForWorkers(INFINITE);
  const double seconds = Now() - start;
  engine.ProgressTick();  // collects the workers and presents the image
  return seconds;
}

std::string Name(const char* what, const View& v, int workers) {
  return std::string("render_") + v.Name + what + std::to_string(workers) + "w";
}

}  // namespace

int main() {
  Set8087CW(0x133F);
  UseStartupKernel();
  MaxIterations = 1000;
  Bailout = 4.0L;
  UseMultiThreading = -1;
  HideDrawing = -1;  // no progress flips: the workers' own throughput
  TMemorySurface surface(kWidth, kHeight);
  TQuietHost host;
  TRenderEngine engine(surface, host);
  double machine[9] = {};
  for (const View& v : kViews) {
    ViewLeft = v.Left;
    ViewTop = v.Top;
    ViewHeight = v.Height;
    ViewWidth = v.Height * kWidth / kHeight;
    double baseline = 0;
    for (int workers : kWorkers) {
      CpuCount = workers;
      RenderSeconds(engine);  // the first render with this many workers starts them
      double best = 1e30;
      for (int r = 0; r < kRepeats; ++r) best = std::min(best, RenderSeconds(engine));
      if (workers == 1) baseline = best;
      if (machine[workers] == 0) {
        machine[workers] = workers == 1 ? 1.0 : MachineEfficiency(workers, baseline);
        if (workers > 1)
          PrintFigure(("machine_efficiency_" + std::to_string(workers) + "w").c_str(), machine[workers], "ratio");
      }
      const double efficiency = baseline / (workers * best);
      PrintFigure(Name("_", v, workers).c_str(), kWidth * kHeight / best, "pixels/s");
      if (workers == 1) continue;
      PrintFigure(Name("_efficiency_", v, workers).c_str(), efficiency, "ratio");
      PrintFigure(Name("_vs_machine_", v, workers).c_str(), efficiency / machine[workers], "ratio");
      // What the render takes beyond the machine's own time for the same work.
      const double ideal = baseline / (workers * machine[workers]);
      PrintFigure(Name("_fixed_cost_", v, workers).c_str(), (best - ideal) * 1000, "ms");
    }
  }
  // The engine's fixed costs alone: a view where every point escapes at once.
  ViewLeft = 100.0L;
  ViewTop = 100.0L;
  ViewHeight = 1.0L;
  ViewWidth = ViewHeight * kWidth / kHeight;
  for (int workers : kWorkers) {
    CpuCount = workers;
    RenderSeconds(engine);
    double best = 1e30;
    for (int r = 0; r < kRepeats; ++r) best = std::min(best, RenderSeconds(engine));
    PrintFigure(("render_escaping_" + std::to_string(workers) + "w").c_str(), best * 1000, "ms");
  }
  return 0;
}
