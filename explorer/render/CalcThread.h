// TCalcThread, the screen render worker: worker i of n renders rows i, i + n, i + 2n, ...
// of the image into the locked back surface and IterBuffer, storing each finished row
// inside a store section of the engine's gate (StoreGate.h). The engine that starts,
// watches and stops the workers is RenderEngine.h.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "ColorTable.h"
#include "RowIteration.h"
#include "StoreGate.h"
#include "forms/Thread.h"

// What every worker of one render shares: the gate and the colour table.
struct TWorkerShared {
  TStoreGate* Gate = nullptr;
  const ColorTableEntry* Table = nullptr;
};

class TCalcThread : public TThread, private IStopRequest {
public:
  // Stores the fields and starts at once (construct with New<TCalcThread>). slot is the
  // worker's place in the gate, its index among the render's workers.
  TCalcThread(std::int32_t firstRow, long double firstY, std::int32_t rowStep,
              const TWorkerShared& shared, std::int32_t slot);

  long double FirstY;      // imaginary coordinate of the first row
  std::int32_t FirstRow;   // the first row
  std::int32_t RowStep;    // the distance between rows: the number of workers

  // Execute has begun: the thread is past its start-up in the runtime and the system.
  // With the gate closed, a started worker that is not yet Terminated is computing or
  // waiting at the gate, never inside the runtime's thread start or exit, so it can be
  // suspended without holding a lock that the presenting thread might need.
  bool Started() const { return started_.load(std::memory_order_acquire); }

protected:
  // Free-on-terminate off (the engine frees the worker), CalcRows, then the worker's own
  // terminate request, which is the engine's done signal, made inside a store section so
  // that no worker becomes done while a progress flip has the gate closed.
  void Execute() override;

private:
  // Renders the worker's rows; returns at once when a stop is requested, at the latest
  // before the next kernel call.
  void CalcRows();
  bool StopRequested() const override { return Terminated(); }

  std::atomic<bool> started_{false};
  TWorkerShared shared_;
  std::int32_t slot_;
  std::vector<std::int32_t> rowCounts_;
};
