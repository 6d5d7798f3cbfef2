// Render state fixed at each render start and read by every screen renderer, and the
// iteration buffer that keeps the counts of the last render for recolouring. The render
// start (RenderEngine.h) sets them; the renderers only read them (and write their own
// buffer elements). The single-thread renderer's place and the render time live here too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "explorer/render/RenderSettings.h"

// Which kernel a render calls, chosen once at its start (RowIteration.h).
enum class TRenderKernel { FPU, SSE2, SSE, ThreeDNow };

extern std::int32_t RenderMaxIterations;  // working copy of the iteration limit
extern long double RenderBailout;         // working copy of the bailout
// Working copy of the Julia constant (start value in the Mandelbrot set): the parameters
// window edits JuliaC in place while workers may still be iterating.
extern TExtendedComplex RenderJuliaC;
extern long double PixelStepX;            // equal to PixelStepY: square pixels
extern long double PixelStepY;            // ViewHeight / surface height
extern std::int32_t RenderWidth;          // the back surface's size at render start
extern std::int32_t RenderHeight;
extern long double ViewRight;             // for the parameters window
extern long double ViewBottom;

// How points are packed into kernel calls: 1, 2 or 4 points per call, the calls of one
// row, and the real coordinate one group to the left of the image.
extern std::int32_t PixelsPerCall;
extern std::int32_t CallsPerRow;
extern long double RowStartX;
// The kernel that goes with PixelsPerCall; both are fixed together, so that a kernel
// switch changed during a render can never make a call store more points than a group has.
extern TRenderKernel RenderKernel;

// RenderWidth x RenderHeight counts, row by row: the count of an escaped pixel, 0 for a
// pixel that did not escape or that no renderer reached.
extern std::vector<std::int32_t> IterBuffer;

// Set before a size change that keeps the surface's size: the next render start only
// recolours from IterBuffer.
extern std::uint8_t RecolorRequest;

// The single-thread renderer's next row and pass (1, 2 or 3).
extern std::int32_t RenderRow;
extern std::int32_t RenderPass;

// Millisecond clock values (timeGetTime) at render start and end, and the last render's
// duration as text: seconds with two decimals, right-aligned to at least 5 characters.
extern std::uint32_t RenderStartTime;
extern std::uint32_t RenderEndTime;
extern std::string RenderTimeText;

// Everything above back to its start value, empty as before the first render (for tests,
// which run many renders in one program). Only while no renderer runs.
void ResetRenderState();
