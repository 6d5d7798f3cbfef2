// diskbench: the disk render's workers filling 24-bit images of the default view with
// 1000 iterations: 2048 x 1536 at 1, 2, 4 and 8 workers and 8000 x 6000 at 1 and 8 (and
// 8 x 8, whose time is little but the threads' start and end),
// against the machine's own parallel efficiency measured in the same run
// (MachineBaseline.h). Prints "name value unit" lines: pixels per second, the efficiency
// (the 1-worker time / (workers x the time)), its ratio to the machine's, and the time a
// render takes beyond the machine's for the same work (image, threads' start and end).
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "explorer/render/DiskRender.h"
#include "bench/MachineBaseline.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "forms/runtime/Thread.h"

namespace {

struct Size {
  std::int32_t Width, Height;
  std::vector<int> Workers;
  int Repeats;  // the fastest of these renders counts
};

const Size kSizes[] = {
    {8, 8, {1, 8}, 5},  // little but the threads' start and end
    {2048, 1536, {1, 2, 4, 8}, 3},
    {8000, 6000, {1, 8}, 2},
};

// Seconds from the image's allocation until every worker has ended, as a direct render
// pays them: the white image, the threads' start and end, the rows.
double RenderSeconds(TDiskRender& disk) {
  const double start = Now();
  disk.MakeImage();
  disk.StartWorkers(nullptr);
  while (!disk.WorkersEnded()) Sleep(1);
  disk.FreeWorkers();
  const double seconds = Now() - start;
  disk.DropImage();
  return seconds;
}

std::string Name(const char* what, const Size& s, int workers) {
  return "disk_" + std::to_string(s.Width) + "x" + std::to_string(s.Height) + what +
         std::to_string(workers) + "w";
}

}  // namespace

int main() {
  Set8087CW(0x133F);
  UseStartupKernel();
  RenderMaxIterations = 1000;
  RenderBailout = 4.0L;
  ViewLeft = -2.4L;
  ViewTop = 1.2L;
  ViewHeight = 2.4L;
  ViewWidth = 3.2L;
  TDiskRender disk;
  for (const Size& s : kSizes) {
    disk.Prepare(s.Width, s.Height, nullptr, 32);
    double baseline = 0;
    for (int workers : s.Workers) {
      CpuCount = workers;
      double best = 1e30;
      for (int r = 0; r < s.Repeats; ++r) best = std::min(best, RenderSeconds(disk));
      if (workers == 1) baseline = best;
      PrintFigure(Name("_", s, workers).c_str(), double(s.Width) * s.Height / best, "pixels/s");
      PrintFigure(Name("_time_", s, workers).c_str(), best * 1000, "ms");
      if (workers == 1) continue;
      const double machine = MachineEfficiency(workers, std::min(baseline, 2.0));
      const double efficiency = baseline / (workers * best);
      PrintFigure(("machine_efficiency_" + std::to_string(workers) + "w").c_str(), machine, "ratio");
      PrintFigure(Name("_efficiency_", s, workers).c_str(), efficiency, "ratio");
      PrintFigure(Name("_vs_machine_", s, workers).c_str(), efficiency / machine, "ratio");
      PrintFigure(Name("_fixed_cost_", s, workers).c_str(), (best - baseline / (workers * machine)) * 1000,
                  "ms");
    }
  }
  return 0;
}
