// Start values of the settings declared in RenderSettings.h: those the main window's
// create handler gives them, so that a renderer used without it (tests, benchmarks)
// starts from the default view. The create handler sets them all again.
#include "explorer/render/RenderSettings.h"

long double ViewLeft = static_cast<long double>(-2.4);
long double ViewTop = static_cast<long double>(1.2);
long double ViewWidth = static_cast<long double>(3.2);
long double ViewHeight = static_cast<long double>(2.4);

std::int32_t MaxIterations = 150;
long double Bailout = 4.0L;
std::int32_t JuliaMode = 0;
TExtendedComplex JuliaC;

std::int32_t UseSSE2 = 0;
std::int32_t UseSSE = 0;
std::int32_t Use3DNow = 0;

std::int32_t UseMultiThreading = 0;
std::int32_t Subpixels4X = 0;
std::int32_t HideDrawing = -1;

std::int32_t CpuCount = 1;
std::uint8_t WinNT6OrLater = 0;
