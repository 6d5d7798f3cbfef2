// The three palette file formats as codecs between a byte source and a palette:
// `RawPalette` (768 bytes, 6-bit channels), `JascPalette` (text with a three-line header)
// and `MapPalette` (Fractint text map closed by a Ctrl-Z). Every decoder fills a copy and
// replaces the caller's palette only when the whole file was read, so a failure leaves it
// exactly as it was. By-name operations are in PaletteFiles.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "paletteeditor/core/ByteSource.h"
#include "paletteeditor/core/PaletteStatus.h"
#include "paletteeditor/core/PaletteTypes.h"

namespace pal {

constexpr std::size_t RawPaletteSize = 3 * PaletteSize;
constexpr std::size_t HeaderLimit = 10;
inline constexpr char JascSignature[] = "JASC-PAL";
inline constexpr char JascVersion[] = "0100";
constexpr std::int32_t JascCount = 256;
constexpr std::uint8_t TextEnd = 26;  // Ctrl-Z, written after the last line of a map

Status DecodeRawPalette(ByteSource& source, PaletteColours& palette);
Status DecodeJascPalette(ByteSource& source, PaletteColours& palette);
Status DecodeMapPalette(ByteSource& source, PaletteColours& palette);
// The first header string of a text file, as the format detection reads it.
std::string ReadFirstHeader(ByteSource& source);

std::vector<std::uint8_t> EncodeRawPalette(const PaletteColours& palette);
std::vector<std::uint8_t> EncodeJascPalette(const PaletteColours& palette);
std::vector<std::uint8_t> EncodeMapPalette(const PaletteColours& palette);

}  // namespace pal
