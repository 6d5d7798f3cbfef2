// Writes a parameter file (see ParamFile.h): the 144-byte version, or the 1168-byte one
// with the colour table when the colours come from the table. The older, shorter versions
// are only read.
#include "explorer/files/paramfile/ParamFile.h"

#include "explorer/files/paramfile/ParamFileFields.h"

namespace {
constexpr long double kScaleMarker1 = 1.0L;
constexpr long double kScaleMarker100 = 100.0L;
}  // namespace

std::vector<std::uint8_t> WriteParamFile(const ParamFile& f) {
  const bool table = f.Colors.PaletteLoaded != 0;
  ParamFileOutput out(table ? ParamFileSizeTable : ParamFileSizeOffset);
  out.bytes(ParamFileMagic, ParamFileMagicSize);
  out.u32(f.Colors.InsideColor);
  out.i32(f.MaxIterations);
  out.extended(f.Bailout);
  out.extended(f.Colors.RedSlope);
  out.extended(f.Colors.GreenSlope);
  out.extended(f.Colors.BlueSlope);
  // The file keeps no scale, only a marker that is 1.0 for the unit scale and 100.0 else.
  out.extended(f.Colors.ColorScale == 1.0 ? kScaleMarker1 : kScaleMarker100);
  out.extended(f.ViewLeft);
  out.extended(f.ViewTop);
  out.extended(f.ViewWidth);
  out.extended(f.ViewHeight);
  out.extended(f.JuliaCRe);
  out.extended(f.JuliaCIm);
  out.i32(f.JuliaMode);
  if (table) {
    for (const ColorTableEntry& e : f.ColorTable) {
      const std::uint8_t raw[4] = {e.Blue, e.Green, e.Red, e.Reserved};
      out.bytes(raw, sizeof raw);
    }
  }
  out.i32(f.Colors.PaletteOffset);
  return out.take();
}
