// Palettes and bitmaps: the colour table of an 8-bit ".bmp" or ".dib" file taken as a
// palette, and the built-in picture of the preview window. The main window's Open and
// the copy-from-other-palette dialog read bitmaps through here.
#pragma once

#include <string>

#include "paletteeditor/core/PaletteTypes.h"
#include "dib/DIB.h"

inline constexpr char SNot8BitImage[] = "Not an 8 bit image";

// Loads the file into `dib`, converted to 8 bits ("Not an 8 bit image" is shown first
// when it had another bit count), and sets `palette` from its colour table; true when it
// was converted. The file is read into a bitmap of its own first: a file that fails to
// load raises and leaves both `dib` and `palette` as they were.
bool LoadBitmapPalette(const std::string& fileName, TDIB* dib, pal::PaletteColours& palette);

// The palette of a bitmap's colour table: red, green and blue of each RGBQUAD.
void PaletteFromColourTable(const RGBQUAD table[256], pal::PaletteColours& palette);

// Makes `dib` the preview's picture: 320 x 240 at 8 bits, each pixel its escape count,
// colour entry 0 black.
void MakePreviewPicture(TDIB* dib);
