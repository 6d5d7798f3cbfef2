// The default content of the display control's colour table: the 224 fractal colours
// from the gradient slopes (unless a palette is loaded), the inside colour and its
// inverse. The main window takes the lock, copies the result to the default table and
// shows it (MainPalette.cpp).
#pragma once

#include "explorer/render/ColorTable.h"

// Fills entries 16 to 239 from RedSlope, GreenSlope, BlueSlope and ColorScale when
// PaletteLoaded is 0 (entry 16 + i gets the gradient colour of count i), and entries
// 240 (InsideColor) and 15 (its inverse) always. Entries 0 to 14 and 241 to 255 are left.
void FillDefaultPalette(ColorTableEntry* table);
