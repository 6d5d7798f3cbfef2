// The arithmetic of palette animation, free of the display: the 8-bit rotation of the
// 224 fractal entries, the 32-bit recolour of one row from IterBuffer with a running
// offset, and the speed steps. The threads that drive them are in PaletteAnimThreads.h.
#pragma once

#include <cstdint>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/ColorTable.h"

// Rotates entries 16 to 239 by one. Direction 0 moves every colour one entry down (16
// takes 17's, 239 takes 16's), direction 1 one entry up; on screen both move the colours
// as the 32-bit offset steps of the same direction do.
void RotateFractalEntries(ColorTableEntry* table, std::uint8_t direction);

// How a 32-bit frame colours a count, fixed once per frame: the colour settings with the
// frame's offset as PaletteOffset, and the display control's 256 entries.
struct TAnimColoring {
  TColorSettings Colors;
  const ColorTableEntry* Table = nullptr;
};

// The settings of ColorSettings.h as they are now, with offset in place of PaletteOffset.
TAnimColoring CurrentAnimColoring(std::int32_t offset, const ColorTableEntry* table);

// The 32-bit pixel 0x00RRGGBB of an escaped count n (not 0) by the shared rule
// (Coloring.h): with PaletteLoaded, entry 16 + Mod224(n') stored unchanged, its reserved
// byte included; else the gradient colour of n' (signed), the scale multiplied first.
// Needs the x87 at 64-bit precision, rounding to nearest (Coloring.h).
std::uint32_t AnimPixelValue(std::int32_t n, const TAnimColoring& c);

// Recolours one row: width counts into width 32-bit pixels at row; a count of 0 (inside)
// leaves its pixel as it is.
void RecolorAnimationRow(const std::int32_t* counts, std::int32_t width, std::uint8_t* row,
                         const TAnimColoring& c);

// AnimDelay's steps: 10 ms less per frame down to 0, 10 ms more up to 100.
constexpr std::int32_t AnimDelayStep = 10;
constexpr std::int32_t MaxAnimDelay = 100;
constexpr std::int32_t FasterAnimDelay(std::int32_t delay) {
  return delay - AnimDelayStep < 0 ? 0 : delay - AnimDelayStep;
}
constexpr std::int32_t SlowerAnimDelay(std::int32_t delay) {
  return delay + AnimDelayStep > MaxAnimDelay ? MaxAnimDelay : delay + AnimDelayStep;
}
