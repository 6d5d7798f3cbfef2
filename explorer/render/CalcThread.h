// TCalcThread, the screen render worker: worker i of n renders rows i, i + n, i + 2n, ...
// of the image into the locked back surface and IterBuffer, storing each finished row
// inside a store section of the engine's gate (StoreGate.h). A worker outlives a render:
// between renders it waits for the next one, so that a render does not pay for starting
// and ending threads (under Wine that costs more than a whole default-view render on eight
// processors). The engine that hands out renders, watches and stops them is RenderEngine.h.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "explorer/render/ColorTable.h"
#include "explorer/render/RowIteration.h"
#include "explorer/render/StoreGate.h"
#include "forms/runtime/Thread.h"

// What every worker of one render shares: the gate, the colour table, and the count of
// workers still rendering, whose last one sets the event AllDone (manual reset).
struct TWorkerShared {
  TStoreGate* Gate = nullptr;
  const ColorTableEntry* Table = nullptr;
  std::atomic<std::int32_t>* Remaining = nullptr;
  HANDLE AllDone = nullptr;
};

class TCalcThread : public TThread, private IStopRequest {
public:
  // Starts at once (construct with New<TCalcThread>) and waits for its first render.
  TCalcThread();
  ~TCalcThread() override;

  long double FirstY = 0;      // imaginary coordinate of the first row
  std::int32_t FirstRow = 0;   // the first row
  std::int32_t RowStep = 1;    // the distance between rows: the number of workers

  // Main thread, while the worker waits: take the render whose rows start at firstRow
  // (imaginary coordinate firstY) every rowStep rows; slot is the worker's place in the
  // gate. The render state (RenderState.h) must be fixed before.
  void StartRows(std::int32_t firstRow, long double firstY, std::int32_t rowStep,
                 const TWorkerShared& shared, std::int32_t slot);
  // Asks the worker to leave its render; it answers before its next kernel call.
  void StopRows() { stop_.store(true, std::memory_order_release); }
  // The worker has left its rows (finished or stopped) and stores nothing more.
  bool Done() const { return done_.load(std::memory_order_acquire); }
  // The worker is between taking a render and leaving it. With the gate closed this
  // cannot turn false, and a busy worker is computing or waiting at the gate, never
  // inside the runtime or a system wait, so it can be suspended holding no lock that the
  // presenting thread might need.
  bool Busy() const { return busy_.load(std::memory_order_acquire); }
  // Ends the thread: Terminate, wake it, wait for it.
  void End();
  // Tells the thread to end once it returns from the kernel call it is in, without
  // waiting; the object is never freed (the program is ending) and the crew it was
  // given must stay, since the thread still reports to it.
  void Abandon();

protected:
  // Waits for a render, renders its rows, reports done; until terminated.
  void Execute() override;

private:
  // Renders the worker's rows; returns at once when a stop is requested, at the latest
  // before the next kernel call.
  void CalcRows();
  bool StopRequested() const override {
    return stop_.load(std::memory_order_acquire) || Terminated();
  }

  HANDLE wake_;  // auto reset: a render (or the end) is there
  std::atomic<bool> stop_{false};
  std::atomic<bool> done_{true};
  std::atomic<bool> busy_{false};
  TWorkerShared shared_;
  std::int32_t slot_ = 0;
  std::vector<std::int32_t> rowCounts_;
};
