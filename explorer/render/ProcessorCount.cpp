// The processor count declared in ProcessorCount.h.
#include "explorer/render/ProcessorCount.h"

#include <windows.h>

std::int32_t ProcessorCountOverride = 0;

std::int32_t ProcessorCount() {
  if (ProcessorCountOverride > 0) return ProcessorCountOverride;
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? static_cast<std::int32_t>(info.dwNumberOfProcessors) : 1;
}
