// The dependency-chain limit of one iteration, per kernel: the time of one step of a
// dependent chain of one multiply and two adds in the kernel's precision and instruction
// set, which is the critical path of one iteration (z's square, then two adds).
#ifndef BENCH_CHAIN_LIMITS_H
#define BENCH_CHAIN_LIMITS_H

#include <cstdint>

// Each runs `steps` dependent steps and returns a result the caller must use, so that
// the chain cannot be left out.
long double chainFPU(uint64_t steps);
double chainSSE2(uint64_t steps);
float chainSSE(uint64_t steps);
float chain3DNow(uint64_t steps);

#endif
