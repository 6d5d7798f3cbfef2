// The portable parts of a render: the packing of points into kernel calls by the kernel
// switches, the 64-bit average of four subpixels, and the render-time text and caption.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/render/RenderTime.h"
#include "explorer/render/RowIteration.h"
#include "tests/explorer/render/RenderTestSupport.h"
#include "tests/explorer/render/X87ControlWord.h"
#include "kernels/itercore.h"

namespace {

class RowIteration : public ::testing::Test {
protected:
  RowIteration() : ControlWord(ExplorerControlWord) {
    ResetRenderGlobals();
    UseSSE2 = UseSSE = Use3DNow = 0;
    Subpixels4X = 0;
    JuliaMode = 0;
    JuliaC = TExtendedComplex();
    ViewLeft = -2.5L;
    PixelStepX = PixelStepY = 0.01L;
    RenderBailout = 4.0L;
    RenderMaxIterations = 150;
  }
  ~RowIteration() override {
    UseSSE2 = UseSSE = Use3DNow = 0;
    Subpixels4X = 0;
  }
  ScopedControlWord ControlWord;
};

struct PackingCase {
  const char* What;
  std::int32_t SSE2, SSE, ThreeDNow;
  std::int32_t Width;
  TRenderKernel Kernel;
  std::int32_t PerCall, Calls;
};

const PackingCase PackingCases[] = {
    {"no switch: the x87 kernel, one point", 0, 0, 0, 1001, TRenderKernel::FPU, 1, 1001},
    {"SSE2: two points", -1, 0, 0, 1001, TRenderKernel::SSE2, 2, 500},
    {"SSE: four points, 1001 columns leave one", 0, -1, 0, 1001, TRenderKernel::SSE, 4, 250},
    {"3DNow!: two points", 0, 0, -1, 640, TRenderKernel::ThreeDNow, 2, 320},
    {"SSE2 wins over the others", -1, -1, -1, 640, TRenderKernel::SSE2, 2, 320},
    // Two switches on at once must still give a kernel whose points fit the groups.
    {"SSE with 3DNow!: SSE, four points", 0, -1, -1, 640, TRenderKernel::SSE, 4, 160},
    {"a width below one group: no call", 0, -1, 0, 3, TRenderKernel::SSE, 4, 0},
};

class Packing : public RowIteration, public ::testing::WithParamInterface<PackingCase> {};

TEST_P(Packing, FollowsTheKernelSwitches) {
  const PackingCase& c = GetParam();
  UseSSE2 = c.SSE2;
  UseSSE = c.SSE;
  Use3DNow = c.ThreeDNow;
  RenderWidth = c.Width;
  SetPacking();
  EXPECT_EQ(RenderKernel, c.Kernel) << c.What;
  EXPECT_EQ(PixelsPerCall, c.PerCall) << c.What;
  EXPECT_EQ(CallsPerRow, c.Calls) << c.What;
  EXPECT_EQ(RowStartX, ViewLeft - c.PerCall * PixelStepX) << c.What;
}

INSTANTIATE_TEST_SUITE_P(Cases, Packing, ::testing::ValuesIn(PackingCases));

class StopAfter : public IStopRequest {
public:
  explicit StopAfter(int calls) : Left(calls) {}
  bool StopRequested() const override { return Left-- <= 0; }
  mutable int Left;
};

TEST_F(RowIteration, SubpixelsAskForAStopBeforeEachOfTheirFourCalls) {
  Subpixels4X = -1;
  UseSSE2 = -1;
  RenderWidth = 2;
  SetPacking();
  for (int allowed = 0; allowed < 4; ++allowed) {
    StopAfter stop(allowed);
    std::int32_t counts[4];
    EXPECT_FALSE(GroupCounts(0, 0, counts, &stop)) << allowed << " calls allowed";
    EXPECT_EQ(stop.Left, -1) << "asked once more after " << allowed << " calls";
  }
  StopAfter stop(4);
  std::int32_t counts[4];
  EXPECT_TRUE(GroupCounts(0, 0, counts, &stop));
}

TEST_F(RowIteration, ARowAsksBeforeEveryGroup) {
  RenderWidth = 10;
  SetPacking();
  StopAfter stop(3);
  std::int32_t counts[10];
  EXPECT_FALSE(RowCounts(0, counts, &stop));
  EXPECT_EQ(stop.Left, -1);
}

TEST_F(RowIteration, SubpixelAveragesOfInsidePointsNearTheTopOfTheRangeStayInside) {
  // Four counts of 2^30 + 1 add up past 2^32: a 32-bit sum would wrap to 4 and average
  // to 1, an escaped pixel. Every call runs 2^30 iterations, so this takes a few seconds.
  Subpixels4X = -1;
  UseSSE2 = -1;
  RenderWidth = 2;
  RenderMaxIterations = 1 << 30;
  SetPacking();
  std::int32_t counts[2];
  ASSERT_TRUE(GroupCounts(-0.1L, 0.1L, counts, nullptr));  // deep inside the main cardioid
  EXPECT_EQ(counts[0], (1 << 30) + 1);
  EXPECT_EQ(counts[1], (1 << 30) + 1);
}

TEST_F(RowIteration, SubpixelCountsAreAveragedWithTheRemainderDropped) {
  // Near the cusp, at 0.28 + 0i with quarter-pixel offsets of 0.01, the subpixels at
  // 0.27 stay inside (count 151 with SSE2 and limit 150) and those at 0.29 escape: the
  // average blends them, falls below the limit and the pixel counts as escaped.
  Subpixels4X = -1;
  UseSSE2 = -1;
  RenderWidth = 2;
  PixelStepX = PixelStepY = 0.04L;
  SetPacking();
  std::int32_t counts[2];
  ASSERT_TRUE(GroupCounts(0.28L, 0.0L, counts, nullptr));
  std::int32_t sub[4][2];
  const long double q = PixelStepX / 4;
  const long double offsets[4][2] = {{-q, -q}, {q, q}, {-q, q}, {q, -q}};
  std::uint64_t sum[2] = {0, 0};
  for (int s = 0; s < 4; ++s) {
    const long double re0 = 0.28L + offsets[s][0];
    const long double re1 = 0.28L + PixelStepX + offsets[s][0];
    iterate_SSE2(&sub[s][0], &sub[s][1], double(re0), double(re1), double(offsets[s][1]), 0, 0, 0,
                 4.0, 150);
    sum[0] += std::uint32_t(sub[s][0]);
    sum[1] += std::uint32_t(sub[s][1]);
  }
  EXPECT_EQ(counts[0], std::int32_t(sum[0] >> 2));
  EXPECT_EQ(counts[1], std::int32_t(sum[1] >> 2));
  EXPECT_EQ(sub[0][0], 151);
  EXPECT_LT(sub[1][0], 150);
  EXPECT_LT(counts[0], 150);
}

struct TimeCase {
  std::uint32_t Start, End;
  const char* Text;
};

const TimeCase TimeCases[] = {
    {1000, 1250, " 0.25"},           {0, 1234, " 1.23"},         {0, 1500, " 1.50"},
    {0, 123456, "123.46"},           {0, 0, " 0.00"},            {5, 10005, "10.00"},
    {0xFFFFFF00u, 0x00000400u, " 1.28"},  // across the wrap-around of the clock
    {0, 4294967290u, "4294967.29"},
};

TEST(RenderTime, FormatsSecondsWithTwoDecimalsRightAlignedToFive) {
  for (const TimeCase& c : TimeCases)
    EXPECT_EQ(FormatRenderTime(c.Start, c.End), c.Text) << c.Start << " to " << c.End;
}

TEST(RenderTime, CaptionHoldsTheTextBetweenTheFixedWords) {
  EXPECT_EQ(RenderTimeCaption(FormatRenderTime(0, 1234)), "Quorvel - Rend.Time:  1.23 sec.");
  EXPECT_EQ(RenderTimeCaption(FormatRenderTime(0, 123456)), "Quorvel - Rend.Time: 123.46 sec.");
}

}  // namespace
