// Start values of the settings declared in RenderSettings.h: those the main window's
// create handler gives them, so that a renderer used without it (tests, benchmarks)
// starts from the default view. The create handler sets them all again.
#include "explorer/render/RenderSettings.h"

namespace {
// The default view: the doubles -2.4, 1.2, 3.2 and 2.4 widened.
constexpr long double StartViewLeft = static_cast<long double>(-2.4);
constexpr long double StartViewTop = static_cast<long double>(1.2);
constexpr long double StartViewWidth = static_cast<long double>(3.2);
constexpr long double StartViewHeight = static_cast<long double>(2.4);
constexpr std::int32_t StartMaxIterations = 150;
constexpr long double StartBailout = 4.0L;
constexpr std::int32_t StartHideDrawing = -1;
constexpr std::int32_t StartCpuCount = 1;
}  // namespace

long double ViewLeft = StartViewLeft;
long double ViewTop = StartViewTop;
long double ViewWidth = StartViewWidth;
long double ViewHeight = StartViewHeight;

std::int32_t MaxIterations = StartMaxIterations;
long double Bailout = StartBailout;
std::int32_t JuliaMode = 0;
TExtendedComplex JuliaC;

std::int32_t UseSSE2 = 0;
std::int32_t UseSSE = 0;
std::int32_t Use3DNow = 0;

std::int32_t UseMultiThreading = 0;
std::int32_t Subpixels4X = 0;
std::int32_t HideDrawing = StartHideDrawing;

std::int32_t CpuCount = StartCpuCount;
std::uint8_t WinNT6OrLater = 0;

void ResetRenderSettings() {
  ViewLeft = StartViewLeft;
  ViewTop = StartViewTop;
  ViewWidth = StartViewWidth;
  ViewHeight = StartViewHeight;
  MaxIterations = StartMaxIterations;
  Bailout = StartBailout;
  JuliaMode = 0;
  JuliaC = TExtendedComplex{};
  UseSSE2 = 0;
  UseSSE = 0;
  Use3DNow = 0;
  UseMultiThreading = 0;
  Subpixels4X = 0;
  HideDrawing = StartHideDrawing;
  CpuCount = StartCpuCount;
  WinNT6OrLater = 0;
}
