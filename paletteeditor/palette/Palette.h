// The editor's palette unit: `WorkPalette` and `OtherPalette`, and the palette file
// operations by name as the windows call them. Input and output failures raise the
// runtime's EInOutError with its message; the JASC header errors and the gradient's
// input errors are message boxes, after which the operation returns false. Every read
// changes its palette only when the whole file was read. The formats are in core/.
#pragma once

#include <cstdint>
#include <string>

#include "paletteeditor/core/PaletteColours.h"
#include "paletteeditor/core/PaletteTypes.h"

// The palette being edited, one per editor process, shared with the automation object.
extern pal::PaletteColours WorkPalette;
// The second palette of the copy-from-other-palette dialog; all black at start.
extern pal::PaletteColours OtherPalette;

// Read* fill the palette given; Load* fill WorkPalette.
void ReadRawPalette(const std::string& fileName, pal::PaletteColours& palette);
void LoadRawPalette(const std::string& fileName);
bool ReadJascPalette(const std::string& fileName, pal::PaletteColours& palette);
bool LoadJascPalette(const std::string& fileName);
void ReadMapPalette(const std::string& fileName, pal::PaletteColours& palette);
void LoadMapPalette(const std::string& fileName);
// 1 for `RawPalette`, 2 for `JascPalette`; 0 after a JASC header error box.
int ReadPaletteAuto(const std::string& fileName, pal::PaletteColours& palette);
int LoadPaletteAuto(const std::string& fileName);

void SaveRawPalette(const std::string& fileName);
void SaveJascPalette(const std::string& fileName);
void SaveMapPalette(const std::string& fileName);

// Fills WorkPalette with the start-up palette.
void DefaultPalette();
// The gradient of pal::PaletteGradient; its error box, and false, for equal or reversed
// indices.
bool PaletteGradient(std::uint8_t start, std::uint8_t end, pal::Colour a, pal::Colour b,
                     pal::PaletteColours& palette);
