// The display control's colour tables and their conversion to DirectDraw palette
// entries: the screen's system palette (with a fallback where the screen has none),
// and the merge that keeps the system colours in entries 0 to 14 and 241 to 255.
#pragma once

#include <windows.h>

#include <array>

using TDXDrawColorTable = RGBQUAD[256];
using TDXDrawPaletteEntries = std::array<PALETTEENTRY, 256>;

// The screen's current system palette. A true-colour screen has none and returns no
// entries; the table then holds the system's 20 static colours in entries 0 to 9 and
// 246 to 255 and black everywhere else, never what happened to be in memory.
TDXDrawPaletteEntries ScreenSystemPalette();

// Table converted (red and blue swapped, flags 0); unless AllowPalette256, entries 0
// to 14 and 241 to 255 taken from System instead; entries 15 to 240 flagged
// PC_RESERVED so that they can be animated.
TDXDrawPaletteEntries MergeColorTable(const RGBQUAD table[256], bool allowPalette256,
                                      const TDXDrawPaletteEntries& system);

// MergeColorTable with the screen's system palette, read now.
TDXDrawPaletteEntries ColorTableToPaletteEntries(const RGBQUAD table[256], bool allowPalette256);
