// Scalar reference models of the four kernels, one point at a time in each kernel's own
// precision, and the adaptors that call the real kernels on the same group of points.
// kernel_cases_test.cpp and kernel_sweep_test.cpp compare the two.
#ifndef TESTS_KERNELS_KERNEL_MODEL_H
#define TESTS_KERNELS_KERNEL_MODEL_H

#include <array>
#include <cstdint>
#include <ostream>

#include <gtest/gtest.h>

// Up to four adjacent points of one row, in extended precision; each kernel gets them
// rounded to its own precision, as the explorer passes them.
struct Group {
  long double cr[4];
  long double ci;
  long double zr[4];
  long double zi;
  long double bailout;
  uint32_t maxiter;
};

// One count per point; the kernels' signed results are kept as their 32-bit patterns.
using Counts = std::array<uint32_t, 4>;

std::ostream& operator<<(std::ostream& os, const Group& g);

// iterate_FPU: each point on its own, as one call each.
Counts modelFPU(const Group& g);
Counts runFPU(const Group& g);
// iterate_SSE2: points 0 and 1.
Counts modelSSE2(const Group& g);
Counts runSSE2(const Group& g);
// iterate_SSE: points 0 to 3.
Counts modelSSE(const Group& g);
Counts runSSE(const Group& g);
// iterate_3DNOW: points 0 and 1.
Counts model3DNow(const Group& g);
Counts run3DNow(const Group& g);

enum KernelId { kFPU, kSSE2, kSSE, k3DNow };

struct Kernel {
  KernelId id;
  const char* name;
  int points;
  Counts (*model)(const Group&);
  Counts (*run)(const Group&);
};
extern const Kernel kKernels[4];  // in KernelId order
inline void PrintTo(const Kernel& k, std::ostream* os) { *os << k.name; }

// The processor (real or emulated) can run the 3DNow! kernel.
bool cpuHas3DNow();

// Parameterised over the four kernels. The 3DNow! kernel runs only where the processor
// has it: skipped under wine here, required (a failure otherwise) in the native tree,
// whose tests run on an emulated processor that has it.
class KernelTest : public ::testing::TestWithParam<Kernel> {
 protected:
  void SetUp() override;
};

#endif
