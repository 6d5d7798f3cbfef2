// The render worker declared in CalcThread.h. A row is iterated into the worker's own
// buffer first and stored in one store section, so that a progress flip waits at most for
// one row's stores and never for a kernel call.
#include "CalcThread.h"

#include "Coloring.h"
#include "RenderState.h"

TCalcThread::TCalcThread(std::int32_t firstRow, long double firstY, std::int32_t rowStep,
                         const TWorkerShared& shared, std::int32_t slot)
    : TThread(false), FirstY(firstY), FirstRow(firstRow), RowStep(rowStep), shared_(shared),
      slot_(slot) {
  rowCounts_.resize(static_cast<std::size_t>(CallsPerRow) * PixelsPerCall);
}

void TCalcThread::Execute() {
  started_.store(true, std::memory_order_release);
  SetFreeOnTerminate(false);
  CalcRows();
  TStoreSection section(*shared_.Gate, slot_);
  Terminate();
}

void TCalcThread::CalcRows() {
  const std::int32_t columns = CallsPerRow * PixelsPerCall;
  long double y = FirstY + RowStep * PixelStepY;
  for (std::int32_t row = FirstRow; row <= RenderHeight - 1; row += RowStep) {
    if (Terminated()) return;
    // Advanced by repeated addition in extended precision, as every worker does.
    y = y - RowStep * PixelStepY;
    if (!RowCounts(y, rowCounts_.data(), this)) return;
    TStoreSection section(*shared_.Gate, slot_);
    for (std::int32_t col = 0; col < columns; ++col)
      StoreRenderedPixel(col, row, rowCounts_[col], shared_.Table);
  }
}
