// The 3DNow! dependent multiply-add-add chain, built with -m3dnow like the kernel itself.
// Only called where the processor has 3DNow!.
#include <mm3dnow.h>
#include <string.h>

#include "bench/chain_limits.h"

namespace {
volatile float kA = 0.5f, kB = 0.25f, kC = 0.25f, kStart = 3.0f;

__m64 both(float f) {
  int32_t b;
  memcpy(&b, &f, sizeof b);
  return _mm_set1_pi32(b);
}
}  // namespace

float chain3DNow(uint64_t steps) {
  _m_femms();
  const __m64 a = both(kA), b = both(kB), c = both(kC);
  __m64 x = both(kStart);
  for (uint64_t i = 0; i < steps; ++i) x = _m_pfadd(_m_pfadd(_m_pfmul(x, a), b), c);
  const int32_t bits = _mm_cvtsi64_si32(x);
  _m_femms();
  float f;
  memcpy(&f, &bits, sizeof f);
  return f;
}
