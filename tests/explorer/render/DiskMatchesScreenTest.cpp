// A disk render at the display's size is the display's picture: the screen render on a
// 32-bit memory surface and the disk workers, as many as the screen's, give the same
// colour to every pixel, in the default view and in a view deep enough that the x87
// kernel's rows lie some tens of units of the last place apart.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>

#include "explorer/render/DiskCalcThread.h"
#include "explorer/render/DiskImage.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/DiskWorkers.h"
#include "tests/explorer/render/EngineTestSupport.h"

namespace {

struct MatchCase {
  const char* Name;
  long double Left, Top, Height;
  std::int32_t MaxIterations;
};

const MatchCase MatchCases[] = {
    {"DefaultView", -2.4L, 1.2L, 2.4L, 150},
    // Around the tip c = i at a height of 3e-15: a pixel is some 46 units of the last
    // place of the extended mantissa, so the way rows are reached shows.
    {"DeepX87View", -2e-15L, 1.0L + 1.5e-15L, 3e-15L, 2000},
};

class DiskMatchesScreen : public EngineFixture, public ::testing::WithParamInterface<MatchCase> {
protected:
  ~DiskMatchesScreen() override {
    CancelDiskWorkers();
    FreeDiskWorkers();
    delete DiskImage;
    DiskImage = nullptr;
  }
};

TEST_P(DiskMatchesScreen, PixelForPixelAtTheDisplaysSize) {
  const MatchCase& c = GetParam();
  const std::int32_t width = 800, height = 600;
  ViewLeft = c.Left;
  ViewTop = c.Top;
  ViewHeight = c.Height;
  ViewWidth = c.Height * width / height;
  MaxIterations = c.MaxIterations;
  CpuCount = 8;

  TMemorySurface surface(width, height, 32);
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  RunWorkers(engine, 120000);
  ASSERT_EQ(RenderKernel, TRenderKernel::FPU);

  SetDiskRenderSize(width, height);
  TakeDiskColors(surface.Table, 32);
  DiskImage = new TDiskImage(width, height);
  StartDiskWorkers();
  const DWORD start = GetTickCount();
  while (!DiskWorkersEnded() && GetTickCount() - start < 120000) Sleep(5);
  ASSERT_TRUE(DiskWorkersEnded()) << "the disk render did not finish";
  FreeDiskWorkers();

  int differing = 0;
  std::set<std::int32_t> counts;
  std::string first;
  for (std::int32_t y = 0; y < height; ++y) {
    const std::uint8_t* line = DiskImage->ScanLine(y);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint8_t* p = line + 3 * x;
      const std::uint32_t disk = p[0] | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
      const std::uint32_t screen = surface.Pixel(x, y) & 0xFFFFFF;
      counts.insert(IterBuffer[std::size_t(y) * width + x]);
      if (disk == screen) continue;
      if (differing++ == 0)
        first = "row " + std::to_string(y) + " column " + std::to_string(x);
    }
  }
  EXPECT_EQ(differing, 0) << "first at " << first;
  EXPECT_GT(counts.size(), 20u) << "the view shows the set's boundary";
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskMatchesScreen, ::testing::ValuesIn(MatchCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
