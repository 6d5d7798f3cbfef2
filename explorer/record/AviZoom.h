// The arithmetic of the AVI zoom flight and of the record window's boxes: one zoom step
// in or out by k pixels per side, whether a step fits the surface, the silent precision
// rule of the flight with its own thresholds, and the repair and parsing rules of the
// zoom-steps, frame-rate, frame-size and client-width texts. Plain functions over plain
// values; the main window (MainAviZoom.cpp) and the record window (RecordWindow.cpp) apply them.
//
// Caller contract: as for Navigation.h, the view arithmetic is x87 extended.
#pragma once

#include <cstdint>
#include <string>

#include "explorer/app/KernelChoice.h"
#include "explorer/navigation/Navigation.h"

// The factors of the last zoom-out step (AviZoomFactorX, AviZoomFactorY).
struct TAviZoomFactors {
  long double X = 0;
  long double Y = 0;
};

// One zoom-in step: the view loses k pixels at the left and the right and k × SH / SW at
// the top and the bottom, so the next frame is this one magnified about its centre.
TPlaneView AviZoomIn(const TPlaneView& view, std::int32_t k, const TNavGeometry& g);
// One zoom-out step, the exact inverse of a zoom-in step; factors receives the factors
// it used (0 on an axis whose divisor is 0, which leaves that axis unchanged).
TPlaneView AviZoomOut(const TPlaneView& view, std::int32_t k, const TNavGeometry& g,
                      TAviZoomFactors& factors);

// A step of k pixels per side leaves some of the surface: 2k below the surface width and
// 2k × SH / SW below its height. A larger step would turn the view inside out.
bool AviZoomStepFits(std::int32_t k, std::int32_t surfaceWidth, std::int32_t surfaceHeight);

// The flight's silent precision rule: SSE and 3DNow! go off below AviSinglePrecisionLimit
// (with SSE2 on when the processor has it and the view is still above 5e-12), SSE2 goes
// off below AviDoublePrecisionLimit. Nothing is switched back on when zooming out.
TGuardSteps AviPrecisionSteps(long double viewWidth, long double viewHeight,
                              const TKernelSwitches& kernels, std::int32_t hasSSE2);

// The thresholds of the flight, the doubles nearest to their decimals.
constexpr double AviSinglePrecisionLimit = 1e-4;
constexpr double AviDoublePrecisionLimit = 5e-13;

// The zoom-steps box: a whole number from 1 to 99 stays, anything else becomes "8".
constexpr std::int32_t AviDefaultZoomSteps = 8;
bool ZoomStepsAccepted(const std::string& text);

// The width rule of the client-size boxes: round(width × 0.75), ties to even; false when
// the text is not a whole number.
bool ClientHeightForWidth(const std::string& widthText, std::int32_t& height);

// The frame rate of a recording, 1 to 255 frames per second: the recorder keeps it in
// 8 bits, so 256 would be stored as 0, a rate nothing can play. False otherwise.
bool ParseFrameRate(const std::string& text, std::uint8_t& fps);
// A frame side: a whole number from 1 up. False otherwise.
bool ParseFrameSide(const std::string& text, std::int32_t& side);
