// The palette's colour operations: the start-up palette, the linear gradient, the grey
// level and the marker colour that stands out against a cell. Portable; the editor's
// unit (../Palette.h) shows the gradient's error box.
#pragma once

#include <cstdint>

#include "paletteeditor/core/PaletteStatus.h"
#include "paletteeditor/core/PaletteTypes.h"

namespace pal {

// Entry i := grey 255 - i (entry 0 white, entry 255 black).
void DefaultPalette(PaletteColours& palette);

// Entries start..end from colour `a` at `start` to colour `b` at `end` inclusive, each
// channel rounded to nearest with ties to even; entries outside stay. Equal indices
// (Code::GradientSameIndex) and a start after the end (Code::GradientReversed) change nothing.
Status PaletteGradient(std::uint8_t start, std::uint8_t end, Colour a, Colour b,
                       PaletteColours& palette);

// (77 red + 150 green + 29 blue) shr 8 in all three channels.
Colour GreyOf(Colour colour);

// The inverse colour, or, when any inverted channel is a mid grey (121 to 129) against
// which the inverse would not show, the inverse plus half of each original channel.
Colour ContrastMarkerColour(Colour colour);

}  // namespace pal
