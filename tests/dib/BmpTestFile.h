// Test helpers over the portable codec: whole BMP files decoded into plain vectors and
// written from them, and a little-endian byte writer for crafting headers inline.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"
#include "dib/core/BmpReader.h"
#include "dib/core/Rle.h"

struct DecodedBmp {
  bmp::BmpInfo info;
  std::vector<uint8_t> data;    // pixels as read (RLE data when compressed)
  std::vector<uint8_t> pixels;  // uncompressed, bottom row first
  bmp::Status decode;           // what the RLE decoder reported
};

// Reads the info header on, as from a stream without file header (pixelOffset -1) or
// after one; decodes RLE data into `pixels`.
bmp::Status DecodeDib(const uint8_t* data, size_t size, int64_t pixelOffset, DecodedBmp& out);
// Reads a file with its 14-byte file header.
bmp::Status DecodeBmpFile(const std::vector<uint8_t>& file, DecodedBmp& out);

// A BMP file of this layout: file header, header block, then `size` bytes of pixels.
std::vector<uint8_t> EncodeBmpFile(const bmp::DibLayout& layout, const bmp::RgbQuad* table,
                                   const uint8_t* pixels);

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Little-endian writer for crafted files.
struct Bytes {
  std::vector<uint8_t> v;
  Bytes& u8(uint32_t x) { v.push_back(static_cast<uint8_t>(x)); return *this; }
  Bytes& u16(uint32_t x) { return u8(x).u8(x >> 8); }
  Bytes& u32(uint32_t x) { return u16(x).u16(x >> 16); }
  Bytes& fill(size_t n, uint8_t x) { v.insert(v.end(), n, x); return *this; }
  Bytes& raw(std::initializer_list<uint8_t> b) { v.insert(v.end(), b); return *this; }
  // A 40-byte info header.
  Bytes& info(int32_t w, int32_t h, uint32_t bpp, uint32_t compression = 0,
              uint32_t sizeImage = 0, uint32_t clrUsed = 0) {
    return u32(40).u32(static_cast<uint32_t>(w)).u32(static_cast<uint32_t>(h)).u16(1).u16(bpp)
        .u32(compression).u32(sizeImage).u32(0).u32(0).u32(clrUsed).u32(0);
  }
  // A file header whose data offset is `off`.
  Bytes& file(uint32_t off, uint32_t size = 0) { return u16(0x4D42).u32(size).u32(0).u32(off); }
};

// Where the test data lies, as the test program sees it.
std::string TestDataDir();
