// The BMP reader of the portable codec: the 14-byte file header, the OS/2 and Windows
// info headers, bit-field masks and colour table, then the pixel rows or RLE data.
// Every read is bounded; dimensions are checked before the caller allocates anything.
#pragma once
#include <cstdint>

#include "dib/core/BmpHeaders.h"
#include "dib/core/ByteReader.h"

namespace bmp {

// Everything the headers say, checked, in the form the image is built from.
struct BmpInfo {
  bool empty = false;            // no byte where the header size would be: an empty image
  BmpInfoHeader header{};        // as read; OS/2 fields widened into it
  int32_t height = 0;            // positive
  bool topDown = false;
  DIBPixelFormat format{};       // the format the image gets
  BmpBitFields masks{};          // the file's masks when the pixels must be moved
  bool remap = false;            // channels are not where `format` puts them
  RgbQuad colorTable[kColorTableSize]{};
  DibLayout layout;              // the image's layout; size is the RLE length when compressed
};

// Reads the file header. `empty` is set when no byte is left; fewer than 14 bytes or a
// type other than "BM" is invalid.
Status ReadFileHeader(ByteReader& r, BmpFileHeader& out, bool& empty);

// Reads from the info header up to the pixel data, where it leaves the reader.
// pixelOffset is the file header's data offset counted from the info header, or -1 when
// there is none: an offset past the colour table is honoured, one inside it is not.
Status ReadBmpInfo(ByteReader& r, int64_t pixelOffset, BmpInfo& info);

// Reads info.layout.size bytes of pixels into memory laid out bottom row first (the RLE
// data unchanged when compressed), and moves bit-field channels into place.
Status ReadBmpPixels(ByteReader& r, const BmpInfo& info, uint8_t* pixels);

}  // namespace bmp
