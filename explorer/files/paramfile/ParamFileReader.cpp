// Reads a parameter file (see ParamFile.h): the signature, then the fields of each version
// in turn, each version's fields following the previous one's. The size picks the fields
// before any is read, and everything is decoded into a copy that replaces the caller's
// struct only when the whole file has been read and holds an iteration limit of 1 or more.
#include "explorer/files/paramfile/ParamFile.h"

#include <cstring>

#include "explorer/files/paramfile/ParamFileFields.h"

namespace {

constexpr long double kScaleMarker100 = 100.0L;
constexpr std::size_t kTableBytes = ColorTableSize * sizeof(ColorTableEntry);

// Which fields a file of `size` bytes holds: the Julia fields in any file longer than the
// first version, the table in any longer than the offset version, and the offset only in
// the two versions that end with it. A file of 141 to 143 bytes thus reads as the Julia
// version and one longer than the table version with its table and without an offset;
// one that ends inside the Julia fields or the table is cut short.
struct SizeRule {
  bool julia, table, offset;
};
SizeRule FieldsOf(std::size_t size) {
  return {size > ParamFileSizeView, size > ParamFileSizeOffset,
          size == ParamFileSizeOffset || size == ParamFileSizeTable};
}
bool EndsInsideAField(std::size_t size) {
  return (size > ParamFileSizeView && size < ParamFileSizeJulia) ||
         (size > ParamFileSizeOffset && size < ParamFileSizeTable);
}

// From InsideColor to ViewHeight: the fields every version has after the signature.
bool ReadView(ParamFileInput& in, ParamFile& f) {
  long double red, green, blue, marker;
  if (!(in.u32(f.Colors.InsideColor) && in.i32(f.MaxIterations) && in.extended(f.Bailout) &&
        in.extended(red) && in.extended(green) && in.extended(blue) && in.extended(marker) &&
        in.extended(f.ViewLeft) && in.extended(f.ViewTop) && in.extended(f.ViewWidth) &&
        in.extended(f.ViewHeight)))
    return false;
  f.Colors.RedSlope = static_cast<double>(red);
  f.Colors.GreenSlope = static_cast<double>(green);
  f.Colors.BlueSlope = static_cast<double>(blue);
  // Only a marker of exactly 100.0 means the hundredth scale; anything else is 1.0.
  f.Colors.ColorScale = marker == kScaleMarker100 ? 0.01 : 1.0;
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
  f.Colors.PaletteLoaded = -1;
  return true;
}

}  // namespace

ParamFileStatus ReadParamFile(const std::uint8_t* data, std::size_t size, ParamFile& file) {
  ParamFileInput in(data, size);
  std::uint8_t magic[ParamFileMagicSize];
  if (!in.bytes(magic, sizeof magic)) return {ParamFileCode::Truncated};
  if (std::memcmp(magic, ParamFileMagic, sizeof magic) != 0) return {ParamFileCode::BadMagic};
  if (EndsInsideAField(size)) return {ParamFileCode::Truncated};
  const SizeRule fields = FieldsOf(size);

  ParamFile f = file;
  f.JuliaMode = 0;
  f.JuliaCRe = 0;
  f.JuliaCIm = 0;
  f.Colors.PaletteLoaded = 0;
  f.Colors.PaletteOffset = 0;
  bool read = ReadView(in, f);
  if (read && fields.julia) read = ReadJulia(in, f);
  if (read && fields.table) read = ReadTable(in, f);
  if (read && fields.offset) read = in.i32(f.Colors.PaletteOffset);
  if (!read) return {ParamFileCode::Truncated};
  // A limit below 0 would start a render of up to 2^32 - 1 iterations per point.
  if (f.MaxIterations < ParamFileMinIterations) return {ParamFileCode::IterationsBelowZero};
  file = f;
  return {};
}
