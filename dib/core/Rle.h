// The BMP run-length codecs: RLE8 and RLE4 decoding into an uncompressed image, and the
// library's RLE8 and RLE4 encoders. Rows run from the bottom of the picture upward.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dib/core/BmpStatus.h"

namespace bmp {

// Where decoded pixels go: width x height pixels of 4 or 8 bits, rows of rowWidth bytes,
// bottom row first. The memory must be zeroed by the caller.
struct RleTarget {
  uint8_t* pixels;
  int32_t width, height, rowWidth;
  int bitCount;  // 4 or 8
};

// Decodes the data into the target. Nothing is read outside the data nor written
// outside the image: runs past the row end, deltas and ends of line past the image and
// data cut short are clipped, and the first such fault is returned (a Clipped code).
Status DecodeRle(const uint8_t* data, size_t size, const RleTarget& target);

// Encodes an uncompressed 8-bit (RLE8) or 4-bit (RLE4) image; the result ends with the
// end-of-bitmap code.
std::vector<uint8_t> EncodeRle8(const uint8_t* pixels, int32_t width, int32_t height,
                                int32_t rowWidth);
std::vector<uint8_t> EncodeRle4(const uint8_t* pixels, int32_t width, int32_t height,
                                int32_t rowWidth);

}  // namespace bmp
