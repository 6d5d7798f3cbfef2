// The frames-per-second figure of palette animation: the rate from the frame count and
// the millisecond clock, and its two texts (the 32-bit threads' and the 8-bit thread's).
// Drawing the text is in FrameRateOverlay.h.
#pragma once

#include <cstdint>
#include <string>

// frames / ((now - start) x 0.001), both counts unsigned 32-bit, in extended precision;
// the elapsed time wraps with the clock. No time elapsed gives infinity (or NaN for no
// frame), as the x87 does with its exceptions masked.
long double FrameRate(std::uint32_t frames, std::uint32_t now, std::uint32_t start);

// Fixed notation, 7 significant digits at most and 1 decimal: 59.94 -> "59.9"; beyond 7
// integer digits the exponent form ("1.234568E10"); "INF", "-INF", "NAN".
std::string FrameRateText32(long double rate);
// "%-6.1f": 1 decimal, left-aligned in 6 characters ("59.9  ").
std::string FrameRateText8(long double rate);
