// The frame timer's tick (TRenderEngine::FrameTick, RenderEngine.h): the zoom-selection
// animation, and the single-thread renderer, which renders one row per tick and presents
// every row, or three interlaced passes (rows 0, 4, 8 ..., then 2, 6, 10 ..., then the odd
// rows) presenting after each while HideDrawing is on.
#include <windows.h>

#include "explorer/render/Coloring.h"
#include "explorer/render/RenderEngine.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/render/RowIteration.h"

void TRenderEngine::FrameTick() {
  if (!surface_.CanDraw()) return;  // the render waits at RenderRow for a tick that can draw
  if (host_.SelectionActive()) {
    host_.DrawSelectionRect();
    Sleep(20);
    if (WinNT6OrLater == 0) surface_.WaitForVerticalBlank();
    host_.DrawSelectionRect();  // exclusive-or: the second drawing removes the rectangle
  }
  if (!singleThread_) return;
  // A pass that starts below the last row (an image of fewer than three rows) renders
  // nothing and only advances, so such a render still ends.
  if (RenderRow < RenderHeight) RenderOneRow();
  AdvanceRow();
}

void TRenderEngine::RenderOneRow() {
  surface_.ReleaseCanvas();
  LockSurface();
  // Also when the row ends by an exception: the tick then ends before the advance, and
  // the next tick renders the same row again.
  struct Unlock {
    TRenderEngine& engine;
    ~Unlock() { engine.UnlockSurface(); }
  } unlock{*this};
  const long double y = ViewTop - RenderRow * PixelStepY;  // afresh for each row
  RowCounts(y, rowCounts_.data(), nullptr);
  const ColorTableEntry* table = surface_.ColorTable();
  const std::int32_t columns = CallsPerRow * PixelsPerCall;
  for (std::int32_t col = 0; col < columns; ++col)
    StoreRenderedPixel(col, RenderRow, rowCounts_[col], table);
}

void TRenderEngine::AdvanceRow() {
  surface_.ReleaseCanvas();
  if (HideDrawing == 0) {
    surface_.Flip();
    RenderRow += 1;
    if (RenderRow >= RenderHeight) FinishSingleThread();
    return;
  }
  switch (RenderPass) {
    case 1:
      RenderRow += 4;
      if (RenderRow >= RenderHeight) {
        RenderRow = 2;
        RenderPass = 2;
        surface_.Flip();
      }
      break;
    case 2:
      RenderRow += 4;
      if (RenderRow >= RenderHeight) {
        RenderRow = 1;
        RenderPass = 3;
        surface_.Flip();
      }
      break;
    default:
      RenderRow += 2;
      if (RenderRow >= RenderHeight) {
        RenderPass = 1;
        surface_.Flip();
        FinishSingleThread();
      }
      break;
  }
}

void TRenderEngine::FinishSingleThread() {
  singleThread_ = false;
  RenderPass = 1;
  host_.SetFrameTimer(false);
  ReportFinished();
}
