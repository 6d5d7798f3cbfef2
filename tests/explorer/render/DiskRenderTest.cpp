// The disk render's workers under wine: images of odd sizes on 1 to 8 workers against the
// reference colouring of the kernels' counts on each worker count's row steps, progress posted
// per row, heights below the worker count, width 0, Cancel within one kernel call, and
// the image's allocation and its clear error for sizes that cannot be had.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "explorer/render/DiskCalcThread.h"
#include "explorer/render/DiskImage.h"
#include "explorer/render/DiskPixelGroup.h"
#include "tests/explorer/render/DiskTestSupport.h"
#include "explorer/render/DiskWorkers.h"
#include "tests/support/TestSupport.h"
#include "forms/core/SysUtils.h"

namespace {

using Pixels = std::vector<std::uint8_t>;  // rows top-down, 3 bytes per pixel, unpadded

class DiskRender : public DiskFixture {
protected:
  DiskRender() {
    Set8087CW(ExplorerControlWord);  // the word every worker starts with
    Progress = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                               nullptr);
  }
  ~DiskRender() override {
    CancelDiskWorkers();
    FreeDiskWorkers();
    delete DiskImage;
    DiskImage = nullptr;
    DiskProgressBar = nullptr;
    if (Progress) DestroyWindow(Progress);
  }

  // Renders the current view at width x height on `workers` workers and returns the image.
  Pixels Render(std::int32_t width, std::int32_t height, std::int32_t workers) {
    SetDiskRenderSize(width, height);
    delete DiskImage;
    DiskImage = new TDiskImage(width, height);
    CpuCount = workers;
    StartDiskWorkers();
    EXPECT_EQ(DiskThreads.size(), std::size_t(workers));
    const DWORD start = GetTickCount();
    while (!DiskWorkersEnded() && GetTickCount() - start < 60000) Sleep(1);
    EXPECT_TRUE(DiskWorkersEnded()) << "the render did not finish";
    FreeDiskWorkers();
    return Copy();
  }

  static Pixels Copy() {
    const std::size_t row = std::size_t(DiskImage->Width()) * 3;
    Pixels p(row * std::size_t(DiskImage->Height()));
    for (std::int32_t y = 0; y < DiskImage->Height(); ++y)
      if (row) std::memcpy(&p[y * row], DiskImage->ScanLine(y), row);
    return p;
  }

  // The image as the workers of the last render (CpuCount) must make it, from the kernels
  // called point by point.
  static Pixels Reference() {
    const bool subpixels = Subpixels4X != 0;
    std::vector<long double> xs(static_cast<std::size_t>(DiskWidth));
    for (std::int32_t c = 0; c < DiskWidth; ++c) xs[c] = DiskColumnX(c);
    Pixels p(std::size_t(DiskWidth) * 3 * std::size_t(DiskHeight));
    for (std::int32_t r = 0; r < DiskHeight; ++r) {
      const long double y = ReferenceRowY(r, CpuCount);
      for (std::int32_t c = 0; c < DiskWidth; ++c)
        StorePixel24(&p[std::size_t(r) * DiskWidth * 3], c,
                     ReferenceColor(ReferencePixelCount(DiskKernel, xs[c], y, subpixels)));
    }
    return p;
  }

  // The PBM_STEPIT messages posted to the progress window since the last call.
  int TakeProgress() {
    int n = 0;
    MSG msg;
    while (PeekMessageA(&msg, Progress, PBM_STEPIT, PBM_STEPIT, PM_REMOVE)) {
      EXPECT_EQ(msg.wParam, 0u);
      EXPECT_EQ(msg.lParam, 0);
      ++n;
    }
    return n;
  }

  // The first pixel where two images differ, as text; "" when they are equal.
  static std::string FirstDifference(const Pixels& a, const Pixels& b) {
    if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i]) {
        const std::size_t pixel = i / 3;
        return "row " + std::to_string(pixel / DiskWidth) + " column " +
               std::to_string(pixel % DiskWidth) + " byte " + std::to_string(i % 3);
      }
    return "";
  }

  HWND Progress = nullptr;
};

struct SizeCase {
  const char* What;
  std::int32_t Width, Height;
  TRenderKernel Kernel;
};

const SizeCase SizeCases[] = {
    {"1 x 1, x87", 1, 1, TRenderKernel::FPU},
    {"1 x 1, SSE: one group, one lane stored", 1, 1, TRenderKernel::SSE},
    {"1001 x 3, x87", 1001, 3, TRenderKernel::FPU},
    {"1001 x 3, SSE2", 1001, 3, TRenderKernel::SSE2},
    {"1001 x 3, SSE", 1001, 3, TRenderKernel::SSE},
    {"3 x 1001, SSE", 3, 1001, TRenderKernel::SSE},
    {"640 x 480, x87", 640, 480, TRenderKernel::FPU},
    {"640 x 480, SSE2", 640, 480, TRenderKernel::SSE2},
    {"640 x 480, SSE", 640, 480, TRenderKernel::SSE},
};

class DiskRenderSizes : public DiskRender, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(DiskRenderSizes, AnyWorkerCountGivesTheReferenceOfItsRowSteps) {
  const SizeCase& c = GetParam();
  SelectKernel(c.Kernel);
  DiskProgressBar = Progress;
  for (std::int32_t workers = 1; workers <= 8; ++workers) {
    const Pixels image = Render(c.Width, c.Height, workers);
    EXPECT_EQ(FirstDifference(image, Reference()), "") << workers << " workers";
    EXPECT_EQ(TakeProgress(), c.Height) << workers << " workers";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskRenderSizes, ::testing::ValuesIn(SizeCases));

struct ModeCase {
  const char* What;
  TRenderKernel Kernel;
  std::int32_t Julia, Subpixels, Loaded, Offset, SurfaceBits;
};

const ModeCase ModeCases[] = {
    {"Julia set, x87", TRenderKernel::FPU, -1, 0, 0, 0, 32},
    {"Julia set with subpixels, SSE2", TRenderKernel::SSE2, -1, -1, 0, 0, 32},
    {"subpixels, SSE", TRenderKernel::SSE, 0, -1, 0, 0, 32},
    {"loaded palette with an offset", TRenderKernel::SSE2, 0, 0, -1, 37, 32},
    {"8-bit display: table colours without a loaded palette", TRenderKernel::FPU, 0, 0, 0, 0, 8},
    {"a negative offset on the gradient", TRenderKernel::SSE, 0, 0, 0, -1000, 32},
};

class DiskRenderModes : public DiskRender, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(DiskRenderModes, MatchTheReferenceOnOneThreeAndEightWorkers) {
  const ModeCase& c = GetParam();
  SelectKernel(c.Kernel);
  JuliaMode = c.Julia;
  JuliaC = c.Julia ? TExtendedComplex{-0.8L, 0.156L} : TExtendedComplex{};
  ViewLeft = c.Julia ? -1.6L : -2.4L;
  Subpixels4X = c.Subpixels;
  PaletteLoaded = c.Loaded;
  PaletteOffset = c.Offset;
  ColorTableEntry table[ColorTableSize];
  std::memcpy(table, DiskColorTable, sizeof table);
  TakeDiskColors(table, c.SurfaceBits);
  for (std::int32_t workers : {1, 3, 8}) {
    const Pixels image = Render(322, 241, workers);
    EXPECT_EQ(FirstDifference(image, Reference()), "") << workers << " workers";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskRenderModes, ::testing::ValuesIn(ModeCases));

TEST_F(DiskRender, TheTopLeftPixelIsTheViewsCorner) {
  // A one-point view: the corner is inside the main cardioid, its neighbour far outside.
  ViewLeft = -0.1L;
  ViewTop = 0.1L;
  ViewHeight = 2.0L;
  InsideColor = 0x00ABCDEF;
  for (std::int32_t workers : {1, 8}) {
    Render(2, 2, workers);
    const std::uint8_t* top = DiskImage->ScanLine(0);
    EXPECT_EQ(top[0], 0xAB);  // blue first
    EXPECT_EQ(top[1], 0xCD);
    EXPECT_EQ(top[2], 0xEF);
  }
}

TEST_F(DiskRender, WorkersColourWithTheExplorersControlWord) {
  // 250 x 0.01 is 2.5 plus 5.2e-17: red 3 with the 64 bits of the explorer's word; at the
  // 53 bits that Wine gives new threads the excess is lost and the tie rounds to 2.
  ViewLeft = 0.5L;
  ViewTop = 0.5L;
  RedSlope = 1.0;
  GreenSlope = 0.0;
  BlueSlope = 0.0;
  ColorScale = 0.01;
  RenderMaxIterations = 1000;
  SetDiskRenderSize(1, 1);
  const std::int32_t n = ReferenceCount(DiskKernel, DiskColumnX(0), ReferenceRowY(0, 2));
  ASSERT_LT(n, RenderMaxIterations);
  PaletteOffset = 250 - n;
  Render(1, 1, 2);
  EXPECT_EQ(DiskImage->ScanLine(0)[2], 3);
}

TEST_F(DiskRender, FewerRowsThanWorkers) {
  DiskProgressBar = Progress;
  const Pixels image = Render(40, 3, 8);
  EXPECT_EQ(TakeProgress(), 3);
  EXPECT_EQ(FirstDifference(image, Reference()), "");
}

TEST_F(DiskRender, WidthZeroOnlyAnnouncesItsRows) {
  DiskProgressBar = Progress;
  Render(0, 17, 4);
  EXPECT_EQ(DiskCallsPerRow, 0);
  EXPECT_EQ(TakeProgress(), 17);
}

TEST_F(DiskRender, HeightZeroRendersNothingAndEnds) {
  DiskProgressBar = Progress;
  Render(16, 0, 4);
  EXPECT_EQ(TakeProgress(), 0);
}

TEST_F(DiskRender, AWorkerStoresItsFieldsReportsTerminatedAndIsFreedByItsOwner) {
  SetDiskRenderSize(8, 4);
  DiskImage = new TDiskImage(8, 4);
  TcalcThread* worker = New<TcalcThread>(2, 0.25L, 3);
  EXPECT_EQ(worker->FirstRow, 2);
  EXPECT_EQ(worker->FirstY, 0.25L);
  EXPECT_EQ(worker->RowStep, 3);
  worker->WaitFor();
  EXPECT_TRUE(worker->Terminated());
  EXPECT_FALSE(worker->FreeOnTerminate());
  worker->Free();
  // Only row 2 is the worker's: row 1 stays white.
  EXPECT_EQ(DiskImage->ScanLine(1)[0], 0xFF);
}

TEST_F(DiskRender, AWorkerWithoutARowStepEndsAtOnce) {
  SetDiskRenderSize(8, 4);
  DiskImage = new TDiskImage(8, 4);
  for (std::int32_t step : {0, -3}) {
    TcalcThread* worker = New<TcalcThread>(0, ViewTop, step);
    EXPECT_EQ(WaitForSingleObject(worker->Handle(), 5000), WAIT_OBJECT_0) << step;
    worker->Free();
  }
  EXPECT_EQ(DiskImage->ScanLine(0)[0], 0xFF);
}

TEST_F(DiskRender, CancelEndsEveryWorkerWithinOneKernelCall) {
  // Inside the main cardioid with a limit of tens of millions: each call takes
  // milliseconds, each row of 256 calls seconds.
  ViewLeft = -0.3L;
  ViewTop = 0.05L;
  ViewHeight = 0.1L;
  RenderMaxIterations = 20000000;
  DiskProgressBar = Progress;
  SetDiskRenderSize(256, 16);
  DiskImage = new TDiskImage(256, 16);
  CpuCount = 8;
  StartDiskWorkers();
  // Every worker has started its first row, and is inside its kernel calls.
  int announced = 0;
  const DWORD wait = GetTickCount();
  while (announced < 8 && GetTickCount() - wait < 20000) {
    announced += TakeProgress();
    Sleep(1);
  }
  ASSERT_EQ(announced, 8);
  Sleep(50);
  EXPECT_FALSE(DiskWorkersEnded());
  const DWORD start = GetTickCount();
  CancelDiskWorkers();
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_LT(elapsed, 2000u);
  EXPECT_TRUE(DiskWorkersEnded());
  for (TcalcThread* worker : DiskThreads) EXPECT_TRUE(worker->Finished());
  EXPECT_EQ(TakeProgress(), 0) << "a stopped worker starts no further row";
  FreeDiskWorkers();
  Sleep(50);
  EXPECT_EQ(TakeProgress(), 0) << "nothing is posted after the workers ended";
  // The rows' right ends were never reached: still white.
  for (std::int32_t row = 0; row < 8; ++row) EXPECT_EQ(DiskImage->ScanLine(row)[3 * 255], 0xFF);
}

TEST_F(DiskRender, CancelWithoutWorkersDoesNothing) {
  CancelDiskWorkers();
  EXPECT_TRUE(DiskWorkersEnded());
  FreeDiskWorkers();
}

TEST(DiskImage, StartsWhiteWithBmpRowsBottomUp) {
  struct Case {
    std::int32_t Width, Height;
    std::size_t RowBytes;
  } cases[] = {{1, 1, 4}, {5, 2, 16}, {1001, 3, 3004}, {4, 3, 12}, {0, 5, 0}, {7, 0, 24}};
  for (const Case& c : cases) {
    TDiskImage image(c.Width, c.Height);
    EXPECT_EQ(image.RowBytes(), c.RowBytes) << c.Width;
    EXPECT_EQ(image.SizeBytes(), c.RowBytes * std::size_t(c.Height));
    if (image.SizeBytes() == 0) continue;
    for (std::int32_t y = 0; y < c.Height; ++y)
      EXPECT_EQ(image.ScanLine(y), image.Bits() + std::size_t(c.Height - 1 - y) * c.RowBytes);
    for (std::size_t i = 0; i < image.SizeBytes(); ++i) ASSERT_EQ(image.Bits()[i], 0xFF) << i;
  }
}

TEST(DiskImage, ASizeThatCannotBeHadRaisesAClearError) {
  const struct {
    std::int32_t Width, Height;
    const char* Size;
  } cases[] = {
      {65536, 65536, "65536 x 65536"},            // 12 GiB: beyond any 24-bit bitmap
      {INT_MAX, INT_MAX, "2147483647 x 2147483647"},  // the products overflow 32 bits
      {40000, 40000, "40000 x 40000"},            // 4.8 GB: just past a BMP file's size
  };
  for (const auto& c : cases) {
    try {
      TDiskImage image(c.Width, c.Height);
      ADD_FAILURE() << c.Size << " was allocated";
    } catch (const EOutOfMemory& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(c.Size), std::string::npos) << message;
      EXPECT_NE(message.find("cannot be made"), std::string::npos) << message;
    }
  }
}

// A 32-bit process's address space: no block of 2 GB or more.
void* ThirtyTwoBitAllocator(std::size_t bytes) {
  return bytes >= (std::size_t(1) << 31) ? nullptr : SystemPixelAllocator(bytes);
}

// Within a bitmap's limit but beyond a 32-bit process's address space: the allocation
// itself fails, and the image raises a clear error instead.
TEST(DiskImage, MemoryThatCannotBeHadRaisesAClearError) {
  DiskImageAllocator = &ThirtyTwoBitAllocator;
  const std::string message = MessageOf<EOutOfMemory>([] { TDiskImage image(30000, 30000); });
  DiskImageAllocator = &SystemPixelAllocator;
  EXPECT_NE(message.find("30000 x 30000"), std::string::npos) << message;
  EXPECT_NE(message.find("not available"), std::string::npos) << message;
}

TEST(DiskImage, ANegativeSizeIsInvalid) {
  EXPECT_THROW(TDiskImage(-1, 10), EInvalidGraphicOperation);
  EXPECT_THROW(TDiskImage(10, -1), EInvalidGraphicOperation);
}

}  // namespace
