// TcalcThread, the disk-render worker: worker i of n renders rows i, i + n, i + 2n, ...
// of DiskImage by the pixel-group procedure (DiskPixelGroup.h), announcing every row it
// starts to the progress bar by a posted message. Unlike the screen's workers it lives
// for one render: it ends by itself after its last row and reports that through its own
// terminated flag. The set of workers of a render is DiskWorkers.h.
#pragma once

#include <windows.h>

#include <cstdint>

#include "explorer/render/RowIteration.h"
#include "forms/runtime/Thread.h"

// The progress bar's window; each worker posts PBM_STEPIT (both parameters 0) to it
// before each row. Null: no progress is posted.
extern HWND DiskProgressBar;

class TcalcThread : public TThread, private IStopRequest {
public:
  // Stores the fields, then starts at once (construct with New<TcalcThread>). The disk
  // render state and DiskImage must be in place before.
  TcalcThread(std::int32_t firstRow, long double firstY, std::int32_t rowStep);

  long double FirstY;     // imaginary coordinate of row FirstRow
  std::int32_t FirstRow;  // first image row of the worker, 0 = top
  std::int32_t RowStep;   // distance between the worker's rows: the number of workers

protected:
  // Runs DiskCalcRows, then Terminate: Terminated reads true once the rows are done.
  void Execute() override;

private:
  // The row loop. A terminate request is answered before the next kernel call; the row
  // then keeps the pixels stored so far.
  void DiskCalcRows();
  bool StopRequested() const override { return Terminated(); }
};
