// The negative image of the colour table: entries 15 to 240 (the inside colour's inverse,
// the 224 fractal colours and the inside colour) inverted channel by channel. The main
// window's command that takes the lock and shows it is in MainNegativeImage.cpp.
#pragma once

#include <cstdint>

#include "explorer/render/ColorTable.h"

// Inverts blue, green and red of entries 15 to 240; the reserved bytes stay. Returns the
// colour value 0x00BBGGRR of the new entry 240, the new inside colour. Since entry 15
// holds the inverse of 240, twice restores every entry exactly.
std::uint32_t InvertColorTable(ColorTableEntry* table);
