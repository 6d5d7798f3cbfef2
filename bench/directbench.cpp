// directbench: a direct file render of 8000 x 6000 (the threaded path: the white image,
// one worker per processor, the BMP file written beside its target) against a screen
// render of the same view at 1024 x 768 with the same worker count, in one run. Prints
// "name value unit": the direct render's peak memory above the process's before it, that
// peak over the image's 144 MB, both renders' pixels per second, and their ratio.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "explorer/print/DiskImageSave.h"
#include "explorer/render/DiskRender.h"
#include "tests/support/render/MemorySurface.h"
#include "explorer/render/RenderEngine.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "forms/runtime/Thread.h"

namespace {

const std::int32_t kWidth = 8000, kHeight = 6000;
const std::int32_t kScreenWidth = 1024, kScreenHeight = 768;

class TQuietHost : public IRenderHost {};

double Now() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return double(t.QuadPart) / double(f.QuadPart);
}

// The process's peak working set (resident memory); its value before the direct render
// is the baseline. Every page of the image is written, so all of it is resident.
double PeakResidentBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return double(counters.PeakWorkingSetSize);
}

}  // namespace

int main() {
  Set8087CW(0x133F);
  UseSSE2 = -1;
  MaxIterations = RenderMaxIterations = 1000;
  Bailout = RenderBailout = 4.0L;
  UseMultiThreading = -1;
  HideDrawing = -1;
  ViewLeft = -2.4L;
  ViewTop = 1.2L;
  ViewHeight = 2.4L;
  ViewWidth = 3.2L;
  CpuCount = 8;

  // The screen render first, as the explorer shows the view before it renders it large.
  TMemorySurface surface(kScreenWidth, kScreenHeight);
  TQuietHost host;
  TRenderEngine engine(surface, host);
  double screen = 1e30;
  for (int r = 0; r < 4; ++r) {
    const double start = Now();
    engine.StartRender();
    engine.WaitForWorkers(INFINITE);
    screen = std::min(screen, Now() - start);
    engine.ProgressTick();
  }

  const double before = PeakResidentBytes();
  char folder[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "directbench.bmp";
  const double start = Now();
  TDiskRender disk;
  disk.Prepare(kWidth, kHeight, nullptr, 32);
  disk.MakeImage();
  disk.StartWorkers(nullptr);
  while (!disk.WorkersEnded()) Sleep(1);
  disk.FreeWorkers();
  const double rendered = Now() - start;
  SaveDiskImage(disk.Image(), file);
  disk.DropImage();
  DeleteFileA(file.c_str());
  const double imageBytes = double(kWidth) * kHeight * 3;
  const double peak = PeakResidentBytes() - before;

  const double directRate = double(kWidth) * kHeight / rendered;
  const double screenRate = double(kScreenWidth) * kScreenHeight / screen;
  std::printf("direct_peak_memory %.1f MB\n", peak / 1e6);
  std::printf("direct_peak_over_image %.3f ratio\n", peak / imageBytes);
  std::printf("direct_render %.0f pixels/s\n", directRate);
  std::printf("screen_render %.0f pixels/s\n", screenRate);
  std::printf("direct_over_screen %.3f ratio\n", directRate / screenRate);
  return 0;
}
