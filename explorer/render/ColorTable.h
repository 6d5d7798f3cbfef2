// The layout of the display control's 256-entry colour table as the renderers read it:
// one entry, the entries the explorer gives a meaning to, and the colour value of an entry.
// The table itself belongs to the display control; the renderers only take a pointer to it.
#pragma once

#include <cstdint>

// One entry, in the byte order of the display control's table (that of a Win32 RGBQUAD).
// Read as a little-endian 32-bit value an entry is 0x00RRGGBB, a 32-bit surface's pixel.
struct ColorTableEntry {
  std::uint8_t Blue;
  std::uint8_t Green;
  std::uint8_t Red;
  std::uint8_t Reserved;
};
static_assert(sizeof(ColorTableEntry) == 4, "a colour table entry is 4 bytes");

constexpr int ColorTableSize = 256;
constexpr int FirstFractalEntry = 16;   // entries 16 to 239: the 224 fractal colours
constexpr int FractalColorCount = 224;
constexpr int InsideEntry = 240;        // the inside colour

// The colour value 0x00BBGGRR of an entry.
constexpr std::uint32_t EntryColor(const ColorTableEntry& e) {
  return std::uint32_t(e.Red) | std::uint32_t(e.Green) << 8 | std::uint32_t(e.Blue) << 16;
}
