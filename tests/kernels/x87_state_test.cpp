// The 3DNow! kernel leaves the x87 unit usable: the MMX registers are the x87 stack,
// and after the call every x87 register must be tagged empty again, even when the
// caller itself had left MMX state behind.
#include <cstdint>

#include "kernels/itercore.h"
#include "tests/kernels/kernel_model.h"

namespace {

unsigned x87TagWord() {
  struct {
    uint16_t control, r0, status, r1, tags, r2;
    uint32_t pointers[4];
  } env;
  // fnstenv masks every exception as a side effect; fldenv puts the state back.
  __asm__ volatile("fnstenv %0\n\tfldenv %0" : "+m"(env) : : "memory");
  return env.tags;
}

// What MMX code that skips emms leaves behind: the x87 stack tagged full.
void leaveMmxStateBehind(int value) { __asm__ volatile("movd %0, %%mm0" : : "r"(value) : "mm0", "memory"); }

TEST(Iterate3DNow, LeavesEveryX87RegisterEmpty) {
  if (!cpuHas3DNow()) {
#ifdef QV_REQUIRE_3DNOW
    FAIL() << "this processor has no 3DNow!; run the program under tools/qemu-run";
#else
    GTEST_SKIP() << "this processor has no 3DNow!; the native tree runs this under qemu";
#endif
  }
  // One group that runs to maxiter and one in which both points escape together: the
  // kernel's two ways out.
  const Group groups[] = {{{0, 0.5L, 0, 0}, 0, {0, 0, 0, 0}, 0, 4, 40},
                          {{3, 3, 0, 0}, 0, {0, 0, 0, 0}, 0, 4, 40}};
  for (const Group& g : groups) {
    leaveMmxStateBehind(7);
    ASSERT_NE(x87TagWord(), 0xFFFFu);
    EXPECT_EQ(run3DNow(g), model3DNow(g)) << g;
    EXPECT_EQ(x87TagWord(), 0xFFFFu) << g;
    volatile long double a = 1.25L;
    EXPECT_EQ(a * 3 + a, 5.0L);
    EXPECT_EQ(iterate_FPU(0.5L, 0, 0, 0, 4, 40), 5u);
  }
}

}  // namespace
