// The disk-render worker declared in DiskCalcThread.h. Pixels go straight into the
// worker's own rows of DiskImage; no other writer touches them, so no lock is taken.
#include "explorer/render/DiskCalcThread.h"

#include <commctrl.h>

#include "explorer/render/DiskImage.h"
#include "explorer/render/DiskPixelGroup.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/RenderSettings.h"

HWND DiskProgressBar = nullptr;

TcalcThread::TcalcThread(std::int32_t firstRow, long double firstY, std::int32_t rowStep)
    : TThread(false), FirstY(firstY), FirstRow(firstRow), RowStep(rowStep) {}

void TcalcThread::Execute() {
  SetFreeOnTerminate(false);
  DiskCalcRows();
  Terminate();
}

void TcalcThread::DiskCalcRows() {
  if (RowStep < 1) return;  // a worker without a row step has no rows of its own
  const bool subpixels = DiskSettings.Subpixels;
  const std::int32_t lanes = DiskPixelsPerCall;
  // Advanced by repeated subtraction in extended precision, as the screen's workers do.
  long double y = FirstY + RowStep * DiskStepY;
  // In 64 bits: FirstRow + k must not wrap past the last row of a tall image.
  for (std::int64_t k = 0;; k += RowStep) {
    const std::int64_t row = std::int64_t(FirstRow) + k;
    if (row > std::int64_t(DiskHeight) - 1 || Terminated()) return;
    std::uint8_t* line = DiskImage->ScanLine(static_cast<std::int32_t>(row));
    if (DiskProgressBar != nullptr) PostMessageA(DiskProgressBar, PBM_STEPIT, 0, 0);
    long double x = DiskRowStartX;
    y = y - RowStep * DiskStepY;
    std::int32_t column = 0;
    for (std::int32_t g = 0; g < DiskCallsPerRow; ++g) {
      x = x + lanes * DiskStepX;
      std::uint32_t colors[4];
      if (!DiskGroupColors(x, y, subpixels, colors, this)) return;
      for (std::int32_t i = 0; i < lanes && column < DiskWidth; ++i, ++column)
        StorePixel24(line, column, colors[i]);
    }
  }
}
