// Column access and bit-count conversions (see PixelConvert.h).
#include "dib/core/PixelConvert.h"

#include <cstring>

namespace bmp {

namespace {
uint8_t* Row(const PixelView& v, int32_t y) {
  return v.pixels + static_cast<size_t>(y) * static_cast<size_t>(v.rowWidth);
}
}  // namespace

uint8_t GetIndex(const uint8_t* row, int32_t x, int32_t bitCount) {
  switch (bitCount) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    default: return row[x];
  }
}

void SetIndex(uint8_t* row, int32_t x, int32_t bitCount, uint8_t index) {
  switch (bitCount) {
    case 1: {
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      row[x / 8] = static_cast<uint8_t>(index & 1 ? row[x / 8] | bit : row[x / 8] & ~bit);
      break;
    }
    case 4: {
      uint8_t& b = row[x / 2];
      b = x % 2 == 0 ? static_cast<uint8_t>((b & 0x0F) | (index & 0x0F) << 4)
                     : static_cast<uint8_t>((b & 0xF0) | (index & 0x0F));
      break;
    }
    default:
      row[x] = index;
  }
}

void GetRgb(const PixelView& v, const uint8_t* row, int32_t x, uint8_t& red, uint8_t& green,
            uint8_t& blue) {
  if (v.bitCount <= 8) {
    const RgbQuad& q = v.table[GetIndex(row, x, v.bitCount)];
    red = q.red;
    green = q.green;
    blue = q.blue;
  } else if (v.bitCount == 24) {
    const uint8_t* p = row + 3 * static_cast<size_t>(x);
    blue = p[0];
    green = p[1];
    red = p[2];
  } else {
    const int bytes = v.bitCount == 32 ? 4 : 2;
    uint32_t pixel = 0;
    std::memcpy(&pixel, row + static_cast<size_t>(bytes) * x, static_cast<size_t>(bytes));
    UnpackPixel(v.format, pixel, red, green, blue);
  }
}

void SetRgb(const PixelView& v, uint8_t* row, int32_t x, uint8_t red, uint8_t green,
            uint8_t blue) {
  if (v.bitCount == 24) {
    uint8_t* p = row + 3 * static_cast<size_t>(x);
    p[0] = blue;
    p[1] = green;
    p[2] = red;
  } else {
    const int bytes = v.bitCount == 32 ? 4 : 2;
    const uint32_t pixel = PackPixel(v.format, red, green, blue);
    std::memcpy(row + static_cast<size_t>(bytes) * x, &pixel, static_cast<size_t>(bytes));
  }
}

bool ConvertPixels(const PixelView& src, const PixelView& dst) {
  const bool indexCopy = src.bitCount <= 8 && dst.bitCount <= 8 && dst.bitCount >= src.bitCount;
  if (!indexCopy && dst.bitCount <= 8) return false;
  for (int32_t y = 0; y < src.height; ++y) {
    const uint8_t* s = Row(src, y);
    uint8_t* d = Row(dst, y);
    for (int32_t x = 0; x < src.width; ++x) {
      if (indexCopy) {
        SetIndex(d, x, dst.bitCount, GetIndex(s, x, src.bitCount));
      } else {
        uint8_t r, g, b;
        GetRgb(src, s, x, r, g, b);
        SetRgb(dst, d, x, r, g, b);
      }
    }
  }
  return true;
}

}  // namespace bmp
