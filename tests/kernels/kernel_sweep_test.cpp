// Random groups near the boundary of the Mandelbrot set, where orbits are long and each
// precision's rounding decides the counts: every kernel must match its model exactly,
// in Mandelbrot mode (c per point) and in Julia mode (start value per point).
#include <cmath>
#include <random>

#include "tests/kernels/kernel_model.h"

namespace {

const double kTwoPi = 6.283185307179586;

// Fixed seed and raw mt19937 output, which the standard defines exactly.
class Random {
 public:
  double unit() { return rng_() / 4294967296.0; }
  uint32_t below(uint32_t n) { return rng_() % n; }

 private:
  std::mt19937 rng_{20240601u};
};

// A point close to the main cardioid or the period-2 bulb.
void boundaryPoint(Random& r, double& x, double& y) {
  const double t = kTwoPi * r.unit();
  if (r.unit() < 0.7) {
    x = 0.5 * std::cos(t) - 0.25 * std::cos(2 * t);
    y = 0.5 * std::sin(t) - 0.25 * std::sin(2 * t);
  } else {
    x = -1 + 0.25 * std::cos(t);
    y = 0.25 * std::sin(t);
  }
  const double d = 0.02 * r.unit() * r.unit(), a = kTwoPi * r.unit();
  x += d * std::cos(a);
  y += d * std::sin(a);
}

Group randomGroup(Random& r, bool julia) {
  Group g = {};
  double x, y;
  boundaryPoint(r, x, y);
  const double step = 1e-4 * (0.1 + 10 * r.unit());
  g.bailout = r.unit() < 0.8 ? 4 : 4 + 60 * r.unit();
  g.maxiter = r.unit() < 0.8 ? 1000 : 1 + r.below(2000);
  if (julia) {
    g.ci = y;
    const double zx = 2.4 * r.unit() - 1.2, zy = 2.4 * r.unit() - 1.2;
    g.zi = zy;
    for (int k = 0; k < 4; ++k) {
      g.cr[k] = x;
      g.zr[k] = zx + k * step;
    }
  } else {
    g.ci = y;
    for (int k = 0; k < 4; ++k) g.cr[k] = x + k * step;
  }
  return g;
}

TEST_P(KernelTest, RandomPointsNearTheBoundaryMatchTheModel) {
  const Kernel& k = GetParam();
  Random r;
  int mismatches = 0, longOrbits = 0;
  const int groups = 1500;
  for (int n = 0; n < groups && mismatches < 5; ++n) {
    const Group g = randomGroup(r, n % 3 == 2);
    const Counts want = k.model(g);
    const Counts got = k.run(g);
    if (got != want) {
      ++mismatches;
      ADD_FAILURE() << "group " << n << ": " << g << "\n  kernel " << ::testing::PrintToString(got)
                    << "\n  model  " << ::testing::PrintToString(want);
    }
    if (want[0] >= 100) ++longOrbits;
  }
  // The sweep is only worth its time if a good share of orbits is long.
  EXPECT_GT(longOrbits, groups / 5);
}

}  // namespace
