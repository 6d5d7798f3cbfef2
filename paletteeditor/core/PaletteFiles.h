// The palette file operations by name: each opens the file, does its work and closes it
// before it returns. A read fills `palette` only when the whole file was read. The
// editor's unit (../Palette.h) turns the statuses into its exceptions and message boxes.
#pragma once

#include <cstdint>
#include <string>

#include "paletteeditor/core/PaletteStatus.h"
#include "paletteeditor/core/PaletteTypes.h"

namespace pal {

Status ReadRawPalette(const std::string& fileName, PaletteColours& palette);
Status ReadJascPalette(const std::string& fileName, PaletteColours& palette);
Status ReadMapPalette(const std::string& fileName, PaletteColours& palette);
// Detects the format of a ".pal" file by its first line: `JascPalette` when it is exactly
// "JASC-PAL", else `RawPalette`; reads it and sets `format` to the one detected (also when
// the read then fails).
Status ReadPaletteAuto(const std::string& fileName, PaletteColours& palette, std::int32_t& format);

Status SaveRawPalette(const std::string& fileName, const PaletteColours& palette);
Status SaveJascPalette(const std::string& fileName, const PaletteColours& palette);
Status SaveMapPalette(const std::string& fileName, const PaletteColours& palette);

}  // namespace pal
