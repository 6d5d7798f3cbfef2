// Dependent multiply-add-add chains for the x87, SSE2 and SSE kernels; the 3DNow! one is
// in chain_3dnow.cpp, built for that instruction set alone. x := (x*a + b) + c with
// a = 1/2 and b + c = 1/2 settles at 1, far from overflow and denormals.
#include <emmintrin.h>

#include "bench/chain_limits.h"

namespace {
// Loaded at run time, so that the compiler cannot fold the chain.
volatile double kA = 0.5, kB = 0.25, kC = 0.25, kStart = 3.0;
}  // namespace

long double chainFPU(uint64_t steps) {
  const long double a = kA, b = kB, c = kC;
  long double x = kStart;
  for (uint64_t i = 0; i < steps; ++i) x = (x * a + b) + c;
  return x;
}

double chainSSE2(uint64_t steps) {
  const __m128d a = _mm_set1_pd(kA), b = _mm_set1_pd(kB), c = _mm_set1_pd(kC);
  __m128d x = _mm_set1_pd(kStart);
  for (uint64_t i = 0; i < steps; ++i) x = _mm_add_pd(_mm_add_pd(_mm_mul_pd(x, a), b), c);
  return _mm_cvtsd_f64(x);
}

float chainSSE(uint64_t steps) {
  const __m128 a = _mm_set1_ps(static_cast<float>(kA)), b = _mm_set1_ps(static_cast<float>(kB)),
               c = _mm_set1_ps(static_cast<float>(kC));
  __m128 x = _mm_set1_ps(static_cast<float>(kStart));
  for (uint64_t i = 0; i < steps; ++i) x = _mm_add_ps(_mm_add_ps(_mm_mul_ps(x, a), b), c);
  return _mm_cvtss_f32(x);
}
