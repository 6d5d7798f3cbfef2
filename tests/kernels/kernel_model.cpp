// Reference models written from the kernels' counting rules: the iteration itself, the
// escape test of each kernel, and how each turns escapes into the stored counts.
// Also the adaptors to the real exports, which round the group to each kernel's precision.
#include "tests/kernels/kernel_model.h"

#include <cpuid.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "kernels/itercore.h"

namespace {

// One point's orbit; the squares are carried over from the previous iteration.
template <typename Real>
struct Orbit {
  Real zr, zi, zr2, zi2;
  Orbit() = default;
  Orbit(Real zr0, Real zi0) : zr(zr0), zi(zi0), zr2(zr0 * zr0), zi2(zi0 * zi0) {}
  // One iteration; returns |z|^2 of the new z.
  Real next(Real cr, Real ci) {
    const Real t = zr * zi;
    zi = (t + t) + ci;
    zr = (zr2 - zi2) + cr;
    zr2 = zr * zr;
    zi2 = zi * zi;
    return zr2 + zi2;
  }
};

uint32_t modelPointFPU(long double cr, long double ci, long double zr, long double zi,
                       long double bailout, uint32_t maxiter) {
  Orbit<long double> z(zr, zi);
  for (uint32_t i = 1;; ++i) {
    const long double m = z.next(cr, ci);
    if (m > bailout) return i;  // false when m is NaN
    if (i >= maxiter) return i;
  }
}

// SSE2 and SSE: the whole group runs until all escaped in one iteration or maxiter is
// reached; each point reports one more than its last iteration inside.
template <typename Real, int N>
Counts modelLastInside(const Group& g) {
  const Real ci = static_cast<Real>(g.ci);
  const Real bailout = static_cast<Real>(g.bailout);
  Real cr[N];
  Orbit<Real> z[N];
  uint32_t lastInside[N] = {};
  for (int k = 0; k < N; ++k) {
    cr[k] = static_cast<Real>(g.cr[k]);
    z[k] = Orbit<Real>(static_cast<Real>(g.zr[k]), static_cast<Real>(g.zi));
  }
  for (uint32_t i = 1;; ++i) {
    bool allEscaped = true;
    for (int k = 0; k < N; ++k) {
      const Real m = z[k].next(cr[k], ci);
      const bool escaped = !(m <= bailout);  // NaN escapes
      if (!escaped) {
        lastInside[k] = i;
        allEscaped = false;
      }
    }
    if (allEscaped || i >= g.maxiter) break;
  }
  Counts out = {};
  for (int k = 0; k < N; ++k) out[k] = lastInside[k] + 1;
  return out;
}

int32_t bitsOf(float f) {
  int32_t b;
  std::memcpy(&b, &f, sizeof b);
  return b;
}

}  // namespace

Counts modelFPU(const Group& g) {
  Counts out = {};
  for (int k = 0; k < 4; ++k) out[k] = modelPointFPU(g.cr[k], g.ci, g.zr[k], g.zi, g.bailout, g.maxiter);
  return out;
}

Counts modelSSE2(const Group& g) { return modelLastInside<double, 2>(g); }

Counts modelSSE(const Group& g) { return modelLastInside<float, 4>(g); }

// 3DNow!: outputs start at maxiter; escapes are stored through two slots that move to
// the other point's output once their own point has escaped.
Counts model3DNow(const Group& g) {
  int32_t out[2] = {static_cast<int32_t>(g.maxiter), static_cast<int32_t>(g.maxiter)};
  int32_t* slot[2] = {&out[0], &out[1]};
  const float ci = static_cast<float>(g.ci);
  const int32_t bailout = bitsOf(static_cast<float>(g.bailout));
  Orbit<float> z[2] = {Orbit<float>(static_cast<float>(g.zr[0]), static_cast<float>(g.zi)),
                       Orbit<float>(static_cast<float>(g.zr[1]), static_cast<float>(g.zi))};
  for (uint32_t i = 1;; ++i) {
    bool escaped[2];
    for (int k = 0; k < 2; ++k) {
      const float m = z[k].next(static_cast<float>(g.cr[k]), ci);
      // Bit patterns compared as signed integers; infinity and NaN of either sign escape.
      escaped[k] = std::isnan(m) || bitsOf(m) > bailout;
    }
    if (escaped[0]) {
      *slot[0] = static_cast<int32_t>(i);
      slot[0] = slot[1];
    }
    if (escaped[1]) {
      *slot[1] = static_cast<int32_t>(i);
      slot[1] = slot[0];
    }
    if ((escaped[0] && escaped[1]) || i >= g.maxiter) break;
  }
  return Counts{static_cast<uint32_t>(out[0]), static_cast<uint32_t>(out[1]), 0, 0};
}

Counts runFPU(const Group& g) {
  Counts out = {};
  for (int k = 0; k < 4; ++k) out[k] = iterate_FPU(g.cr[k], g.ci, g.zr[k], g.zi, g.bailout, g.maxiter);
  return out;
}

Counts runSSE2(const Group& g) {
  int32_t out[2] = {-7, -7};
  iterate_SSE2(&out[0], &out[1], static_cast<double>(g.cr[0]), static_cast<double>(g.cr[1]),
               static_cast<double>(g.ci), static_cast<double>(g.zr[0]), static_cast<double>(g.zr[1]),
               static_cast<double>(g.zi), static_cast<double>(g.bailout), g.maxiter);
  return Counts{static_cast<uint32_t>(out[0]), static_cast<uint32_t>(out[1]), 0, 0};
}

Counts runSSE(const Group& g) {
  int32_t out[4] = {-7, -7, -7, -7};
  auto f = [](long double v) { return static_cast<float>(v); };
  iterate_SSE(&out[0], &out[1], &out[2], &out[3], f(g.cr[0]), f(g.cr[1]), f(g.cr[2]), f(g.cr[3]),
              f(g.ci), f(g.zr[0]), f(g.zr[1]), f(g.zr[2]), f(g.zr[3]), f(g.zi), f(g.bailout), g.maxiter);
  Counts c;
  for (int k = 0; k < 4; ++k) c[k] = static_cast<uint32_t>(out[k]);
  return c;
}

Counts run3DNow(const Group& g) {
  int32_t out[2] = {-7, -7};
  auto f = [](long double v) { return static_cast<float>(v); };
  iterate_3DNOW(&out[0], &out[1], f(g.cr[0]), f(g.cr[1]), f(g.ci), f(g.zr[0]), f(g.zr[1]), f(g.zi),
                f(g.bailout), g.maxiter);
  return Counts{static_cast<uint32_t>(out[0]), static_cast<uint32_t>(out[1]), 0, 0};
}

const Kernel kKernels[4] = {
    {kFPU, "iterate_FPU", 4, modelFPU, runFPU},
    {kSSE2, "iterate_SSE2", 2, modelSSE2, runSSE2},
    {kSSE, "iterate_SSE", 4, modelSSE, runSSE},
    {k3DNow, "iterate_3DNOW", 2, model3DNow, run3DNow},
};

bool cpuHas3DNow() {
  unsigned a, b, c, d;
  return __get_cpuid(0x80000001u, &a, &b, &c, &d) && (d & (1u << 31)) != 0;
}

std::ostream& operator<<(std::ostream& os, const Group& g) {
  char text[512];
  std::snprintf(text, sizeof text,
                "cr {%.17g, %.17g, %.17g, %.17g} ci %.17g zr {%.17g, %.17g, %.17g, %.17g} zi %.17g "
                "bailout %.17g maxiter %u",
                double(g.cr[0]), double(g.cr[1]), double(g.cr[2]), double(g.cr[3]), double(g.ci),
                double(g.zr[0]), double(g.zr[1]), double(g.zr[2]), double(g.zr[3]), double(g.zi),
                double(g.bailout), unsigned(g.maxiter));
  return os << text;
}

void KernelTest::SetUp() {
  if (GetParam().id != k3DNow || cpuHas3DNow()) return;
#ifdef QV_REQUIRE_3DNOW
  FAIL() << "this processor has no 3DNow!; run the program under tools/qemu-run";
#else
  GTEST_SKIP() << "this processor has no 3DNow!; the native tree runs these cases under qemu";
#endif
}
