// The view and the render settings that every screen renderer reads: the rectangle of the
// plane shown, the iteration limit and bailout, the Mandelbrot/Julia switch, the kernel
// switches and the render options. The main window owns and sets them (its create handler
// gives the start values, navigation and the parameters window change them); they live
// here, below the main window, because the renderers read them. Colours: ColorSettings.h.
#pragma once

#include <cstdint>

// Two extended values: the Julia constant c in Julia mode, the start value z0 in
// Mandelbrot mode.
struct TExtendedComplex {
  long double Re = 0;
  long double Im = 0;
};

// The view, in 80-bit extended precision. A drag to the left gives negative sizes.
extern long double ViewLeft;
extern long double ViewTop;
extern long double ViewWidth;
extern long double ViewHeight;

extern std::int32_t MaxIterations;  // the iteration limit; a render works on a copy
extern long double Bailout;         // compared with |z|^2; a render works on a copy
extern std::int32_t JuliaMode;      // 0: Mandelbrot set, -1: Julia set
extern TExtendedComplex JuliaC;

// Kernel switches, 0 or -1, at most one on; none on means the x87 kernel.
extern std::int32_t UseSSE2;
extern std::int32_t UseSSE;
extern std::int32_t Use3DNow;

extern std::int32_t UseMultiThreading;  // -1: one render worker per processor
extern std::int32_t Subpixels4X;        // -1: four subpixels averaged per pixel
extern std::int32_t HideDrawing;        // -1: no progress shown ("Don't show drawing ")

extern std::int32_t CpuCount;           // processors, read once at start-up
extern std::uint8_t WinNT6OrLater;      // 1 on Windows NT 6.0 or later

// Every setting above back to its start value, as the program begins (for tests, which
// run many windows and renders in one program).
void ResetRenderSettings();
