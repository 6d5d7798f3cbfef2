// The same counts on every target: groups near the boundary of the Mandelbrot set built
// from integers alone (multiples of 2^-30, exact in every format and under every way of
// evaluating), so that each tree hands each kernel the very same bits. The counts of all
// groups are folded into one digest per kernel, written below: the 64-bit native tree,
// the 32-bit tree under qemu-i386 and the x86_64 programs under wine must all give it,
// which shows the 32-bit code's results bit for bit equal to the 64-bit code's.
#include <cstdint>
#include <random>

#include "tests/kernels/kernel_model.h"

namespace {

// Points on or near the boundary (cardioid, period-2 and period-3 bulbs, the antenna,
// spirals), in units of 2^-16.
const int32_t kCentres[][2] = {
    {-49152, 6554},  {16384, 0},      {-81920, 0},     {-6626, 62672},  {-48844, 7386},
    {18468, 714},    {-115913, 0},    {-10486, 68190}, {-49545, 8192},  {24904, 32768},
    {-101253, 1966}, {22938, 36045},
};

constexpr long double kUnit = 0x1p-30L;  // every coordinate is a multiple of this

// Fixed seed and raw mt19937 output, which the standard defines exactly.
class Integers {
 public:
  uint32_t below(uint32_t n) { return rng_() % n; }
  int64_t around(uint32_t halfWidth) { return int64_t(below(2 * halfWidth + 1)) - halfWidth; }

 private:
  std::mt19937 rng_{20261211u};
};

Group exactGroup(Integers& r, bool julia) {
  const int32_t* centre = kCentres[r.below(sizeof kCentres / sizeof kCentres[0])];
  // Within 2^-10 of the centre, points 2^-30 to 2^-24 apart.
  const int64_t x = int64_t(centre[0]) * 16384 + r.around(1 << 20);
  const int64_t y = int64_t(centre[1]) * 16384 + r.around(1 << 20);
  const int64_t step = 1 + r.below(64);
  Group g = {};
  g.bailout = r.below(5) ? 4 : 4 + r.below(64) / 4.0L;
  g.maxiter = r.below(5) ? 1000 : 1 + r.below(2000);
  g.ci = y * kUnit;
  if (julia) {
    const int64_t zx = r.around(1 << 30), zy = r.around(1 << 30);
    g.zi = zy * kUnit;
    for (int k = 0; k < 4; ++k) {
      g.cr[k] = x * kUnit;
      g.zr[k] = (zx + k * step) * kUnit;
    }
  } else {
    for (int k = 0; k < 4; ++k) g.cr[k] = (x + k * step) * kUnit;
  }
  return g;
}

// FNV-1a over each count's four bytes, low byte first.
struct Digest {
  uint64_t value = 0xcbf29ce484222325u;
  void add(uint32_t count) {
    for (int b = 0; b < 4; ++b) value = (value ^ ((count >> (8 * b)) & 0xFF)) * 0x100000001b3u;
  }
};

// By KernelId: iterate_FPU, iterate_SSE2, iterate_SSE, iterate_3DNOW.
const uint64_t kDigests[4] = {0x48b5cab93424113eu, 0x722df0a931ebf9e6u, 0x42a83cd2b73b282fu,
                               0x33c239bb15114523u};

TEST_P(KernelTest, ExactGroupsGiveTheSameCountsOnEveryTarget) {
  const Kernel& k = GetParam();
  Integers r;
  Digest digest;
  int mismatches = 0, longOrbits = 0;
  const int groups = 1000;
  for (int n = 0; n < groups; ++n) {
    const Group g = exactGroup(r, n % 3 == 2);
    const Counts got = k.run(g);
    if (got != k.model(g) && ++mismatches <= 5)
      ADD_FAILURE() << "group " << n << ": " << g << "\n  kernel " << ::testing::PrintToString(got)
                    << "\n  model  " << ::testing::PrintToString(k.model(g));
    for (int p = 0; p < k.points; ++p) digest.add(got[p]);
    if (got[0] >= 100) ++longOrbits;
  }
  EXPECT_EQ(digest.value, kDigests[k.id]) << std::hex << "0x" << digest.value;
  // Only worth its time if a good share of orbits is long.
  EXPECT_GT(longOrbits, groups / 5);
}

}  // namespace
