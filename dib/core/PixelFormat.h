// Pixel formats and colour tables of the bitmap library, as plain values: the
// `DIBPixelFormat` record, mask widths, packing and unpacking of 15/16/32-bit pixels,
// and the colour-table helpers. Row conversions between bit counts are in PixelConvert.h.
#pragma once
#include <cstdint>

namespace bmp {

// Colour table entry, laid out as a BMP file and GDI's RGBQUAD hold it.
struct RgbQuad {
  uint8_t blue, green, red, reserved;
};
// Palette entry, laid out as GDI's PALETTEENTRY.
struct PaletteEntry {
  uint8_t red, green, blue, flags;
};
static_assert(sizeof(RgbQuad) == 4 && sizeof(PaletteEntry) == 4, "4-byte colour entries");

constexpr int kColorTableSize = 256;

// Red is always the highest field and blue starts at bit 0; the three further shifts
// are carried for the record's layout and are always 0.
struct DIBPixelFormat {
  uint32_t RBitMask, GBitMask, BBitMask;
  int32_t RBitCount, GBitCount, BBitCount;
  int32_t RShift, GShift, BShift;
  int32_t RShift2, GShift2, BShift2;

  static DIBPixelFormat FromBitCounts(int red, int green, int blue);
  // Only the widths of the masks are taken, not their positions.
  static DIBPixelFormat FromMasks(uint32_t red, uint32_t green, uint32_t blue);

  bool sameMasks(const DIBPixelFormat& o) const {
    return RBitMask == o.RBitMask && GBitMask == o.GBitMask && BBitMask == o.BBitMask;
  }
};

const DIBPixelFormat& Format888();
const DIBPixelFormat& Format565();
const DIBPixelFormat& Format555();
// The format an image of this bit count holds: 5-5-5 for 15, 5-6-5 for 16, else 8-8-8.
const DIBPixelFormat& FormatForBitCount(int bitCount);

// Width of the run of 1 bits that starts at the lowest set bit among bits 0 to 30.
int MaskBitCount(uint32_t mask);
// Position of the lowest set bit, 0 for an empty mask.
int MaskShift(uint32_t mask);

// 8-bit channels to a pixel: each channel keeps its top bits.
uint32_t PackPixel(const DIBPixelFormat& f, uint8_t red, uint8_t green, uint8_t blue);
// A pixel to 8-bit channels: each field is shifted up and its top bits replicated below,
// so that a full field gives 255.
void UnpackPixel(const DIBPixelFormat& f, uint32_t pixel, uint8_t& red, uint8_t& green,
                 uint8_t& blue);

// A field value of `from` bits widened or narrowed to `to` bits by the same rule.
uint32_t ScaleField(uint32_t value, int from, int to);

uint32_t MakeRGBQuad(uint8_t red, uint8_t green, uint8_t blue);
void FillGreyscaleColorTable(RgbQuad table[kColorTableSize]);
// Colour cube of r, g and b bits per channel; the reserved bytes are left as they were.
void FillColorCube(RgbQuad table[kColorTableSize], int rbits, int gbits, int bbits);
void PaletteEntriesToRGBQuads(const PaletteEntry entries[kColorTableSize],
                              RgbQuad table[kColorTableSize]);
void RGBQuadsToPaletteEntries(const RgbQuad table[kColorTableSize],
                              PaletteEntry entries[kColorTableSize]);

}  // namespace bmp
