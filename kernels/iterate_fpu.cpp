// iterate_FPU: one point in x87 80-bit extended precision (long double on both targets).
// Stops at the first iteration whose |z|^2 exceeds the bailout; the vector kernels that
// share its iteration are in iterate_sse2.cpp, iterate_sse.cpp and iterate_3dnow.cpp.
#include "kernels/itercore.h"

uint32_t ITERCORE_CALL iterate_FPU(long double cr, long double ci, long double zr, long double zi,
                                   long double bailout, uint32_t maxiter) {
  // The squares are carried from one iteration to the next, so that zr' needs no
  // multiply of its own and |z|^2 costs one add.
  long double zr2 = zr * zr;
  long double zi2 = zi * zi;
  uint32_t i = 0;
  for (;;) {
    const long double t = zr * zi;
    zi = (t + t) + ci;
    zr = (zr2 - zi2) + cr;
    zr2 = zr * zr;
    zi2 = zi * zi;
    ++i;
    // A NaN |z|^2 compares unordered, which is not an escape.
    if (zr2 + zi2 > bailout || i >= maxiter) return i;
  }
}
