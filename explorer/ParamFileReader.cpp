// Reads a parameter file (see ParamFile.h): the signature, then the fields of each version
// in turn, each version's fields following the previous one's. The size picks the version
// before any field is read, and everything is decoded into a copy that replaces the
// caller's struct only when the whole file has been read.
#include "ParamFile.h"

#include <cstring>

#include "ParamFileFields.h"

namespace {

constexpr long double kScaleMarker100 = 100.0L;
constexpr std::size_t kTableBytes = ColorTableSize * sizeof(ColorTableEntry);

// The version a file of `size` bytes holds. Sizes between versions are cut off inside a
// field (truncated) or carry bytes no field accounts for (oversized).
ParamFileCode CheckSize(std::size_t size) {
  switch (size) {
    case ParamFileSizeView:
    case ParamFileSizeJulia:
    case ParamFileSizeOffset:
    case ParamFileSizeTable:
      return ParamFileCode::Ok;
  }
  if (size < ParamFileSizeJulia) return ParamFileCode::Truncated;
  if (size < ParamFileSizeOffset) return ParamFileCode::Oversized;
  if (size < ParamFileSizeTable) return ParamFileCode::Truncated;
  return ParamFileCode::Oversized;
}

// From InsideColor to ViewHeight: the fields every version has after the signature.
bool ReadView(ParamFileInput& in, ParamFile& f) {
  long double red, green, blue, marker;
  if (!(in.u32(f.InsideColor) && in.i32(f.MaxIterations) && in.extended(f.Bailout) &&
        in.extended(red) && in.extended(green) && in.extended(blue) && in.extended(marker) &&
        in.extended(f.ViewLeft) && in.extended(f.ViewTop) && in.extended(f.ViewWidth) &&
        in.extended(f.ViewHeight)))
    return false;
  f.RedSlope = static_cast<double>(red);
  f.GreenSlope = static_cast<double>(green);
  f.BlueSlope = static_cast<double>(blue);
  // Only a marker of exactly 100.0 means the hundredth scale; anything else is 1.0.
  f.ColorScale = marker == kScaleMarker100 ? 0.01 : 1.0;
  return true;
}

bool ReadJulia(ParamFileInput& in, ParamFile& f) {
  return in.extended(f.JuliaCRe) && in.extended(f.JuliaCIm) && in.i32(f.JuliaMode);
}

// Entries of 4 bytes each: blue, green, red, reserved.
bool ReadTable(ParamFileInput& in, ParamFile& f) {
  std::uint8_t raw[kTableBytes];
  if (!in.bytes(raw, sizeof raw)) return false;
  for (int i = 0; i < ColorTableSize; ++i) {
    const std::uint8_t* e = raw + 4 * i;
    f.ColorTable[i] = ColorTableEntry{e[0], e[1], e[2], e[3]};
  }
  f.PaletteLoaded = -1;
  return true;
}

}  // namespace

ParamFileStatus ReadParamFile(const std::uint8_t* data, std::size_t size, ParamFile& file) {
  ParamFileInput in(data, size);
  std::uint8_t magic[ParamFileMagicSize];
  if (!in.bytes(magic, sizeof magic)) return {ParamFileCode::Truncated};
  if (std::memcmp(magic, ParamFileMagic, sizeof magic) != 0) return {ParamFileCode::BadMagic};
  const ParamFileCode sized = CheckSize(size);
  if (sized != ParamFileCode::Ok) return {sized};

  ParamFile f = file;
  f.JuliaMode = 0;
  f.JuliaCRe = 0;
  f.JuliaCIm = 0;
  f.PaletteLoaded = 0;
  f.PaletteOffset = 0;
  bool read = ReadView(in, f);
  if (read && size >= ParamFileSizeJulia) read = ReadJulia(in, f);
  if (read && size == ParamFileSizeTable) read = ReadTable(in, f);
  if (read && size >= ParamFileSizeOffset) read = in.i32(f.PaletteOffset);
  if (!read) return {ParamFileCode::Truncated};
  file = f;
  return {};
}
