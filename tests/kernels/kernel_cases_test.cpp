// The kernels' edge cases: one table of groups with the counts each kernel must give,
// checked on the real kernels and on the reference models (which the sweep then trusts).
// Plus the cases that need a kernel's own precision: extended bailout, overflow.
#include <cfloat>
#include <limits>

#include "tests/kernels/kernel_model.h"

namespace {

const long double kNaN = std::numeric_limits<long double>::quiet_NaN();

struct EdgeCase {
  const char* name;
  Group group;
  // Expected counts by KernelId: iterate_FPU per point, iterate_SSE2 for points 0-1,
  // iterate_SSE for points 0-3, iterate_3DNOW for points 0-1.
  Counts want[4];
};

// c = 3, 1 and 0.5 escape in iterations 1, 3 and 5; c = 0 never does. With bailout 0.5,
// c = -1 gives |z|^2 = 1, 0, 1, 0, ...: outside in odd iterations, inside in even ones.
// c = 1e30 overflows to infinity and then to NaN (infinity times zero).
const EdgeCase kCases[] = {
    {"maxiter 0 still makes one iteration", {{3, 0, 3, 0}, 0, {0, 0, 0, 0}, 0, 4, 0},
     {{1, 1, 1, 1}, {1, 2}, {1, 2, 1, 2}, {1, 0}}},
    {"c = 0 never escapes", {{0, 0, 0, 0}, 0, {0, 0, 0, 0}, 0, 4, 150},
     {{150, 150, 150, 150}, {151, 151}, {151, 151, 151, 151}, {150, 150}}},
    {"c = 3 escapes in iteration 1", {{3, 3, 3, 3}, 0, {0, 0, 0, 0}, 0, 4, 150},
     {{1, 1, 1, 1}, {1, 1}, {1, 1, 1, 1}, {1, 1}}},
    {"one inside point keeps the group running", {{3, 1, 0.5L, 0}, 0, {0, 0, 0, 0}, 0, 4, 50},
     {{1, 3, 5, 50}, {1, 3}, {1, 3, 5, 51}, {1, 3}}},
    {"small bailout, even maxiter", {{-1, 0, -1, 0}, 0, {0, 0, 0, 0}, 0, 0.5L, 50},
     {{1, 50, 1, 50}, {51, 51}, {51, 51, 51, 51}, {1, 49}}},
    {"small bailout, odd maxiter", {{-1, 0, -1, 0}, 0, {0, 0, 0, 0}, 0, 0.5L, 51},
     {{1, 51, 1, 51}, {51, 52}, {51, 52, 51, 52}, {1, 51}}},
    {"small bailout, inside point first", {{0, -1, 0, -1}, 0, {0, 0, 0, 0}, 0, 0.5L, 50},
     {{50, 1, 50, 1}, {51, 51}, {51, 51, 51, 51}, {49, 1}}},
    {"small bailout, the whole group outside in iteration 1",
     {{-1, -1, -1, -1}, 0, {0, 0, 0, 0}, 0, 0.5L, 50}, {{1, 1, 1, 1}, {1, 1}, {1, 1, 1, 1}, {1, 1}}},
    {"start values per point, c shared", {{0, 0, 0, 0}, 0, {0.5L, 1.5L, 1.1L, 3}, 0, 4, 6},
     {{6, 1, 3, 1}, {7, 1}, {7, 1, 3, 1}, {6, 1}}},
    {"overflow to infinity and NaN stays escaped", {{1e30L, 0, 0.5L, 1e30L}, 0, {0, 0, 0, 0}, 0, 4, 100},
     {{1, 100, 5, 1}, {1, 101}, {1, 101, 5, 1}, {1, 100}}},
    {"an overflowed point does not hold back a later escape",
     {{1e30L, 0.5L, 1e30L, 0.5L}, 0, {0, 0, 0, 0}, 0, 4, 100}, {{1, 5, 1, 5}, {1, 5}, {1, 5, 1, 5}, {1, 5}}},
    {"c is NaN of either sign", {{-kNaN, 0, kNaN, 0}, 0, {0, 0, 0, 0}, 0, 4, 20},
     {{20, 20, 20, 20}, {1, 21}, {1, 21, 1, 21}, {1, 20}}},
};

TEST_P(KernelTest, EdgeCasesGiveTheSpecifiedCounts) {
  const Kernel& k = GetParam();
  for (const EdgeCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const Counts& want = c.want[k.id];
    EXPECT_EQ(k.run(c.group), want) << c.group;
    EXPECT_EQ(k.model(c.group), want) << c.group;
  }
}

// With the largest finite bailout of the kernel's format only an infinite |z|^2 escapes.
TEST_P(KernelTest, OrbitOverflowingPastTheLargestBailoutEscapes) {
  const Kernel& k = GetParam();
  const long double largest[4] = {LDBL_MAX, DBL_MAX, FLT_MAX, FLT_MAX};
  const Group g = {{2, 2, 2, 2}, 0, {0, 0, 0, 0}, 0, largest[k.id], 100};
  const Counts got = k.run(g);
  EXPECT_EQ(got, k.model(g)) << g;
  for (int p = 0; p < k.points; ++p) {
    EXPECT_GT(got[p], 3u) << "point " << p;
    EXPECT_LT(got[p], 100u) << "point " << p;
  }
}

std::string kernelName(const ::testing::TestParamInfo<Kernel>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(AllKernels, KernelTest, ::testing::ValuesIn(kKernels), kernelName);

// iterate_FPU compares with the bailout in full extended precision: here |z|^2 after
// iteration 1 is 1 + 2^-39, which the bailout below it only undercuts by 2^-63.
TEST(IterateFPU, BailoutKeepsExtendedPrecision) {
  const long double cr = 1.0L + 0x1p-40L;
  const long double justBelow = 1.0L + 0x1p-39L - 0x1p-63L;
  EXPECT_EQ(static_cast<double>(justBelow), 1.0 + 0x1p-39);  // a double bailout would tie
  const Group escapes = {{cr, cr, cr, cr}, 0, {0, 0, 0, 0}, 0, justBelow, 10};
  EXPECT_EQ(runFPU(escapes), (Counts{1, 1, 1, 1}));
  const Group ties = {{cr, cr, cr, cr}, 0, {0, 0, 0, 0}, 0, 1.0L + 0x1p-39L, 10};
  EXPECT_EQ(runFPU(ties), (Counts{2, 2, 2, 2}));
}

}  // namespace
