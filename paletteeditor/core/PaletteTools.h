// The editor's palette tools as plain functions over a palette: change colour, copy,
// exchange, copy from another palette, rotate and reverse. The gradient tool is
// `PaletteGradient` (PaletteColours.h). Indices outside 0..255 change nothing; the main
// window's dialogs never pass them.
#pragma once

#include "paletteeditor/core/PaletteTypes.h"

namespace pal {

enum class RotateDirection { Left = 0, Right = 1 };

// Every entry from..to that equals `oldColour` exactly becomes `newColour`.
void ChangeColour(PaletteColours& palette, int from, int to, Colour oldColour, Colour newColour);

// Entry t := entry (from + t - target) for t from target up to target + to - from, stopping
// at entry 255. The copy runs in place in ascending order, so a target inside the source
// above its start repeats the start of the source pattern.
void CopyColours(PaletteColours& palette, int from, int to, int target);

// The same target range; each entry t is swapped with entry (from + t - target), ascending.
void ExchangeColours(PaletteColours& palette, int from, int to, int target);

// As CopyColours, the source being entries from..to of `other`.
void CopyFromOtherPalette(PaletteColours& palette, const PaletteColours& other, int from, int to,
                          int target);

// `amount` one-step rotations of entries from..to; Left moves every entry down by one and
// the first to the end. A range with `from` after `to` is left as it is.
void RotateColours(PaletteColours& palette, int from, int to, int amount, RotateDirection direction);

// Swaps entry from + i with entry to - i for i from 0 to (to - from) / 2.
void ReverseColours(PaletteColours& palette, int from, int to);

}  // namespace pal
