// The explorer's colour settings: palette offset, table-or-gradient switch, gradient slopes
// and scale, inside colour. Owned by the main window, which sets them; every renderer
// reads them without a lock, so a change reaches only the pixels coloured after it.
#pragma once

#include <cstdint>

extern std::int32_t PaletteOffset;  // added to every count before it is coloured
extern std::int32_t PaletteLoaded;  // 0: colours from the slopes; -1: from the colour table
extern double RedSlope;             // gradient slopes, defaults 8, 16 and 24
extern double GreenSlope;
extern double BlueSlope;
extern double ColorScale;           // 1.0 or 0.01
extern std::uint32_t InsideColor;   // colour value 0x00BBGGRR of points that did not escape
