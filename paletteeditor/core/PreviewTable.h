// The colour table of the picture preview: the palette turned by the selected entry, so
// escape count n of the picture shows palette entry n + selection.
#pragma once

#include <cstdint>

#include "paletteeditor/core/PaletteTypes.h"

namespace pal {

// The first entry of the picture's table that takes the palette: 1 keeps the picture's
// own black for the inside of the set; 0 once a bitmap was opened.
constexpr int PreviewFirstEntryStart = 1;

// For i from firstEntry to 255, entry i of `table` (4 bytes each: blue, green, red,
// reserved) := palette[(i + selected) mod 256]; the reserved byte is not touched.
void FillPreviewTable(const PaletteColours& palette, int selected, int firstEntry,
                      std::uint8_t (*table)[4]);

}  // namespace pal
