// The disk pixel-group procedure declared in DiskPixelGroup.h. The count -> colour rule
// is the one all renderers share (Coloring.h); only the choice between table and gradient
// and the 24-bit output are the disk's own.
#include "explorer/render/DiskPixelGroup.h"

#include "explorer/render/Coloring.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/RenderSettings.h"

TGroupPacking DiskPacking(bool subpixels) {
  TGroupPacking packing;
  packing.Kernel = DiskKernel;
  packing.PointsPerCall = DiskPixelsPerCall;
  packing.StepX = DiskStepX;
  packing.StepY = DiskStepY;
  packing.Subpixels = subpixels;
  packing.MaxIterations = DiskSettings.MaxIterations;
  packing.Bailout = DiskSettings.Bailout;
  packing.Julia = DiskSettings.JuliaMode != 0;
  packing.JuliaC = DiskSettings.JuliaC;
  return packing;
}

long double DiskFirstRowY(std::int32_t firstRow) {
  return DiskSettings.ViewTop - firstRow * DiskStepY;
}

std::uint32_t DiskColor(std::int32_t n) {
  const TColorSettings& c = DiskSettings.Colors;
  const bool fromTable = DiskSurfaceBitCount == 8 || c.PaletteLoaded != 0;
  if (n >= DiskSettings.MaxIterations)
    return fromTable ? EntryColor(DiskColorTable[InsideEntry]) : c.InsideColor;
  const std::uint32_t shifted = ShiftedCount(n, c.PaletteOffset);
  if (fromTable) return EntryColor(DiskColorTable[FractalEntryOf(shifted)]);
  return GradientColor(static_cast<long double>(static_cast<std::int32_t>(shifted)), c,
                       GradientOrder::SlopeFirst);
}

bool DiskGroupColors(long double x, long double y, bool subpixels, std::uint32_t* colors,
                     const IStopRequest* stop) {
  std::int32_t counts[4];
  if (!PackedGroupCounts(DiskPacking(subpixels), x, y, counts, stop)) return false;
  for (std::int32_t i = 0; i < DiskPixelsPerCall; ++i) colors[i] = DiskColor(counts[i]);
  return true;
}
