// The row iteration declared in RowIteration.h. Coordinates are extended; each kernel
// gets them converted to its own precision (rounding to nearest), the x87 kernel in full.
#include "explorer/render/RowIteration.h"

#include "explorer/render/RenderSettings.h"
#include "kernels/itercore.h"

TRenderKernel ChooseKernel() {
  if (UseSSE2 != 0) return TRenderKernel::SSE2;
  if (UseSSE != 0) return TRenderKernel::SSE;
  if (Use3DNow != 0) return TRenderKernel::ThreeDNow;
  return TRenderKernel::FPU;
}

std::int32_t PointsPerCall(TRenderKernel kernel) {
  switch (kernel) {
    case TRenderKernel::SSE2:
    case TRenderKernel::ThreeDNow:
      return 2;
    case TRenderKernel::SSE:
      return 4;
    case TRenderKernel::FPU:
      break;
  }
  return 1;
}

void SetPacking() {
  RenderKernel = ChooseKernel();
  PixelsPerCall = PointsPerCall(RenderKernel);
  CallsPerRow = RenderWidth / PixelsPerCall;
  RowStartX = ViewLeft - PixelsPerCall * PixelStepX;
}

namespace {

// One kernel call for the points re[0..n-1] on imaginary im, in the mode's roles.
void KernelCall(const TGroupPacking& packing, const long double* re, long double im,
                std::int32_t* out) {
  const bool julia = packing.Julia;
  const TExtendedComplex& c = packing.JuliaC;
  const long double bailout = packing.Bailout;
  const std::uint32_t maxiter = static_cast<std::uint32_t>(packing.MaxIterations);
  // Mandelbrot: c is the point, z0 is JuliaC. Julia: c is JuliaC, z0 is the point.
  auto cr = [&](int k) { return julia ? c.Re : re[k]; };
  auto zr = [&](int k) { return julia ? re[k] : c.Re; };
  const long double ci = julia ? c.Im : im;
  const long double zi = julia ? im : c.Im;
  switch (packing.Kernel) {
    case TRenderKernel::SSE2:
      iterate_SSE2(&out[0], &out[1], double(cr(0)), double(cr(1)), double(ci), double(zr(0)),
                   double(zr(1)), double(zi), double(bailout), maxiter);
      return;
    case TRenderKernel::SSE:
      iterate_SSE(&out[0], &out[1], &out[2], &out[3], float(cr(0)), float(cr(1)), float(cr(2)),
                  float(cr(3)), float(ci), float(zr(0)), float(zr(1)), float(zr(2)),
                  float(zr(3)), float(zi), float(bailout), maxiter);
      return;
    case TRenderKernel::ThreeDNow:
      iterate_3DNOW(&out[0], &out[1], float(cr(0)), float(cr(1)), float(ci), float(zr(0)),
                    float(zr(1)), float(zi), float(bailout), maxiter);
      return;
    case TRenderKernel::FPU:
      break;
  }
  out[0] = static_cast<std::int32_t>(iterate_FPU(cr(0), ci, zr(0), zi, bailout, maxiter));
}

bool Stopped(const IStopRequest* stop) { return stop != nullptr && stop->StopRequested(); }

}  // namespace

bool PackedGroupCounts(const TGroupPacking& packing, long double x, long double y,
                       std::int32_t* counts, const IStopRequest* stop) {
  const std::int32_t n = packing.PointsPerCall;
  long double re[4];
  if (!packing.Subpixels) {
    if (Stopped(stop)) return false;
    for (std::int32_t k = 0; k < n; ++k) re[k] = x + k * packing.StepX;
    KernelCall(packing, re, y, counts);
    return true;
  }
  const long double qx = packing.StepX / 4;
  const long double qy = packing.StepY / 4;
  // (real, imaginary) quarter-pixel offsets in the order the four calls are made.
  const long double offsets[4][2] = {{-qx, -qy}, {qx, qy}, {-qx, qy}, {qx, -qy}};
  std::uint64_t sums[4] = {0, 0, 0, 0};
  for (const auto& o : offsets) {
    if (Stopped(stop)) return false;
    for (std::int32_t k = 0; k < n; ++k) re[k] = x + k * packing.StepX + o[0];
    std::int32_t sub[4];
    KernelCall(packing, re, y + o[1], sub);
    for (std::int32_t k = 0; k < n; ++k) sums[k] += static_cast<std::uint32_t>(sub[k]);
  }
  for (std::int32_t k = 0; k < n; ++k)
    counts[k] = static_cast<std::int32_t>(static_cast<std::uint32_t>(sums[k] >> 2));
  return true;
}

bool GroupCounts(long double x, long double y, std::int32_t* counts, const IStopRequest* stop) {
  TGroupPacking packing;
  packing.Kernel = RenderKernel;
  packing.PointsPerCall = PixelsPerCall;
  packing.StepX = PixelStepX;
  packing.StepY = PixelStepY;
  packing.Subpixels = Subpixels4X != 0;
  return PackedGroupCounts(packing, x, y, counts, stop);
}

bool RowCounts(long double y, std::int32_t* counts, const IStopRequest* stop) {
  long double x = RowStartX;
  for (std::int32_t g = 0; g < CallsPerRow; ++g) {
    x = x + PixelsPerCall * PixelStepX;
    if (!GroupCounts(x, y, counts + g * PixelsPerCall, stop)) return false;
  }
  return true;
}
