// iterate_SSE2: two points of a row in double precision, iterated together until both
// have escaped in the same iteration or maxiter is reached. Per point it keeps the last
// iteration in which the point was inside and reports one more than that.
#include <emmintrin.h>

#include "kernels/itercore.h"

void ITERCORE_CALL iterate_SSE2(int32_t* out0, int32_t* out1, double cr0, double cr1, double ci,
                                double zr0, double zr1, double zi, double bailout, uint32_t maxiter) {
  const __m128d cr = _mm_set_pd(cr1, cr0);
  const __m128d civ = _mm_set1_pd(ci);
  const __m128d bail = _mm_set1_pd(bailout);
  __m128d zr = _mm_set_pd(zr1, zr0);
  __m128d ziv = _mm_set1_pd(zi);
  __m128d zr2 = _mm_mul_pd(zr, zr);
  __m128d zi2 = _mm_mul_pd(ziv, ziv);
  const auto iterate = [&] {
    const __m128d t = _mm_mul_pd(zr, ziv);
    ziv = _mm_add_pd(_mm_add_pd(t, t), civ);
    zr = _mm_add_pd(_mm_sub_pd(zr2, zi2), cr);
    zr2 = _mm_mul_pd(zr, zr);
    zi2 = _mm_mul_pd(ziv, ziv);
  };
  // Iteration i is tested after iteration i + 1 has been issued, which is thrown away
  // when the group stops at i. So the orbit's own multiplies and adds, the critical
  // path, are older than the test's and win the execution units.
  iterate();
  uint32_t last0 = 0, last1 = 0;
  for (uint32_t i = 1;; ++i) {
    const __m128d m = _mm_add_pd(zr2, zi2);
    iterate();
    // m <= bailout is false for NaN, so a point whose |z|^2 is not a number is outside.
    const int inside = _mm_movemask_pd(_mm_cmple_pd(m, bail));
    last0 = (inside & 1) ? i : last0;
    last1 = (inside & 2) ? i : last1;
    if (inside == 0 || i >= maxiter) break;
  }
  *out0 = static_cast<int32_t>(last0 + 1);
  *out1 = static_cast<int32_t>(last1 + 1);
}
