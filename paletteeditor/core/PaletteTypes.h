// The palette as the editor holds it: 256 colour values 0x00BBGGRR (red in the low byte),
// with the channel helpers every palette operation uses. Portable; the file formats are
// in PaletteCodecs.h and the colour operations in PaletteColours.h.
#pragma once

#include <array>
#include <cstdint>

namespace pal {

constexpr int PaletteSize = 256;
using Colour = std::uint32_t;
using PaletteColours = std::array<Colour, PaletteSize>;

// The values of the main window's `PaletteFormat`: the format a Save writes.
enum : std::int32_t {
  NoPaletteFormat = 0,
  RawPalette = 1,
  JascPalette = 2,
  MapPalette = 3,
  BitmapPalette = 4,
};

constexpr std::uint8_t RedOf(Colour c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(Colour c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(Colour c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
         static_cast<Colour>(blue) << 16;
}
constexpr Colour Grey(std::uint8_t level) { return MakeColour(level, level, level); }

}  // namespace pal
