// Rows iterated with the 3DNow! kernel, which this machine's processor lacks: built
// natively and run on an emulated processor that has it. The kernel's slot rule ties the
// two counts of a pair together, so the reference calls the kernel on the same pairs.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/Coloring.h"
#include "explorer/render/LockedSurface.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/render/RowIteration.h"
#include "tests/explorer/render/X87ControlWord.h"
#include "kernels/itercore.h"

namespace {

struct Case {
  const char* What;
  bool Julia;
  bool Subpixels;
};

class Row3DNow : public ::testing::TestWithParam<Case> {
protected:
  Row3DNow() : ControlWord(ExplorerControlWord) {
    UseSSE2 = UseSSE = 0;
    Use3DNow = -1;
    RenderWidth = 65;  // one column beyond the last pair
    RenderHeight = 1;
    RenderMaxIterations = 200;
    RenderBailout = 4.0L;
    ViewLeft = -2.1L;
    PixelStepX = PixelStepY = 2.6L / 64;
  }
  ~Row3DNow() override {
    Use3DNow = 0;
    Subpixels4X = 0;
    JuliaMode = 0;
    JuliaC = RenderJuliaC = TExtendedComplex();
  }
  ScopedControlWord ControlWord;
};

TEST_P(Row3DNow, CountsAreThoseOfTheKernelOnTheSamePairs) {
  const Case& c = GetParam();
  JuliaMode = c.Julia ? -1 : 0;
  // The rabbit's Julia set has interior around the origin.
  JuliaC = c.Julia ? TExtendedComplex{-0.12L, 0.75L} : TExtendedComplex{0.0L, 0.0L};
  RenderJuliaC = JuliaC;  // what a render start takes
  if (c.Julia) ViewLeft = -1.3L;
  Subpixels4X = c.Subpixels ? -1 : 0;
  SetPacking();
  ASSERT_EQ(RenderKernel, TRenderKernel::ThreeDNow);
  ASSERT_EQ(PixelsPerCall, 2);
  ASSERT_EQ(CallsPerRow, 32);
  const long double y = c.Julia ? 0.05L : 0.3L;
  std::vector<std::int32_t> counts(64);
  ASSERT_TRUE(RowCounts(y, counts.data(), nullptr));

  long double x = RowStartX;
  int escaped = 0, inside = 0;
  for (int g = 0; g < 32; ++g) {
    x = x + 2 * PixelStepX;
    const long double qx = PixelStepX / 4, qy = PixelStepY / 4;
    const long double none[1][2] = {{0, 0}};
    const long double four[4][2] = {{-qx, -qy}, {qx, qy}, {-qx, qy}, {qx, -qy}};
    const auto* offsets = c.Subpixels ? four : none;
    const int calls = c.Subpixels ? 4 : 1;
    std::uint64_t sum[2] = {0, 0};
    for (int s = 0; s < calls; ++s) {
      const long double re0 = x + 0 * PixelStepX + offsets[s][0];
      const long double re1 = x + 1 * PixelStepX + offsets[s][0];
      const long double im = y + offsets[s][1];
      std::int32_t o0, o1;
      if (c.Julia)
        iterate_3DNOW(&o0, &o1, float(JuliaC.Re), float(JuliaC.Re), float(JuliaC.Im), float(re0),
                      float(re1), float(im), 4.0f, 200);
      else
        iterate_3DNOW(&o0, &o1, float(re0), float(re1), float(im), 0.0f, 0.0f, 0.0f, 4.0f, 200);
      sum[0] += std::uint32_t(o0);
      sum[1] += std::uint32_t(o1);
    }
    for (int k = 0; k < 2; ++k) {
      const std::int32_t want = c.Subpixels ? std::int32_t(sum[k] >> 2) : std::int32_t(sum[k]);
      EXPECT_EQ(counts[2 * g + k], want) << c.What << ", column " << 2 * g + k;
      (want < 200 ? escaped : inside)++;
    }
  }
  EXPECT_GT(escaped, 5);
  EXPECT_GT(inside, 5);
}

TEST_P(Row3DNow, TheGradientColouringStillWorksAfterTheKernel) {
  // The kernel leaves the x87 unit usable: the extended products of the colouring right
  // after a row give the same colours as before it.
  const Case& c = GetParam();
  JuliaMode = c.Julia ? -1 : 0;
  Subpixels4X = c.Subpixels ? -1 : 0;
  SetPacking();
  const std::uint32_t before = GradientColor(33.0L);
  std::vector<std::int32_t> counts(64);
  ASSERT_TRUE(RowCounts(0.3L, counts.data(), nullptr));
  EXPECT_EQ(GradientColor(33.0L), before);
  EXPECT_EQ(before, 0x00181008u);  // red 8, green 16, blue 24
}

const Case Cases[] = {
    {"Mandelbrot", false, false},
    {"Julia", true, false},
    {"Mandelbrot, four subpixels", false, true},
    {"Julia, four subpixels", true, true},
};

INSTANTIATE_TEST_SUITE_P(Cases, Row3DNow, ::testing::ValuesIn(Cases));

}  // namespace
