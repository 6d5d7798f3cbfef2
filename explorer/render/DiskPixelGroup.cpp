// The disk pixel-group procedure declared in DiskPixelGroup.h. The count-to-colour
// arithmetic (Mod224, table entries, gradient channels) is the screen's (Coloring.h);
// only the choice between table and gradient and the 24-bit output are the disk's own.
#include "DiskPixelGroup.h"

#include "ColorSettings.h"
#include "Coloring.h"
#include "DiskRenderState.h"
#include "PixelPacking.h"
#include "RenderSettings.h"

TGroupPacking DiskPacking(bool subpixels) {
  TGroupPacking packing;
  packing.Kernel = DiskKernel;
  packing.PointsPerCall = DiskPixelsPerCall;
  packing.StepX = DiskStepX;
  packing.StepY = DiskStepY;
  packing.Subpixels = subpixels;
  return packing;
}

long double DiskRowY(std::int32_t row) { return ViewTop - row * DiskStepY; }

std::uint32_t DiskColor(std::int32_t n) {
  const bool fromTable = DiskSurfaceBitCount == 8 || PaletteLoaded != 0;
  if (n >= RenderMaxIterations)
    return fromTable ? EntryColor(DiskColorTable[InsideEntry]) : InsideColor;
  const std::uint32_t shifted = std::uint32_t(n) + std::uint32_t(PaletteOffset);
  if (fromTable) return EntryColor(DiskColorTable[FirstFractalEntry + Mod224(shifted)]);
  return GradientColor(static_cast<long double>(static_cast<std::int32_t>(shifted)));
}

bool DiskGroupColors(long double x, long double y, bool subpixels, std::uint32_t* colors,
                     const IStopRequest* stop) {
  std::int32_t counts[4];
  if (!PackedGroupCounts(DiskPacking(subpixels), x, y, counts, stop)) return false;
  for (std::int32_t i = 0; i < DiskPixelsPerCall; ++i) colors[i] = DiskColor(counts[i]);
  return true;
}
