// The render worker declared in CalcThread.h. A row is iterated into the worker's own
// buffer first and stored in one store section, so that a progress flip waits at most for
// one row's stores and never for a kernel call.
#include "explorer/render/CalcThread.h"

#include "explorer/render/Coloring.h"
#include "explorer/render/RenderState.h"
#include "forms/core/Consts.h"

TCalcThread::TCalcThread() : TThread(false) {
  wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (wake_ == nullptr) throw EThread(SThreadCreateError, std::string("CreateEvent"));
}

TCalcThread::~TCalcThread() {
  End();
  CloseHandle(wake_);
}

void TCalcThread::StartRows(std::int32_t firstRow, long double firstY, std::int32_t rowStep,
                            const TWorkerShared& shared, std::int32_t slot) {
  FirstRow = firstRow;
  FirstY = firstY;
  RowStep = rowStep;
  shared_ = shared;
  slot_ = slot;
  rowCounts_.resize(static_cast<std::size_t>(CallsPerRow) * PixelsPerCall);
  stop_.store(false, std::memory_order_relaxed);
  done_.store(false, std::memory_order_release);
  SetEvent(wake_);  // also orders every write above before the worker's wake
}

void TCalcThread::Abandon() {
  Terminate();
  SetEvent(wake_);
}

void TCalcThread::End() {
  if (Finished()) return;
  Terminate();
  SetEvent(wake_);
  WaitFor();
}

void TCalcThread::Execute() {
  SetFreeOnTerminate(false);
  for (;;) {
    WaitForSingleObject(wake_, INFINITE);
    if (Terminated()) return;
    busy_.store(true, std::memory_order_release);
    try {
      CalcRows();
    } catch (...) {
      // The render loses the rest of this worker's rows; the engine must still hear that
      // the worker has left it, or it would wait for it for ever.
    }
    // Done inside a store section: no worker becomes done while a flip has the gate closed.
    TStoreSection section(*shared_.Gate, slot_);
    busy_.store(false, std::memory_order_release);
    done_.store(true, std::memory_order_release);
    if (shared_.Remaining->fetch_sub(1, std::memory_order_acq_rel) == 1) SetEvent(shared_.AllDone);
  }
}

void TCalcThread::CalcRows() {
  const std::int32_t columns = CallsPerRow * PixelsPerCall;
  long double y = FirstY + RowStep * PixelStepY;
  for (std::int32_t row = FirstRow; row <= RenderHeight - 1; row += RowStep) {
    if (StopRequested()) return;
    // Advanced by repeated addition in extended precision, as every worker does.
    y = y - RowStep * PixelStepY;
    if (!RowCounts(y, rowCounts_.data(), this)) return;
    TStoreSection section(*shared_.Gate, slot_);
    // The engine closes and opens the gate after asking for a stop, so a row that had
    // not begun its stores by then sees the request here: the surface and IterBuffer may
    // be gone, or be the next render's.
    if (StopRequested()) return;
    for (std::int32_t col = 0; col < columns; ++col)
      StoreRenderedPixel(col, row, rowCounts_[col], shared_.Table);
  }
}
