// Palette rotation and the 32-bit animation's recolour declared in PaletteCycling.h. The
// recolour runs once per pixel per frame: no allocation, settings read once per frame.
#include "explorer/palette/PaletteCycling.h"

#include <cstring>

#include "explorer/render/Coloring.h"

namespace {

constexpr int LastFractalEntry = FirstFractalEntry + FractalColorCount - 1;  // 239

}  // namespace

void RotateFractalEntries(ColorTableEntry* table, std::uint8_t direction) {
  if (direction == 0) {
    const ColorTableEntry first = table[FirstFractalEntry];
    for (int i = FirstFractalEntry; i < LastFractalEntry; ++i) table[i] = table[i + 1];
    table[LastFractalEntry] = first;
  } else {
    const ColorTableEntry last = table[LastFractalEntry];
    for (int i = LastFractalEntry; i > FirstFractalEntry; --i) table[i] = table[i - 1];
    table[FirstFractalEntry] = last;
  }
}

TAnimColoring CurrentAnimColoring(std::int32_t offset, const ColorTableEntry* table) {
  TAnimColoring c;
  c.Colors = CurrentColorSettings();
  c.Colors.PaletteOffset = offset;
  c.Table = table;
  return c;
}

std::uint32_t AnimPixelValue(std::int32_t n, const TAnimColoring& c) {
  const std::uint32_t shifted = ShiftedCount(n, c.Colors.PaletteOffset);
  if (c.Colors.PaletteLoaded != 0) {
    std::uint32_t entry;
    std::memcpy(&entry, &c.Table[FractalEntryOf(shifted)], sizeof entry);
    return entry;
  }
  return SwapRB(GradientColor(static_cast<long double>(static_cast<std::int32_t>(shifted)),
                              c.Colors, GradientOrder::ScaleFirst));
}

void RecolorAnimationRow(const std::int32_t* counts, std::int32_t width, std::uint8_t* row,
                         const TAnimColoring& c) {
  for (std::int32_t x = 0; x < width; ++x) {
    const std::int32_t n = counts[x];
    if (n == 0) continue;
    const std::uint32_t value = AnimPixelValue(n, c);
    std::memcpy(row + 4 * static_cast<std::ptrdiff_t>(x), &value, sizeof value);
  }
}
