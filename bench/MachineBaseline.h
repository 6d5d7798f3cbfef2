// The machine's own parallel efficiency, the baseline the render benchmarks are judged
// by: the kernel the render would use, on n plain threads with equal work each and
// nothing shared, released together; and the explorer's own kernel choice for this
// processor. Shared by renderbench and diskbench.
#pragma once

#include "bench/Figures.h"

// Sets the kernel switches as the explorer's start-up does for this processor.
void UseStartupKernel();

// The parallel efficiency T1 / (n x Tn) of `threads` threads, for a fixed total of
// kernel work that takes one thread about `singleSeconds`: the best of a few runs.
double MachineEfficiency(int threads, double singleSeconds);

// Seconds from a fixed point, for timings.
double Now();
