// The small routines that turn a colour value 0x00BBGGRR into a pixel of a 16-, 24- or
// 32-bit surface, and the index rule of the 224 fractal colours. Pixel stores are in
// LockedSurface.h; the colouring rule that chooses between them is in Coloring.h.
#pragma once

#include <cstdint>

// 0x00BBGGRR -> 0x00RRGGBB, the layout of 24- and 32-bit surfaces; byte 3 is cleared.
constexpr std::uint32_t SwapRB(std::uint32_t c) {
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

// 5-6-5 pixel, red in the top five bits.
constexpr std::uint32_t ColorTo565(std::uint32_t c) {
  return ((c & 0xFF) >> 3) << 11 | ((c >> 8 & 0xFF) >> 2) << 5 | ((c >> 16 & 0xFF) >> 3);
}

// 5-5-5 pixel, red in bits 10-14.
constexpr std::uint32_t ColorTo555(std::uint32_t c) {
  return ((c & 0xFF) >> 3) << 10 | ((c >> 8 & 0xFF) >> 3) << 5 | ((c >> 16 & 0xFF) >> 3);
}

// n taken as unsigned, so a negative shifted count -1 maps to 4294967295 mod 224 = 31.
constexpr std::uint32_t Mod224(std::uint32_t n) { return n % 224; }
