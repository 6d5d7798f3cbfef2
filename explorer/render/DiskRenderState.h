// The disk render's state: the size of the image, its steps in the plane, the packing of
// its points into kernel calls, and the display facts its colouring needs. Set by the
// start of a direct render before any worker runs, and not changed while workers run.
// The pixel-group procedure that reads it is DiskPixelGroup.h; the workers, DiskCalcThread.h.
#pragma once

#include <cstdint>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/ColorTable.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"

extern std::int32_t DiskWidth;          // image width in pixels
extern std::int32_t DiskHeight;         // image height in pixels
extern long double DiskStepY;           // ViewHeight / DiskHeight: the step per row
extern long double DiskStepX;           // equal to DiskStepY: the step per column
extern std::int32_t DiskPixelsPerCall;  // points per kernel call: 1, 2 or 4
// Kernel calls per row: enough groups to cover every column, the last group's lanes
// past the right edge being computed but not stored.
extern std::int32_t DiskCallsPerRow;
extern long double DiskRowStartX;       // ViewLeft - DiskPixelsPerCall x DiskStepX
// The kernel that goes with DiskPixelsPerCall; fixed together, so a kernel switch changed
// during a render cannot make a call return more points than a group holds.
extern TRenderKernel DiskKernel;

// Taken once when the render starts: the bit depth of the display's surface (its table
// colours are used when it is 8) and a copy of the display control's colour table. The
// display can be re-initialised, or the control freed, while the workers still run.
extern std::int32_t DiskSurfaceBitCount;
extern ColorTableEntry DiskColorTable[ColorTableSize];

// The settings every pixel of a disk render is computed with, fixed when it starts: the
// main window may zoom, recolour or switch to a Julia set while the workers run (the
// print window can be closed meanwhile), and the picture being rendered must not change.
struct TDiskSettings {
  long double ViewTop = 0;
  std::int32_t MaxIterations = 0;  // the screen render's working copies
  long double Bailout = 4;
  std::int32_t JuliaMode = 0;
  TExtendedComplex JuliaC;
  bool Subpixels = false;
  TColorSettings Colors;
};
extern TDiskSettings DiskSettings;

// Sets the size, the steps from ViewHeight, the packing from the kernel switches (UseSSE2,
// UseSSE, Use3DNow, else the x87 kernel) and the view's left edge, and takes the settings.
void SetDiskRenderSize(std::int32_t width, std::int32_t height);

// Takes DiskSettings from the view, the render state and the colour settings.
void TakeDiskSettings();

// Takes the display's bit depth and a copy of its 256 colour-table entries.
void TakeDiskColors(const ColorTableEntry* table, std::int32_t surfaceBitCount);
