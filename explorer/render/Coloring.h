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

#include "explorer/render/ColorSettings.h"
#include "explorer/render/ColorTable.h"
#include "explorer/render/LockedSurface.h"
#include "explorer/render/PixelPacking.h"

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

// The count -> colour rule that every renderer shares (the screen's workers and redraw
// here, the disk's in DiskPixelGroup.h, palette animation in palette/PaletteCycling.h, the
// default colour table in palette/DefaultPalette.h). What each adds of its own is only
// when it takes the table rather than the gradient, how it treats inside counts, and how
// it stores the colour.

// n' := n + PaletteOffset, with 32-bit wrap-around.
constexpr std::uint32_t ShiftedCount(std::int32_t n, std::int32_t offset) {
  return std::uint32_t(n) + std::uint32_t(offset);
}

// The colour-table entry of the shifted count n': 16 + Mod224(n').
constexpr std::uint32_t FractalEntryOf(std::uint32_t shifted) {
  return FirstFractalEntry + Mod224(shifted);
}

// The order of a gradient channel's two products, each rounded to extended precision.
// Both orders give the same channels with ColorScale 1.0, and for any |n'| below 2048
// (each first product is then exact). Beyond, at a scale of 0.01, the two products can
// differ in their last bit, and a channel whose product lies that close to a half rounds
// to the other side: rare, with slopes that are not whole numbers, but real.
enum class GradientOrder {
  // (n' x slope) x scale: the screen's renderers, the disk's, and the default colour
  // table (entry 16 + i holds the gradient colour of count i).
  SlopeFirst,
  // (n' x scale) x slope: palette animation, which recolours every pixel of every frame
  // and so scales the count once per pixel for its three channels. Its frames keep this
  // order, so a frame recoloured at offset 0 may differ from the render it animates
  // where the scale is 0.01.
  ScaleFirst,
};

// The low byte of the integer nearest to the two products of n, slope and scale in the
// given order, in extended precision, ties to even. A product beyond the 64-bit integer
// range, or NaN, gives 0, as the x87 integer store's indefinite value does.
std::uint8_t GradientChannel(long double n, double slope, double scale, GradientOrder order);

// The gradient colour value 0x00BBGGRR of the shifted count n' by the slopes and the scale
// of settings.
std::uint32_t GradientColor(long double n, const TColorSettings& settings, GradientOrder order);

// The screen's gradient colour of n': by RedSlope, GreenSlope, BlueSlope and ColorScale as
// they are now, slope first.
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
