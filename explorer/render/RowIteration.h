// The iteration of one image row as every screen renderer does it: the kernel and the
// packing of points into kernel calls chosen at render start, the arguments of each call
// in Mandelbrot and Julia mode, and the four quarter-pixel calls of Subpixels4X. Portable:
// the caller stores the counts (Coloring.h) and owns the surface.
#pragma once

#include <cstdint>

#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"

// Asked before every kernel call, so that a render stop is answered within one call.
class IStopRequest {
public:
  virtual bool StopRequested() const = 0;

protected:
  ~IStopRequest() = default;
};

// The kernel by the switches, in the order a render tries them: UseSSE2, UseSSE,
// Use3DNow, else the x87 kernel.
TRenderKernel ChooseKernel();
// The points per call of a kernel: 1, 2 or 4.
std::int32_t PointsPerCall(TRenderKernel kernel);

// Render start's packing: RenderKernel from the switches, PixelsPerCall to match,
// CallsPerRow := RenderWidth div PixelsPerCall, RowStartX := ViewLeft - PixelsPerCall x
// PixelStepX. Needs RenderWidth, PixelStepX and the view.
void SetPacking();

// How the points of one group are laid out and iterated: the kernel, its points per call,
// the steps between columns and rows, and whether four quarter-pixel calls are averaged.
// The screen renderers take it from the render state; the disk render has its own.
struct TGroupPacking {
  TRenderKernel Kernel = TRenderKernel::FPU;
  std::int32_t PointsPerCall = 1;
  long double StepX = 0;
  long double StepY = 0;
  bool Subpixels = false;
  // The arguments of every call: the limit, the bailout, the set and its constant; by
  // default the screen render's working copies and the current mode when made.
  std::int32_t MaxIterations = RenderMaxIterations;
  long double Bailout = RenderBailout;
  bool Julia = JuliaMode != 0;
  TExtendedComplex JuliaC = RenderJuliaC;
};

// The counts of the packing's points of one group, as GroupCounts below but with the
// given packing and its arguments.
bool PackedGroupCounts(const TGroupPacking& packing, long double x, long double y,
                       std::int32_t* counts, const IStopRequest* stop);

// The counts of the PixelsPerCall points of one group: point k at real x + k x PixelStepX,
// all on imaginary y. With Subpixels4X, four calls shifted by a quarter pixel whose counts
// are averaged (summed in 64 bits, so that counts near 2^31 cannot wrap). Returns false,
// with counts unset, when stop asked before a call; stop may be null.
bool GroupCounts(long double x, long double y, std::int32_t* counts, const IStopRequest* stop);

// The counts of a whole row at imaginary y: CallsPerRow groups, the first at RowStartX +
// PixelsPerCall x PixelStepX, each next group's x advanced by repeated addition. counts
// holds CallsPerRow x PixelsPerCall elements. Returns false when stop asked.
bool RowCounts(long double y, std::int32_t* counts, const IStopRequest* stop);
