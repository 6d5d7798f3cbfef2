// The workers of one threaded disk render: one TcalcThread per processor with rows
// interleaved, the test for their end, their release and Cancel. The print window starts
// them, polls them and frees them; the worker itself is DiskCalcThread.h.
#pragma once

#include <vector>

#include "explorer/render/DiskCalcThread.h"

// The workers of the current render, CpuCount entries while one runs; an entry is null
// once its worker is freed.
extern std::vector<TcalcThread*> DiskThreads;

// Starts CpuCount workers: worker i with FirstRow i, FirstY = DiskFirstRowY(i) and
// RowStep CpuCount. The disk render state, its colours and DiskImage must be set, and no
// earlier workers left (FreeDiskWorkers). If a thread cannot be made, the workers already
// started are stopped and freed and the error is raised again.
void StartDiskWorkers();

// Every worker reports Terminated: finished its rows, or asked to stop. True when there
// are none.
bool DiskWorkersEnded();

// Frees every worker, waiting for any still inside its last row, and clears DiskThreads.
void FreeDiskWorkers();

// Asks every worker to stop, then waits until all have ended; they stay allocated for
// FreeDiskWorkers.
void CancelDiskWorkers();
