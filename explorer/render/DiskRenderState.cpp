// The disk render's state declared in DiskRenderState.h.
#include "explorer/render/DiskRenderState.h"

#include <cstring>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RowIteration.h"

std::int32_t DiskWidth = 0;
std::int32_t DiskHeight = 0;
long double DiskStepY = 0;
long double DiskStepX = 0;
std::int32_t DiskPixelsPerCall = 1;
std::int32_t DiskCallsPerRow = 0;
long double DiskRowStartX = 0;
TRenderKernel DiskKernel = TRenderKernel::FPU;

std::int32_t DiskSurfaceBitCount = 32;
ColorTableEntry DiskColorTable[ColorTableSize] = {};
TDiskSettings DiskSettings;

void SetDiskRenderSize(std::int32_t width, std::int32_t height) {
  DiskWidth = width;
  DiskHeight = height;
  DiskStepY = ViewHeight / height;
  DiskStepX = DiskStepY;
  DiskKernel = ChooseKernel();
  DiskPixelsPerCall = PointsPerCall(DiskKernel);
  // Rounded up: a width that is not a multiple of the packing still gets its last columns.
  DiskCallsPerRow =
      width > 0 ? std::int32_t((std::int64_t(width) + DiskPixelsPerCall - 1) / DiskPixelsPerCall)
                : 0;
  DiskRowStartX = ViewLeft - DiskPixelsPerCall * DiskStepX;
  TakeDiskSettings();
}

void TakeDiskSettings() {
  DiskSettings.ViewTop = ViewTop;
  DiskSettings.MaxIterations = RenderMaxIterations;
  DiskSettings.Bailout = RenderBailout;
  DiskSettings.JuliaMode = JuliaMode;
  DiskSettings.JuliaC = JuliaC;
  DiskSettings.Subpixels = Subpixels4X != 0;
  DiskSettings.Colors = CurrentColorSettings();
}

void TakeDiskColors(const ColorTableEntry* table, std::int32_t surfaceBitCount) {
  DiskSurfaceBitCount = surfaceBitCount;
  std::memcpy(DiskColorTable, table, sizeof DiskColorTable);
}
