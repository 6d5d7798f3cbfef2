// The pixel-group procedure of every disk render (the workers, the single-thread file
// render and the printer render): the counts of one kernel call's points by the disk
// packing, their colours by the disk's choice between colour table and gradient, and the
// 24-bit store into a scan line. State: DiskRenderState.h; kernel calls: RowIteration.h.
//
// Like the screen's colouring (Coloring.h), the gradient needs the x87 default control
// word 0x133F on the calling thread: 64-bit precision, rounding to nearest.
#pragma once

#include <cstddef>
#include <cstdint>

#include "explorer/render/RowIteration.h"

// The disk packing: DiskKernel, DiskPixelsPerCall, DiskStepX, DiskStepY and the call
// arguments of DiskSettings; four quarter-pixel calls when subpixels is set.
TGroupPacking DiskPacking(bool subpixels);

// The imaginary coordinate of a worker's first row: the view's top (DiskSettings) -
// firstRow x DiskStepY. Later rows are stepped from it, as the screen's workers step
// theirs, so that an image at the display's size is the display's picture.
long double DiskFirstRowY(std::int32_t firstRow);

// The colour value 0x00BBGGRR of the count n by the colour settings of DiskSettings.
// n' := n + PaletteOffset (wrapping); an escaped count (n < the limit) takes entry
// 16 + Mod224(n') of DiskColorTable when the display is 8-bit or PaletteLoaded is set,
// else the gradient colour of n' as a signed number; an inside count takes entry 240, or
// InsideColor with the gradient.
std::uint32_t DiskColor(std::int32_t n);

// The colours of the group at (x, y): lane i at real x + i x DiskStepX, imaginary y.
// colors holds DiskPixelsPerCall values. Returns false, colours unset, when stop asked
// before a kernel call; stop may be null.
bool DiskGroupColors(long double x, long double y, bool subpixels, std::uint32_t* colors,
                     const IStopRequest* stop);

// Writes colour value 0x00BBGGRR as the pixel x of a 24-bit scan line: blue at 3x, green
// at 3x + 1, red at 3x + 2. No bounds check: callers keep x within the row.
inline void StorePixel24(std::uint8_t* line, std::int32_t x, std::uint32_t color) {
  std::uint8_t* p = line + 3 * static_cast<std::ptrdiff_t>(x);
  p[0] = std::uint8_t(color >> 16);
  p[1] = std::uint8_t(color >> 8);
  p[2] = std::uint8_t(color);
}
