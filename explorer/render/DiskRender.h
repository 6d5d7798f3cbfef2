// TDiskRender: the disk render as the print window drives it, the one header it needs of
// the disk render, as TRenderEngine is the screen's. A render is prepared (size, kernel and
// packing, the settings and the display's colours fixed), gets its white image, and then
// either runs on one worker per processor, polled until they have ended, or is computed
// row by row by its caller (the single-thread file render and the printer render).
//
// Behind it: the state DiskRenderState.h, the pixel group DiskPixelGroup.h, the image
// DiskImage.h, the workers DiskCalcThread.h and DiskWorkers.h (see disk-render.md).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "explorer/render/ColorTable.h"

class TDiskImage;

class TDiskRender {
public:
  TDiskRender() = default;
  // Abandons a render still under way.
  ~TDiskRender();
  TDiskRender(const TDiskRender&) = delete;
  TDiskRender& operator=(const TDiskRender&) = delete;

  // Fixes a render of width x height from the view, the render and colour settings and
  // the kernel switches as they are now, with the display's bit depth and a copy of its
  // colour table (table null: the copy taken last is kept). No worker may run.
  void Prepare(std::int32_t width, std::int32_t height, const ColorTableEntry* table,
               std::int32_t displayBits);
  std::int32_t Width() const;
  std::int32_t Height() const;
  // Points per kernel call of the prepared render: 1, 2 or 4.
  std::int32_t PixelsPerCall() const;

  // The image of the prepared size, all white; EOutOfMemory naming the size when it
  // cannot be had. Kept until DropImage.
  void MakeImage();
  const TDiskImage& Image() const;
  void DropImage();

  // One worker per processor on the image, each posting PBM_STEPIT to progressBar (may be
  // null) before each row. If a thread cannot be made, none is left and the error is
  // raised again; the image stays.
  void StartWorkers(HWND progressBar);
  // Every worker has finished its rows or stopped (true when there are none).
  bool WorkersEnded() const;
  // Frees the workers, waiting for any still inside its row; no more progress is posted.
  void FreeWorkers();
  // Asks every worker to stop and waits for all; they stay to be freed.
  void CancelWorkers();
  // The worker slots as a new print window has them: one empty entry per processor.
  void ClearWorkers();

  // Rows computed by the caller, stepped as a worker steps its rows: the imaginary
  // coordinate of a first row and the step from one row to the next, the row's pixels
  // into the image, and a row's colour values 0x00BBGGRR without subpixels, for the
  // printer (RowColorCount of them: whole kernel calls, so a few past the width).
  long double FirstRowY(std::int32_t firstRow) const;
  long double StepY() const;
  void RenderImageRow(std::int32_t row, long double y);
  std::size_t RowColorCount() const;
  void RenderRowColors(long double y, std::uint32_t* colors) const;

  // Stops and frees the workers, then drops the image, unsaved.
  void Abandon();
};
