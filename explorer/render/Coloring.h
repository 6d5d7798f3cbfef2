// The colouring rule that every screen renderer uses: an escape count, shifted by
// PaletteOffset, becomes a table colour or a gradient colour packed for the locked
// surface; plus the worker's store of one rendered pixel and the redraw's recolour of one
// pixel from IterBuffer. Settings: ColorSettings.h; surface and PutPixel: LockedSurface.h.
//
// Caller contract: the gradient products are long double (x87 extended) and round to
// nearest, ties to even, so the calling thread must run with x87 precision control at
// 64 bits and rounding to nearest, which the explorer's default control word 0x133F gives.
// A thread left at the Windows default 0x27F (53 bits; Wine starts threads so) gets other
// channel values wherever a product lies within one double rounding of a half.
#pragma once

#include <cstdint>

#include "explorer/render/ColorTable.h"
#include "explorer/render/LockedSurface.h"

// How a packed pixel is made, from the surface's bit count and green mask.
enum class PixelPacking {
  PaletteIndex,  // 8 bits, and any bit count other than 16, 24 and 32
  Rgb565,        // 16 bits with green mask 0x7E0
  Rgb555,        // 16 bits with any other green mask
  Rgb,           // 24 and 32 bits: 0x00RRGGBB
};
PixelPacking PackingOf(const TLockedSurfaceDesc& desc);

// How the shifted count n' enters the gradient as a number: the renderers take it as a
// signed 32-bit value, the redraw from IterBuffer as an unsigned one. They differ only
// when n' is negative.
enum class CountSign { Signed, Unsigned };

// The low byte of the integer nearest to (n x slope) x scale, both products in extended
// precision, ties to even. A product beyond the 64-bit integer range, or NaN, gives 0, as
// the x87 integer store's indefinite value does.
std::uint8_t GradientChannel(long double n, double slope, double scale);

// The colour value 0x00BBGGRR of n' by RedSlope, GreenSlope, BlueSlope and ColorScale.
std::uint32_t GradientColor(long double n);

// Colour value -> pixel of a 16-, 24- or 32-bit surface (for an index surface: unchanged).
std::uint32_t PackColor(PixelPacking packing, std::uint32_t color);

// The packed value of an escaped pixel of count n, and the packed inside value. table
// points to the display control's 256 colour-table entries.
std::uint32_t PackedEscapedValue(PixelPacking packing, std::int32_t n, CountSign sign,
                                 const ColorTableEntry* table);
std::uint32_t PackedInsideValue(PixelPacking packing, const ColorTableEntry* table);

// A render worker's store of the pixel at (x, y) with count n: IterBuffer keeps n when
// n < RenderMaxIterations and 0 otherwise; an inside pixel whose packed inside value is 0
// is not written, so it keeps what the surface held.
void StoreRenderedPixel(std::int32_t x, std::int32_t y, std::int32_t n,
                        const ColorTableEntry* table);

// The redraw's recolour of the pixel at (x, y) from its IterBuffer element: 0 stores the
// packed inside value, also when that is 0; any other count is coloured as escaped.
void RecolorPixelFromBuffer(std::int32_t x, std::int32_t y, const ColorTableEntry* table);
