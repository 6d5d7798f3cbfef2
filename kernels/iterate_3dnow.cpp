// iterate_3DNOW: two points of a row in single precision with 3DNow! and MMX, for
// processors without SSE. Results go through two slots that are redirected to the other
// point's output once a point has escaped; built with -m3dnow, alone among the kernels.
#include <mm3dnow.h>
#include <string.h>

#include "kernels/itercore.h"

namespace {

int32_t bitsOf(float f) {
  int32_t b;
  memcpy(&b, &f, sizeof b);
  return b;
}

__m64 pairOf(float lo, float hi) { return _mm_set_pi32(bitsOf(hi), bitsOf(lo)); }

}  // namespace

void ITERCORE_CALL iterate_3DNOW(int32_t* out0, int32_t* out1, float cr0, float cr1, float ci,
                                 float zr0, float zr1, float zi, float bailout, uint32_t maxiter) {
  // The MMX registers alias the x87 stack: start from an empty one and leave it empty.
  _m_femms();
  *out0 = static_cast<int32_t>(maxiter);
  *out1 = static_cast<int32_t>(maxiter);
  const __m64 cr = pairOf(cr0, cr1);
  const __m64 civ = pairOf(ci, ci);
  const __m64 bail = pairOf(bailout, bailout);
  __m64 zr = pairOf(zr0, zr1);
  __m64 ziv = pairOf(zi, zi);
  __m64 zr2 = _m_pfmul(zr, zr);
  __m64 zi2 = _m_pfmul(ziv, ziv);
  int32_t* s0 = out0;
  int32_t* s1 = out1;
  uint32_t i = 0;
  for (;;) {
    const __m64 t = _m_pfmul(zr, ziv);
    ziv = _m_pfadd(_m_pfadd(t, t), civ);
    zr = _m_pfadd(_m_pfsub(zr2, zi2), cr);
    zr2 = _m_pfmul(zr, zr);
    zi2 = _m_pfmul(ziv, ziv);
    ++i;
    // The escape test compares bit patterns as signed integers, which orders non-negative
    // floats as floats. The sign is shifted out first: the default NaN is negative, and
    // without its sign a NaN sorts above every finite bailout, escaped as infinity is.
    const __m64 m = _mm_srli_pi32(_mm_slli_pi32(_m_pfadd(zr2, zi2), 1), 1);
    const __m64 outside = _mm_cmpgt_pi32(m, bail);
    // Both lanes' masks narrowed into one 32-bit word: point 0 low half, point 1 high half.
    const uint32_t escaped = static_cast<uint32_t>(_mm_cvtsi64_si32(_mm_packs_pi32(outside, outside)));
    if (escaped != 0) {
      if (escaped & 0xFFFFu) {
        *s0 = static_cast<int32_t>(i);
        s0 = s1;
      }
      if (escaped >> 16) {
        *s1 = static_cast<int32_t>(i);
        s1 = s0;
      }
      if (escaped == 0xFFFFFFFFu) break;
    }
    if (i >= maxiter) break;
  }
  _m_femms();
}
