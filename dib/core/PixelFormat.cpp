// Pixel formats, channel scaling and colour-table helpers (see PixelFormat.h).
#include "dib/core/PixelFormat.h"

namespace bmp {

namespace {
// Shifts that stay defined for the odd widths a file's masks can give.
uint32_t FieldMask(int width, int shift) {
  if (width <= 0 || shift >= 32) return 0;
  const uint64_t ones = width >= 32 ? 0xFFFFFFFFull : (1ull << width) - 1;
  return static_cast<uint32_t>(ones << shift);
}
uint32_t Up(uint32_t v, int shift) { return shift < 32 ? v << shift : 0; }
uint32_t Down(uint32_t v, int shift) { return shift < 32 ? v >> shift : 0; }
}  // namespace

DIBPixelFormat DIBPixelFormat::FromBitCounts(int red, int green, int blue) {
  DIBPixelFormat f{};
  f.RBitCount = red;
  f.GBitCount = green;
  f.BBitCount = blue;
  f.RShift = green + blue;
  f.GShift = blue;
  f.BShift = 0;
  f.RBitMask = FieldMask(red, green + blue);
  f.GBitMask = FieldMask(green, blue);
  f.BBitMask = FieldMask(blue, 0);
  return f;
}

DIBPixelFormat DIBPixelFormat::FromMasks(uint32_t red, uint32_t green, uint32_t blue) {
  return FromBitCounts(MaskBitCount(red), MaskBitCount(green), MaskBitCount(blue));
}

const DIBPixelFormat& Format888() {
  static const DIBPixelFormat f = DIBPixelFormat::FromBitCounts(8, 8, 8);
  return f;
}
const DIBPixelFormat& Format565() {
  static const DIBPixelFormat f = DIBPixelFormat::FromBitCounts(5, 6, 5);
  return f;
}
const DIBPixelFormat& Format555() {
  static const DIBPixelFormat f = DIBPixelFormat::FromBitCounts(5, 5, 5);
  return f;
}
const DIBPixelFormat& FormatForBitCount(int bitCount) {
  return bitCount == 15 ? Format555() : bitCount == 16 ? Format565() : Format888();
}

int MaskBitCount(uint32_t mask) {
  int bit = 0;
  while (bit <= 30 && !(mask & (1u << bit))) ++bit;
  if (bit > 30) return 0;
  int n = 0;
  while (bit + n <= 31 && (mask & (1u << (bit + n)))) ++n;
  return n;
}

int MaskShift(uint32_t mask) {
  if (!mask) return 0;
  int bit = 0;
  while (!(mask & (1u << bit))) ++bit;
  return bit;
}

uint32_t ScaleField(uint32_t value, int from, int to) {
  if (from <= 0 || to <= 0) return 0;
  if (from >= to) return Down(value, from - to);
  // Replicate the value's bits downward until the wider field is full.
  uint32_t out = 0;
  int filled = 0;
  while (filled < to) {
    const int shift = to - filled - from;
    out |= shift >= 0 ? Up(value, shift) : Down(value, -shift);
    filled += from;
  }
  return out & FieldMask(to, 0);
}

uint32_t PackPixel(const DIBPixelFormat& f, uint8_t red, uint8_t green, uint8_t blue) {
  return (Up(ScaleField(red, 8, f.RBitCount), f.RShift) & f.RBitMask) |
         (Up(ScaleField(green, 8, f.GBitCount), f.GShift) & f.GBitMask) |
         (Up(ScaleField(blue, 8, f.BBitCount), f.BShift) & f.BBitMask);
}

void UnpackPixel(const DIBPixelFormat& f, uint32_t pixel, uint8_t& red, uint8_t& green,
                 uint8_t& blue) {
  red = static_cast<uint8_t>(ScaleField(Down(pixel & f.RBitMask, f.RShift), f.RBitCount, 8));
  green = static_cast<uint8_t>(ScaleField(Down(pixel & f.GBitMask, f.GShift), f.GBitCount, 8));
  blue = static_cast<uint8_t>(ScaleField(Down(pixel & f.BBitMask, f.BShift), f.BBitCount, 8));
}

uint32_t MakeRGBQuad(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 | blue;
}

void FillGreyscaleColorTable(RgbQuad table[kColorTableSize]) {
  for (int i = 0; i < kColorTableSize; ++i) {
    const auto v = static_cast<uint8_t>(i);
    table[i] = RgbQuad{v, v, v, 0};
  }
}

void FillColorCube(RgbQuad table[kColorTableSize], int rbits, int gbits, int bbits) {
  const int rmax = (1 << rbits) - 1, gmax = (1 << gbits) - 1, bmax = (1 << bbits) - 1;
  for (int i = 0; i < kColorTableSize; ++i) {
    table[i].blue = static_cast<uint8_t>((i & bmax) * 255 / bmax);
    table[i].green = static_cast<uint8_t>(((i >> bbits) & gmax) * 255 / gmax);
    table[i].red = static_cast<uint8_t>(((i >> (gbits + bbits)) & rmax) * 255 / rmax);
  }
}

void PaletteEntriesToRGBQuads(const PaletteEntry entries[kColorTableSize],
                              RgbQuad table[kColorTableSize]) {
  for (int i = 0; i < kColorTableSize; ++i)
    table[i] = RgbQuad{entries[i].blue, entries[i].green, entries[i].red, 0};
}

void RGBQuadsToPaletteEntries(const RgbQuad table[kColorTableSize],
                              PaletteEntry entries[kColorTableSize]) {
  for (int i = 0; i < kColorTableSize; ++i)
    entries[i] = PaletteEntry{table[i].red, table[i].green, table[i].blue, 0};
}

}  // namespace bmp
