// The arithmetic of navigation: the snapped, aspect-locked zoom selection, zooming into
// it or (with Ctrl) out of it, the middle-button pan, the keypad and wheel zoom steps, the
// arrow moves, the Julia constant under the cursor and the kernel precision rule. Plain
// functions over plain values; the main window (MainNavigation.cpp) applies them to the
// explorer's settings and restarts the render.
//
// Caller contract: all view arithmetic is x87 extended, so the calling thread must run
// with 64-bit precision control, which the explorer's default control word 0x133F gives.
#pragma once

#include <cstdint>

#include "explorer/app/KernelChoice.h"

// The rectangle of the complex plane that is shown. A drag to the left yields negative
// sizes on purpose: the next render shows the region turned by half a turn.
struct TPlaneView {
  long double Left = 0;
  long double Top = 0;
  long double Width = 0;
  long double Height = 0;
};

// A point in the display control's client coordinates (SelStart, SelEnd).
struct TSelPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// The pixel steps of the last render start and the sizes the commands read: the
// display's current surface size (SW, SH) and the size of the last render (W, H).
struct TNavGeometry {
  long double StepX = 0;  // PixelStepX
  long double StepY = 0;  // PixelStepY
  std::int32_t SurfaceWidth = 0;
  std::int32_t SurfaceHeight = 0;
  std::int32_t RenderWidth = 0;
  std::int32_t RenderHeight = 0;
};

// a / b, and 0 when b is 0.
long double SafeDiv(long double a, long double b);

// The integer nearest to v, ties to even.
std::int32_t RoundToEven(long double v);

// The selection's far corner for a mouse at column mouseX: the width moves in whole
// steps of 4 pixels toward the mouse (never past it), the height follows from the width
// by the surface's aspect ratio, so the mouse's row does not matter.
TSelPoint SnapSelectionEnd(TSelPoint start, std::int32_t mouseX, std::int32_t surfaceWidth,
                           std::int32_t surfaceHeight);

// A release zooms only when both sides of the selection are longer than 2 pixels.
bool SelectionZooms(TSelPoint start, TSelPoint end);

// The view shown by the selection rectangle (zoom in).
TPlaneView ZoomIntoSelection(const TPlaneView& view, TSelPoint start, TSelPoint end,
                             const TNavGeometry& g);

// The view of which the old view fills the selection rectangle (Ctrl: zoom out).
TPlaneView ZoomOutOfSelection(const TPlaneView& view, TSelPoint start, TSelPoint end,
                              const TNavGeometry& g);

// The middle-button pan from the press at start to the release at (x, y): the picture
// follows the drag.
TPlaneView PanView(const TPlaneView& view, TSelPoint start, std::int32_t x, std::int32_t y,
                   const TNavGeometry& g);

// One keypad (or wheel) step: in loses 4 pixels at the left and right and 4 SH / SW at
// the top and bottom, about the centre; out is its exact inverse.
TPlaneView KeypadZoomIn(const TPlaneView& view, const TNavGeometry& g);
TPlaneView KeypadZoomOut(const TPlaneView& view, const TNavGeometry& g);

// The arrow keys move the picture 2 pixels in the arrow's direction.
enum class TArrow { Left, Up, Right, Down };
TPlaneView MoveView(const TPlaneView& view, TArrow arrow, const TNavGeometry& g);

// The plane point under the client point p (Space's Julia constant).
void PlanePointAt(const TPlaneView& view, TSelPoint p, const TNavGeometry& g, long double& re,
                  long double& im);

// The view a switch to a Julia set shows.
TPlaneView JuliaStartView();
// The default Mandelbrot view, each value the double nearest to its decimal.
TPlaneView DefaultView();

// Where a surface smaller than the display shows when centred on it (full screen with the
// 4:3 surface): (display - surface) div 2 on each axis.
TSelPoint CentringOffsets(std::int32_t displayWidth, std::int32_t displayHeight,
                          std::int32_t surfaceWidth, std::int32_t surfaceHeight);

// What the interactive precision guard does for a view, in order: switch SSE and 3DNow!
// off (the first warning), then possibly SSE2 on; and, independently, SSE2 off (the
// second warning). At most one of Sse2On and Sse2Off holds.
struct TGuardSteps {
  bool SinglesOff = false;
  bool Sse2On = false;
  bool Sse2Off = false;
};
TGuardSteps PrecisionGuardSteps(long double viewWidth, long double viewHeight,
                                const TKernelSwitches& kernels, std::int32_t hasSSE2);
// The same steps with other thresholds for SSE and 3DNow! and for SSE2 (the zoom flight
// has its own); SSE2 goes on only above DoubleSwitchOnLimit.
TGuardSteps PrecisionStepsWithin(long double viewWidth, long double viewHeight,
                                 const TKernelSwitches& kernels, std::int32_t hasSSE2,
                                 double singleLimit, double doubleLimit);
// The switches after those steps.
TKernelSwitches ApplyGuardSteps(TKernelSwitches kernels, const TGuardSteps& steps);

// The silent rule of start-up: a view narrower than single precision resolves switches
// SSE and 3DNow! off; then, when neither is on and the view is wide enough for double
// precision, SSE2 goes on.
TKernelSwitches StartupPrecision(long double viewWidth, long double viewHeight,
                                 TKernelSwitches kernels, std::int32_t hasSSE2);

// The thresholds, the doubles nearest to their decimals, compared in extended precision.
constexpr double SinglePrecisionLimit = 0.00007;
constexpr double DoubleSwitchOnLimit = 5e-12;
constexpr double DoublePrecisionLimit = 9e-14;
