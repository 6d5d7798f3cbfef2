// The colouring rule, the worker's pixel store and the redraw's recolour declared in
// Coloring.h. Evaluated once per pixel inside the render loops: no allocation, no lock.
#include "explorer/render/Coloring.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "explorer/render/RenderState.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "the gradient products need the x87 extended format");

PixelPacking PackingOf(const TLockedSurfaceDesc& desc) {
  switch (desc.RGBBitCount) {
    case 16:
      return desc.GreenBitMask == 0x7E0 ? PixelPacking::Rgb565 : PixelPacking::Rgb555;
    case 24:
    case 32:
      return PixelPacking::Rgb;
    default:
      return PixelPacking::PaletteIndex;
  }
}

std::uint8_t GradientChannel(long double n, double slope, double scale, GradientOrder order) {
  const long double first = static_cast<long double>(order == GradientOrder::SlopeFirst ? slope : scale);
  const long double second = static_cast<long double>(order == GradientOrder::SlopeFirst ? scale : slope);
  const long double v = n * first * second;
  const long double r = std::rint(v);  // the current rounding mode: nearest, ties to even
  if (!(std::fabs(r) < 0x1p63L)) return 0;
  return std::uint8_t(static_cast<std::int64_t>(r));
}

std::uint32_t GradientColor(long double n, const TColorSettings& s, GradientOrder order) {
  return std::uint32_t(GradientChannel(n, s.RedSlope, s.ColorScale, order)) |
         std::uint32_t(GradientChannel(n, s.GreenSlope, s.ColorScale, order)) << 8 |
         std::uint32_t(GradientChannel(n, s.BlueSlope, s.ColorScale, order)) << 16;
}

std::uint32_t GradientColor(long double n) {
  return std::uint32_t(GradientChannel(n, RedSlope, ColorScale, GradientOrder::SlopeFirst)) |
         std::uint32_t(GradientChannel(n, GreenSlope, ColorScale, GradientOrder::SlopeFirst)) << 8 |
         std::uint32_t(GradientChannel(n, BlueSlope, ColorScale, GradientOrder::SlopeFirst)) << 16;
}

std::uint32_t PackColor(PixelPacking packing, std::uint32_t color) {
  switch (packing) {
    case PixelPacking::Rgb565:
      return ColorTo565(color);
    case PixelPacking::Rgb555:
      return ColorTo555(color);
    case PixelPacking::Rgb:
      return SwapRB(color);
    case PixelPacking::PaletteIndex:
      break;
  }
  return color;
}

std::uint32_t PackedEscapedValue(PixelPacking packing, std::int32_t n, CountSign sign,
                                 const ColorTableEntry* table) {
  const std::uint32_t shifted = ShiftedCount(n, PaletteOffset);
  const std::uint32_t entry = FractalEntryOf(shifted);
  if (packing == PixelPacking::PaletteIndex) return entry;
  if (PaletteLoaded != 0) return PackColor(packing, EntryColor(table[entry]));
  const long double number = sign == CountSign::Signed
                                 ? static_cast<long double>(static_cast<std::int32_t>(shifted))
                                 : static_cast<long double>(shifted);
  return PackColor(packing, GradientColor(number));
}

std::uint32_t PackedInsideValue(PixelPacking packing, const ColorTableEntry* table) {
  if (packing == PixelPacking::PaletteIndex) return InsideEntry;
  if (PaletteLoaded != 0) return PackColor(packing, EntryColor(table[InsideEntry]));
  return PackColor(packing, InsideColor);
}

static std::size_t BufferIndex(std::int32_t x, std::int32_t y) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(RenderWidth) +
         static_cast<std::size_t>(x);
}

void StoreRenderedPixel(std::int32_t x, std::int32_t y, std::int32_t n,
                        const ColorTableEntry* table) {
  const PixelPacking packing = PackingOf(LockedSurfaceDesc);
  if (n < RenderMaxIterations) {
    IterBuffer[BufferIndex(x, y)] = n;
    PutPixel(x, y, PackedEscapedValue(packing, n, CountSign::Signed, table));
    return;
  }
  IterBuffer[BufferIndex(x, y)] = 0;
  const std::uint32_t inside = PackedInsideValue(packing, table);
  if (inside != 0) PutPixel(x, y, inside);
}

void RecolorPixelFromBuffer(std::int32_t x, std::int32_t y, const ColorTableEntry* table) {
  const PixelPacking packing = PackingOf(LockedSurfaceDesc);
  const std::int32_t v = IterBuffer[BufferIndex(x, y)];
  PutPixel(x, y,
           v != 0 ? PackedEscapedValue(packing, v, CountSign::Unsigned, table)
                  : PackedInsideValue(packing, table));
}
