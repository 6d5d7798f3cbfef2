// Image layout checks and the writing of header blocks and file headers (BmpHeaders.h).
#include <cstring>

#include "dib/core/BmpHeaders.h"

namespace bmp {

namespace {
void Put16(uint8_t*& p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p += 2;
}
void Put32(uint8_t*& p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
  p += 4;
}
}  // namespace

uint64_t RowWidth(int32_t width, int32_t bitCount) {
  const uint64_t bits = static_cast<uint64_t>(bitCount == 15 ? 16 : bitCount);
  return ((bits * static_cast<uint64_t>(width) + 31) >> 5) * 4;
}

Status MakeLayout(int32_t width, int32_t height, int32_t bitCount, const DIBPixelFormat& format,
                  bool compressed, DibLayout& out) {
  switch (bitCount) {
    case 1: case 4: case 8: case 24: case 32:
      if (!format.sameMasks(Format888())) return Fail(Code::PixelFormat);
      break;
    case 15:
      if (!format.sameMasks(Format555())) return Fail(Code::PixelFormat);
      break;
    case 16:
      if (!format.sameMasks(Format565())) return Fail(Code::PixelFormat);
      break;
    default:
      return Fail(Code::BitCount, bitCount);
  }
  if (width <= 0 || height <= 0) return Fail(Code::Dimensions);
  const uint64_t row = RowWidth(width, bitCount);
  const uint64_t size = row * static_cast<uint64_t>(height);
  if (size > kMaxPixelBytes) return Fail(Code::Dimensions);

  DibLayout l;
  l.width = width;
  l.height = height;
  l.bitCount = bitCount;
  l.rowWidth = static_cast<int32_t>(row);
  l.size = static_cast<uint32_t>(size);
  l.colorCount = bitCount <= 8 ? 1 << bitCount : 0;
  l.colorTableOffset = kInfoHeaderSize + (bitCount == 16 ? kBitFieldsSize : 0);
  l.headerSize = l.colorTableOffset + 4 * l.colorCount;
  if (bitCount == 16)
    l.compression = kBitFields;
  else if (compressed && bitCount == 4)
    l.compression = kRle4;
  else if (compressed && bitCount == 8)
    l.compression = kRle8;
  l.compressed = l.compression == kRle4 || l.compression == kRle8;
  out = l;
  return Status{};
}

void WriteHeaderBlock(const DibLayout& l, const RgbQuad table[kColorTableSize], uint8_t* block) {
  std::memset(block, 0, static_cast<size_t>(l.headerSize));
  uint8_t* p = block;
  Put32(p, kInfoHeaderSize);
  Put32(p, static_cast<uint32_t>(l.width));
  Put32(p, static_cast<uint32_t>(l.height));
  Put16(p, 1);
  Put16(p, static_cast<uint32_t>(l.bitCount == 15 ? 16 : l.bitCount));
  Put32(p, l.compression);
  Put32(p, l.size);
  p = block + kInfoHeaderSize;
  if (l.bitCount == 16) {
    const DIBPixelFormat& f = Format565();
    Put32(p, f.RBitMask);
    Put32(p, f.GBitMask);
    Put32(p, f.BBitMask);
  }
  std::memcpy(block + l.colorTableOffset, table, 4 * static_cast<size_t>(l.colorCount));
}

void WriteFileHeader(const DibLayout& l, uint8_t out[kFileHeaderSize]) {
  uint8_t* p = out;
  Put16(p, kFileType);
  Put32(p, static_cast<uint32_t>(kFileHeaderSize + l.headerSize) + l.size);
  Put16(p, 0);
  Put16(p, 0);
  Put32(p, static_cast<uint32_t>(kFileHeaderSize + l.headerSize));
}

}  // namespace bmp
