// Pixel access by column for every bit count, and the conversions between bit counts
// that need no colour matching: indexed to a wider index, and anything to 15, 16, 24 or
// 32 bits. Narrowing to fewer colours is the GDI side's job (it maps to nearest colours).
#pragma once
#include <cstdint>

#include "dib/core/PixelFormat.h"

namespace bmp {

struct PixelView {
  uint8_t* pixels;  // bottom row
  int32_t width, height, rowWidth;
  int32_t bitCount;
  DIBPixelFormat format;
  const RgbQuad* table;  // the colour table, for indexed images
};

// Colour index of pixel x in a 1, 4 or 8-bit row.
uint8_t GetIndex(const uint8_t* row, int32_t x, int32_t bitCount);
// Sets the index, keeping the other bits of the byte.
void SetIndex(uint8_t* row, int32_t x, int32_t bitCount, uint8_t index);

void GetRgb(const PixelView& v, const uint8_t* row, int32_t x, uint8_t& red, uint8_t& green,
            uint8_t& blue);
void SetRgb(const PixelView& v, uint8_t* row, int32_t x, uint8_t red, uint8_t green,
            uint8_t blue);

// Copies src into dst (same width and height). Handles an indexed destination at least as
// wide as an indexed source (indices kept), and any destination above 8 bits. Returns
// false, changing nothing, for the other cases.
bool ConvertPixels(const PixelView& src, const PixelView& dst);

}  // namespace bmp
