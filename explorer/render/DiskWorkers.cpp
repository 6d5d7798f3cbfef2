// The disk-render worker set declared in DiskWorkers.h.
#include "explorer/render/DiskWorkers.h"

#include "explorer/render/DiskPixelGroup.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/RenderSettings.h"

std::vector<TcalcThread*> DiskThreads;

void StartDiskWorkers() {
  const std::int32_t count = CpuCount > 0 ? CpuCount : 1;
  DiskThreads.assign(static_cast<std::size_t>(count), nullptr);
  try {
    for (std::int32_t i = 0; i < count; ++i)
      DiskThreads[i] = New<TcalcThread>(i, DiskFirstRowY(i), count);
  } catch (...) {
    CancelDiskWorkers();
    FreeDiskWorkers();
    throw;
  }
}

bool DiskWorkersEnded() {
  for (TcalcThread* worker : DiskThreads)
    if (worker != nullptr && !worker->Terminated()) return false;
  return true;
}

void FreeDiskWorkers() {
  for (TcalcThread*& worker : DiskThreads) {
    if (worker != nullptr) worker->Free();  // waits for a worker still inside Execute
    worker = nullptr;
  }
  DiskThreads.clear();
}

void CancelDiskWorkers() {
  // All asked first, so that they stop together rather than one after another.
  for (TcalcThread* worker : DiskThreads)
    if (worker != nullptr) worker->Terminate();
  for (TcalcThread* worker : DiskThreads)
    if (worker != nullptr) worker->WaitFor();
}
