// The explorer's reading of a palette map (a Fractint ".map" or a JASC ".pal" text file,
// as the palette editor writes them) into the 224 fractal colours, rotated by an offset.
// Portable: the caller hands over the file's lines as a string list split them; the main
// window's menu handler (MainPaletteMap.cpp) loads the file and shows the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "explorer/render/ColorTable.h"

// The runtime's decimal reading of an integer at the start of `text`: blanks (character
// 32) skipped, an optional sign, "$" or "0x" for hexadecimal, then digits. `stop` is where
// the reading ended, 1-based, or 0 when the number ran to the end of the text; only then
// does a minus sign take effect. A text without digits reads as 0.
std::int32_t ReadMapInteger(const std::string& text, std::size_t& stop);

struct MapColour {
  std::int32_t Red = 0;
  std::int32_t Green = 0;
  std::int32_t Blue = 0;
};

// The three numbers of one line, each read from at most 12 characters taken from where
// the previous number stopped (from the start again when it ran to the end).
MapColour ParseMapLine(const std::string& line);

// The result of applying a map: Failed with the index of the line being read (counted
// after the header lines were removed) when the loop broke off.
struct PaletteMapResult {
  bool Failed = false;
  int Line = 0;
};

// Drops a JASC header, closes a 256-line list with a Ctrl-Z line (or drops the line after
// one), then fills entries 16 to 239 from lines (offset + e - 16) mod (count - 1); the last
// line is never taken and a line starting with Ctrl-Z ends the filling. Entries already
// filled when the loop breaks off keep their new colours; entries 15 and 240 and every
// reserved byte are never touched.
PaletteMapResult ApplyPaletteMap(std::vector<std::string> lines, std::int32_t offset,
                                 ColorTableEntry* table);
