// Which iteration kernel the explorer may use: the processor's features as the
// identification instruction reports them, the kernel switches, and the switches a
// processor starts with. Detection is in ProcessorFeatures.cpp; the precision rule that
// changes the switches as the view shrinks is in Navigation.h.
#pragma once

#include <cstdint>

// 1 when the processor has the feature, else 0.
struct TProcessorFeatures {
  std::int32_t HasSSE = 0;
  std::int32_t HasSSE2 = 0;
  std::int32_t Has3DNow = 0;
};

// The kernel switches, 0 off and -1 on, at most one of them on; none means the x87 kernel.
struct TKernelSwitches {
  std::int32_t UseSSE2 = 0;
  std::int32_t UseSSE = 0;
  std::int32_t Use3DNow = 0;
};

// What the identification instruction answered. HasCpuid is false when bit 21 of the
// flags register cannot be toggled; the other fields are then not read.
struct TCpuidReadings {
  bool HasCpuid = false;
  std::uint32_t MaxExtended = 0;   // EAX of query 0x80000000
  std::uint32_t Extended1Edx = 0;  // EDX of query 0x80000001, read only above 0x80000000
  std::uint32_t Standard1Edx = 0;  // EDX of query 1
};

TProcessorFeatures FeaturesFromCpuid(const TCpuidReadings& readings);
// Queries this processor.
TCpuidReadings ReadCpuid();
inline TProcessorFeatures DetectProcessorFeatures() { return FeaturesFromCpuid(ReadCpuid()); }

// SSE when the processor has it; 3DNow! only without SSE; SSE2 only through the
// precision rule at the end of start-up.
constexpr TKernelSwitches StartingKernelSwitches(const TProcessorFeatures& f) {
  return TKernelSwitches{0, f.HasSSE ? -1 : 0, (f.Has3DNow && !f.HasSSE) ? -1 : 0};
}
