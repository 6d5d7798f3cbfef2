// The narrow road from the render engine to the display: lock and unlock the back
// surface, present it, its current size and the colour table. The explorer implements it
// over its display control (TDXDraw: Surface.Lock/Unlock, Flip, SurfaceWidth/Height,
// ColorTable, CanDraw, the canvas release and the vertical-blank wait); tests and the
// benchmark over memory (tests/support/render/MemorySurface.h).
#pragma once

#include <cstdint>

#include "explorer/render/ColorTable.h"
#include "explorer/render/LockedSurface.h"

class IRenderSurface {
public:
  // Locks the back surface for pixel stores and describes it in desc; false when the lock
  // failed, in which case desc.Pixels is null and nothing may be stored.
  virtual bool Lock(TLockedSurfaceDesc& desc) = 0;
  // Unlocks what the last successful Lock locked.
  virtual void Unlock() = 0;
  // Presents the back surface (TCustomDXDraw.Flip, with the control's vertical-sync option).
  virtual void Flip() = 0;
  // The back surface's current size.
  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
  // The display control's 256 colour-table entries, read without a lock.
  virtual const ColorTableEntry* ColorTable() const = 0;

  // For the frame timer: whether the display can draw now (TCustomDXDraw.CanDraw).
  virtual bool CanDraw() { return true; }
  // Releases the back surface's canvas device context, if one is held.
  virtual void ReleaseCanvas() {}
  // Waits for the beginning of the next vertical blank; does nothing where it cannot.
  virtual void WaitForVerticalBlank() {}

protected:
  ~IRenderSurface() = default;
};
