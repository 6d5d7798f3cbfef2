// What the render tests share: the explorer's default view and colouring as start-up sets
// them, and the reference kernel call, written out from the kernel exports, that the
// renderers' counts are checked against.
#pragma once

#include <cstdint>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "kernels/itercore.h"

// The default view of the Mandelbrot set, at 150 iterations and bailout 4.
inline void UseDefaultView() {
  ViewLeft = -2.4L;
  ViewTop = 1.2L;
  ViewWidth = 3.2L;
  ViewHeight = 2.4L;
  JuliaMode = 0;
  JuliaC = TExtendedComplex();
}

// The default colouring: slopes 8, 16 and 24 at scale 1, no offset, no palette map, a
// black inside colour.
inline void UseDefaultColouring() { ResetColorSettings(); }

// The render's globals as the program starts: settings, render state, colouring.
inline void ResetRenderGlobals() {
  ResetRenderSettings();
  ResetRenderState();
  ResetColorSettings();
}

// The kernel's count for the point (re, im) passed in every lane of one call, in the
// current mode's roles and the kernel's precision.
inline std::int32_t ReferenceCount(TRenderKernel kernel, long double re, long double im) {
  const bool julia = JuliaMode != 0;
  const long double cr = julia ? JuliaC.Re : re, ci = julia ? JuliaC.Im : im;
  const long double zr = julia ? re : JuliaC.Re, zi = julia ? im : JuliaC.Im;
  const std::uint32_t maxiter = std::uint32_t(RenderMaxIterations);
  std::int32_t out[4];
  switch (kernel) {
    case TRenderKernel::SSE2:
      iterate_SSE2(&out[0], &out[1], double(cr), double(cr), double(ci), double(zr), double(zr),
                   double(zi), double(RenderBailout), maxiter);
      return out[0];
    case TRenderKernel::SSE:
      iterate_SSE(&out[0], &out[1], &out[2], &out[3], float(cr), float(cr), float(cr), float(cr),
                  float(ci), float(zr), float(zr), float(zr), float(zr), float(zi),
                  float(RenderBailout), maxiter);
      return out[0];
    case TRenderKernel::ThreeDNow:
      iterate_3DNOW(&out[0], &out[1], float(cr), float(cr), float(ci), float(zr), float(zr),
                    float(zi), float(RenderBailout), maxiter);
      return out[0];
    case TRenderKernel::FPU:
      break;
  }
  return std::int32_t(iterate_FPU(cr, ci, zr, zi, RenderBailout, maxiter));
}
