// The pixels a render stores, against the colouring of reference counts: every kernel
// this processor runs, Mandelbrot and Julia mode, with and without four subpixels, on the
// workers and on the frame timer, at several surface depths.
#include <cpuid.h>

#include "tests/explorer/render/EngineTestSupport.h"

namespace {

bool Has3DNow() {
  unsigned a, b, c, d;
  if (!__get_cpuid(0x80000000u, &a, &b, &c, &d) || a <= 0x80000000u) return false;
  __get_cpuid(0x80000001u, &a, &b, &c, &d);
  return (d >> 31) & 1;
}

struct PixelCase {
  const char* Name;
  TRenderKernel Kernel;
  bool Julia;
  bool Subpixels;
  bool Workers;
  std::uint32_t Bits;
  std::uint32_t GreenMask;
};

const PixelCase PixelCases[] = {
    {"FpuMandelbrot", TRenderKernel::FPU, false, false, true, 32, 0},
    {"FpuJuliaFrame", TRenderKernel::FPU, true, false, false, 32, 0},
    {"Sse2Mandelbrot", TRenderKernel::SSE2, false, false, true, 32, 0},
    {"Sse2JuliaSubpixels", TRenderKernel::SSE2, true, true, true, 32, 0},
    {"Sse2SubpixelsFrame", TRenderKernel::SSE2, false, true, false, 24, 0},
    {"SseMandelbrot565", TRenderKernel::SSE, false, false, true, 16, 0x7E0},
    {"SseJuliaFrame555", TRenderKernel::SSE, true, false, false, 16, 0x3E0},
    {"SseSubpixels8", TRenderKernel::SSE, false, true, true, 8, 0},
    {"FpuSubpixelsFrame", TRenderKernel::FPU, false, true, false, 32, 0},
    {"ThreeDNowMandelbrot", TRenderKernel::ThreeDNow, false, false, true, 32, 0},
    {"ThreeDNowJuliaFrame", TRenderKernel::ThreeDNow, true, false, false, 32, 0},
};

class RenderPixels : public EngineFixture, public ::testing::WithParamInterface<PixelCase> {};

TEST_P(RenderPixels, EqualTheColouringOfReferenceCounts) {
  const PixelCase& c = GetParam();
  if (c.Kernel == TRenderKernel::ThreeDNow && !Has3DNow()) GTEST_SKIP() << "no 3DNow!";
  UseSSE2 = c.Kernel == TRenderKernel::SSE2 ? -1 : 0;
  UseSSE = c.Kernel == TRenderKernel::SSE ? -1 : 0;
  Use3DNow = c.Kernel == TRenderKernel::ThreeDNow ? -1 : 0;
  Subpixels4X = c.Subpixels ? -1 : 0;
  UseMultiThreading = c.Workers ? -1 : 0;
  CpuCount = 3;  // rows of one worker are not consecutive, and 3 divides no height here
  MaxIterations = 300;
  PaletteOffset = 5;
  if (c.Julia) {
    JuliaMode = -1;
    JuliaC = {-0.8L, 0.156L};
    ViewLeft = -1.6L;
    ViewTop = 0.9L;
    ViewHeight = 1.8L;
  } else {
    JuliaC = {0.05L, -0.02L};  // a start value off the origin
  }
  const std::int32_t width = 88, height = 62;
  TMemorySurface surface(width, height, c.Bits, c.GreenMask);
  for (int i = 0; i < ColorTableSize; ++i)
    surface.Table[i] = {std::uint8_t(i), std::uint8_t(3 * i), std::uint8_t(255 - i), 0};
  TRecordingHost host;
  TRenderEngine engine(surface, host);
  engine.StartRender();
  if (c.Workers) RunWorkers(engine);
  else RunFrames(engine);
  ASSERT_EQ(RenderKernel, c.Kernel);

  const TLockedSurfaceDesc desc{nullptr, 0, c.Bits, c.GreenMask};
  int wrongCounts = 0, wrongPixels = 0, escaped = 0, inside = 0;
  for (std::int32_t y = 0; y < height; ++y) {
    const long double im = c.Workers ? WorkerRowY(y, CpuCount) : FrameRowY(y);
    for (std::int32_t x = 0; x < width; ++x) {
      const long double re = ColumnX(x);
      std::int32_t n;
      if (c.Subpixels) {
        const long double qx = PixelStepX / 4, qy = PixelStepY / 4;
        const long double o[4][2] = {{-qx, -qy}, {qx, qy}, {-qx, qy}, {qx, -qy}};
        std::uint64_t sum = 0;
        for (const auto& s : o) sum += std::uint32_t(ReferencePoint(re + s[0], im + s[1]));
        n = std::int32_t(std::uint32_t(sum >> 2));
      } else {
        n = ReferencePoint(re, im);
      }
      const bool out = n < RenderMaxIterations;
      (out ? escaped : inside)++;
      wrongCounts += IterBuffer[y * width + x] != (out ? n : 0);
      wrongPixels += surface.Pixel(x, y) != ExpectedRendered(n, desc, surface.Table);
    }
  }
  EXPECT_EQ(wrongCounts, 0);
  EXPECT_EQ(wrongPixels, 0);
  EXPECT_GT(escaped, 100);  // the view shows both sides of the boundary
  EXPECT_GT(inside, 5);
}

INSTANTIATE_TEST_SUITE_P(Cases, RenderPixels, ::testing::ValuesIn(PixelCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
