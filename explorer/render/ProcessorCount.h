// The number of processors the explorer renders with, and the seam that replaces it:
// Wine always reports the host's processors, so one-processor behaviour is reached by
// setting ProcessorCountOverride before the main window reads the count.
#pragma once

#include <cstdint>

// When above 0, ProcessorCount returns it instead of the system's count.
extern std::int32_t ProcessorCountOverride;

// The processors the system reports (GetSystemInfo), at least 1, or the override.
std::int32_t ProcessorCount();
