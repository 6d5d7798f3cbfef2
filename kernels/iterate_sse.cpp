// iterate_SSE: four points of a row in single precision, with SSE (no SSE2) only.
// Counts as iterate_SSE2: the group runs until all four have escaped in the same
// iteration or maxiter is reached, and each reports its last inside iteration plus one.
#include <xmmintrin.h>

#include "kernels/itercore.h"

void ITERCORE_CALL iterate_SSE(int32_t* out0, int32_t* out1, int32_t* out2, int32_t* out3,
                               float cr0, float cr1, float cr2, float cr3, float ci,
                               float zr0, float zr1, float zr2, float zr3, float zi,
                               float bailout, uint32_t maxiter) {
  const __m128 cr = _mm_set_ps(cr3, cr2, cr1, cr0);
  const __m128 civ = _mm_set1_ps(ci);
  const __m128 bail = _mm_set1_ps(bailout);
  __m128 zr = _mm_set_ps(zr3, zr2, zr1, zr0);
  __m128 ziv = _mm_set1_ps(zi);
  __m128 zrsq = _mm_mul_ps(zr, zr);
  __m128 zisq = _mm_mul_ps(ziv, ziv);
  const auto iterate = [&] {
    const __m128 t = _mm_mul_ps(zr, ziv);
    ziv = _mm_add_ps(_mm_add_ps(t, t), civ);
    zr = _mm_add_ps(_mm_sub_ps(zrsq, zisq), cr);
    zrsq = _mm_mul_ps(zr, zr);
    zisq = _mm_mul_ps(ziv, ziv);
  };
  // Iteration i is tested after iteration i + 1 has been issued (and thrown away when
  // the group stops at i), so that the orbit's critical path wins the execution units.
  iterate();
  // SSE has no integer vector operations, so the per-point counts live in general
  // registers and follow the compare mask by conditional moves.
  uint32_t last0 = 0, last1 = 0, last2 = 0, last3 = 0;
  for (uint32_t i = 1;; ++i) {
    const __m128 m = _mm_add_ps(zrsq, zisq);
    iterate();
    // m <= bailout is false for NaN, so a point whose |z|^2 is not a number is outside.
    const int inside = _mm_movemask_ps(_mm_cmple_ps(m, bail));
    last0 = (inside & 1) ? i : last0;
    last1 = (inside & 2) ? i : last1;
    last2 = (inside & 4) ? i : last2;
    last3 = (inside & 8) ? i : last3;
    if (inside == 0 || i >= maxiter) break;
  }
  *out0 = static_cast<int32_t>(last0 + 1);
  *out1 = static_cast<int32_t>(last1 + 1);
  *out2 = static_cast<int32_t>(last2 + 1);
  *out3 = static_cast<int32_t>(last3 + 1);
}
