// The on-disk BMP headers, one structure per version, and the layout of an image's
// header block (info header, 16-bit masks, colour table) as the library builds it.
// Fields are read and written little-endian by BmpReader.cpp and BmpLayout.cpp.
#pragma once
#include <cstdint>

#include "dib/core/BmpStatus.h"
#include "dib/core/PixelFormat.h"

namespace bmp {

// Compression values; named apart from windows.h's BI_ macros.
enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

constexpr uint16_t kFileType = 0x4D42;  // "BM"
constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;  // OS/2
constexpr int kInfoHeaderSize = 40;  // Windows
constexpr int kBitFieldsSize = 12;

// Pixel memory beyond this is refused: it keeps a hostile header from asking for a huge
// allocation, and every row and size product fits in 32 bits below it.
constexpr uint64_t kMaxPixelBytes = uint64_t(256) << 20;

struct BmpFileHeader {
  uint16_t type;
  uint32_t fileSize;
  uint16_t reserved1, reserved2;
  uint32_t offBits;
};

// OS/2: unsigned 16-bit dimensions, no compression, 3-byte colour entries.
struct BmpCoreHeader {
  uint32_t size;
  uint16_t width, height, planes, bitCount;
};

struct BmpInfoHeader {
  uint32_t size;
  int32_t width, height;
  uint16_t planes, bitCount;
  uint32_t compression, sizeImage;
  int32_t xPelsPerMeter, yPelsPerMeter;
  uint32_t clrUsed, clrImportant;
};

struct BmpBitFields {
  uint32_t red, green, blue;
};

// What an image of a given size, bit count and compression looks like in memory.
struct DibLayout {
  int32_t width = 0, height = 0;  // height always positive
  int32_t bitCount = 0;
  int32_t rowWidth = 0;           // BMP row stride in bytes
  uint32_t size = 0;              // pixel bytes: row width x height, or the RLE length
  int32_t colorCount = 0;         // 2^bit count up to 8 bits, else 0
  int32_t headerSize = 0;         // info header + masks + colour entries
  int32_t colorTableOffset = 0;   // 40, or 52 for 16 bits
  uint32_t compression = kRgb;
  bool compressed = false;
};

// Checks the format against the bit count, then the dimensions, and fills the layout.
// `compressed` takes effect only at 4 and 8 bits.
Status MakeLayout(int32_t width, int32_t height, int32_t bitCount, const DIBPixelFormat& format,
                  bool compressed, DibLayout& out);

// Row stride for a width and bit count (15-bit pixels take 16 bits).
uint64_t RowWidth(int32_t width, int32_t bitCount);

// Writes the header block (layout.headerSize bytes): the info header with layout.size as
// image byte count, the 16-bit masks, and the first colour-count entries of the table.
void WriteHeaderBlock(const DibLayout& layout, const RgbQuad table[kColorTableSize],
                      uint8_t* block);

// Writes the 14-byte file header that precedes a header block of this layout.
void WriteFileHeader(const DibLayout& layout, uint8_t out[kFileHeaderSize]);

}  // namespace bmp
