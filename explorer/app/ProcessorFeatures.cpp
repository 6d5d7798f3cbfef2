// Processor feature detection declared in KernelChoice.h: the identification
// instruction's availability, its extended query for 3DNow! and its standard query for
// SSE and SSE2.
#include <cpuid.h>

#include "explorer/app/KernelChoice.h"

TProcessorFeatures FeaturesFromCpuid(const TCpuidReadings& r) {
  TProcessorFeatures f;
  if (!r.HasCpuid) return f;
  if (r.MaxExtended > 0x80000000u && (r.Extended1Edx & (1u << 31))) f.Has3DNow = 1;
  if (r.Standard1Edx & (1u << 26)) f.HasSSE2 = 1;
  if (r.Standard1Edx & (1u << 25)) f.HasSSE = 1;
  return f;
}

namespace {

// A processor has the identification instruction when bit 21 of its flags register can
// be toggled. Every 64-bit processor has it.
bool CanToggleIdFlag() {
#if defined(__x86_64__)
  return true;
#else
  unsigned before, after;
  asm volatile(
      "pushfl\n\t"
      "pushfl\n\t"
      "popl %0\n\t"
      "movl %0, %1\n\t"
      "xorl $0x200000, %1\n\t"
      "pushl %1\n\t"
      "popfl\n\t"
      "pushfl\n\t"
      "popl %1\n\t"
      "popfl"
      : "=&r"(before), "=&r"(after)
      :
      : "cc");
  return ((before ^ after) & 0x200000u) != 0;
#endif
}

}  // namespace

TCpuidReadings ReadCpuid() {
  TCpuidReadings r;
  r.HasCpuid = CanToggleIdFlag();
  if (!r.HasCpuid) return r;
  unsigned a, b, c, d;
  __cpuid(0x80000000u, a, b, c, d);
  r.MaxExtended = a;
  if (r.MaxExtended > 0x80000000u) {
    __cpuid(0x80000001u, a, b, c, d);
    r.Extended1Edx = d;
  }
  __cpuid(1, a, b, c, d);
  r.Standard1Edx = d;
  return r;
}
