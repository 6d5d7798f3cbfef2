// The parameter file (".qvl"): one view of the explorer with its colouring, as the plain
// struct that a file stores, and the codec between that struct and the file's bytes
// (ParamFileReader.cpp, ParamFileWriter.cpp). Failures are values (ParamFileStatus.h);
// the main window copies between the struct and its settings and shows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/ColorTable.h"
#include "explorer/files/paramfile/ParamFileStatus.h"

// The length byte 17 and the 17 characters of the signature.
constexpr std::size_t ParamFileMagicSize = 18;
inline constexpr std::uint8_t ParamFileMagic[ParamFileMagicSize] = {
    17, 'Q', 'u', 'o', 'r', 'v', 'e', 'l', '-', 'd', 'r', 'o', 'v', 'a', 'n', 't', 'i', 'x'};

// The versions, told apart by the file size alone. The writer produces only the last two.
constexpr std::size_t ParamFileSizeView = 116;     // magic to ViewHeight
constexpr std::size_t ParamFileSizeJulia = 140;    // adds JuliaC and JuliaMode
constexpr std::size_t ParamFileSizeOffset = 144;   // adds PaletteOffset
constexpr std::size_t ParamFileSizeTable = 1168;   // adds the colour table before the offset
// A caller reading a file from disk needs at most this many bytes: every file longer than
// the table version reads the same.
constexpr std::size_t ParamFileReadLimit = ParamFileSizeTable + 1;
// The smallest iteration limit a file may hold: 0 makes the kernels' one iteration, a
// negative limit reaches them as a count of up to 2^32 - 1.
constexpr std::int32_t ParamFileMinIterations = 0;

// Everything a file stores, typed as the explorer's settings are.
// The colour settings are the explorer's own snapshot; a file keeps of ColorScale only
// whether it is 1.0 (else 0.01), and stores the slopes widened to extended and reads them
// back narrowed.
struct ParamFile {
  TColorSettings Colors;          // PaletteLoaded nonzero: the file holds ColorTable
  std::int32_t MaxIterations = 0;
  long double Bailout = 0;
  long double ViewLeft = 0;
  long double ViewTop = 0;
  long double ViewWidth = 0;
  long double ViewHeight = 0;
  long double JuliaCRe = 0;       // the real and imaginary parts of JuliaC
  long double JuliaCIm = 0;
  std::int32_t JuliaMode = 0;     // 0 or -1 as saved; read as stored
  ColorTableEntry ColorTable[ColorTableSize] = {};
};

// Decodes a whole file. On success every field is set from the file, the fields that an
// older version lacks are reset (JuliaMode, JuliaC, PaletteLoaded, PaletteOffset to 0), and
// ColorTable is replaced only when the file holds one (PaletteLoaded = -1), so that the
// caller's other entries survive. On failure (also an iteration limit below 0) `file` is
// left exactly as it was.
ParamFileStatus ReadParamFile(const std::uint8_t* data, std::size_t size, ParamFile& file);

// Encodes `file`: 144 bytes, or 1168 with the colour table when PaletteLoaded is nonzero.
std::vector<std::uint8_t> WriteParamFile(const ParamFile& file);
