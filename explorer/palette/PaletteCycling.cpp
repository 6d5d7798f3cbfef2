// Palette rotation and the 32-bit animation's recolour declared in PaletteCycling.h. The
// recolour runs once per pixel per frame: no allocation, settings read once per frame.
#include "explorer/palette/PaletteCycling.h"

#include <cmath>
#include <cstring>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/PixelPacking.h"

namespace {

constexpr int LastFractalEntry = FirstFractalEntry + FractalColorCount - 1;  // 239

// The low byte of Round(v x slope), ties to even; a product beyond the 64-bit integer
// range gives 0, the low byte of the x87's integer-indefinite value.
std::uint8_t AnimChannel(long double v, double slope) {
  const long double r = std::rint(v * static_cast<long double>(slope));
  if (!(std::fabs(r) < 0x1p63L)) return 0;
  return std::uint8_t(static_cast<std::int64_t>(r));
}

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
  c.Offset = offset;
  c.FromTable = PaletteLoaded != 0;
  c.ColorScale = ColorScale;
  c.RedSlope = RedSlope;
  c.GreenSlope = GreenSlope;
  c.BlueSlope = BlueSlope;
  c.Table = table;
  return c;
}

std::uint32_t AnimPixelValue(std::int32_t n, const TAnimColoring& c) {
  const std::uint32_t shifted = std::uint32_t(n) + std::uint32_t(c.Offset);
  if (c.FromTable) {
    const ColorTableEntry& e = c.Table[FirstFractalEntry + Mod224(shifted)];
    return std::uint32_t(e.Blue) | std::uint32_t(e.Green) << 8 | std::uint32_t(e.Red) << 16 |
           std::uint32_t(e.Reserved) << 24;
  }
  const long double v = static_cast<long double>(static_cast<std::int32_t>(shifted)) *
                        static_cast<long double>(c.ColorScale);
  return std::uint32_t(AnimChannel(v, c.RedSlope)) << 16 |
         std::uint32_t(AnimChannel(v, c.GreenSlope)) << 8 | AnimChannel(v, c.BlueSlope);
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
