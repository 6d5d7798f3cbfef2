// BMP header, colour table and pixel reading (see BmpReader.h). The rules for odd files
// are here: OS/2 headers, 16-bit BI_RGB as 5-5-5, masks in any position, gaps before the
// pixel data, and more than 256 colour entries.
#include "dib/core/BmpReader.h"

#include <cstring>

namespace bmp {

namespace {

Status Truncated() { return Fail(Code::Truncated); }

// OS/2 headers hold only dimensions and depth; the rest is implied.
bool ReadCoreHeader(ByteReader& r, BmpInfoHeader& h) {
  BmpCoreHeader c{};
  c.size = h.size;
  if (!r.u16(c.width) || !r.u16(c.height) || !r.u16(c.planes) || !r.u16(c.bitCount))
    return false;
  h.width = c.width;
  h.height = c.height;
  h.planes = c.planes;
  h.bitCount = c.bitCount;
  h.compression = kRgb;
  return true;
}

bool ReadInfoHeader(ByteReader& r, BmpInfoHeader& h) {
  return r.i32(h.width) && r.i32(h.height) && r.u16(h.planes) && r.u16(h.bitCount) &&
         r.u32(h.compression) && r.u32(h.sizeImage) && r.i32(h.xPelsPerMeter) &&
         r.i32(h.yPelsPerMeter) && r.u32(h.clrUsed) && r.u32(h.clrImportant);
}

bool Standard(const BmpBitFields& m, const DIBPixelFormat& f) {
  return m.red == f.RBitMask && m.green == f.GBitMask && m.blue == f.BBitMask;
}

// Picks bit count and format for the file's depth and masks.
Status ChooseFormat(BmpInfo& info, int32_t& bitCount) {
  const BmpInfoHeader& h = info.header;
  bitCount = h.bitCount;
  info.format = Format888();
  if (h.compression != kBitFields) {
    if (h.bitCount == 16) {
      bitCount = 15;
      info.format = Format555();
    }
    return Status{};
  }
  const BmpBitFields& m = info.masks;
  const int r = MaskBitCount(m.red), g = MaskBitCount(m.green), b = MaskBitCount(m.blue);
  if (h.bitCount == 32) {
    info.remap = !Standard(m, Format888());
    return Status{};
  }
  if (h.bitCount != 16) return Fail(Code::BitFieldsBitCount);
  if (r == 5 && g == 6 && b == 5) {
    info.format = Format565();
  } else if (r == 5 && g == 5 && b == 5) {
    bitCount = 15;
    info.format = Format555();
  } else {
    return Fail(Code::PixelFormat);
  }
  info.remap = !Standard(m, info.format);
  return Status{};
}

// Moves each pixel's channels from the file's masks to the format's fields.
void RemapChannels(const BmpInfo& info, uint8_t* pixels) {
  const DibLayout& l = info.layout;
  const uint32_t masks[3] = {info.masks.red, info.masks.green, info.masks.blue};
  const uint32_t fieldMasks[3] = {info.format.RBitMask, info.format.GBitMask,
                                  info.format.BBitMask};
  const int fieldShifts[3] = {info.format.RShift, info.format.GShift, info.format.BShift};
  const int fieldWidths[3] = {info.format.RBitCount, info.format.GBitCount,
                              info.format.BBitCount};
  int shifts[3], widths[3];
  for (int c = 0; c < 3; ++c) {
    shifts[c] = MaskShift(masks[c]);
    widths[c] = MaskBitCount(masks[c]);
  }
  const int bytes = l.bitCount == 32 ? 4 : 2;
  for (int32_t y = 0; y < l.height; ++y) {
    uint8_t* p = pixels + static_cast<size_t>(y) * static_cast<size_t>(l.rowWidth);
    for (int32_t x = 0; x < l.width; ++x, p += bytes) {
      uint32_t in = 0;
      std::memcpy(&in, p, static_cast<size_t>(bytes));
      uint32_t out = 0;
      for (int c = 0; c < 3; ++c) {
        const uint32_t v = (in & masks[c]) >> shifts[c];
        out |= (ScaleField(v, widths[c], fieldWidths[c]) << fieldShifts[c]) & fieldMasks[c];
      }
      std::memcpy(p, &out, static_cast<size_t>(bytes));
    }
  }
}

}  // namespace

Status ReadFileHeader(ByteReader& r, BmpFileHeader& out, bool& empty) {
  empty = r.remaining() == 0;
  if (empty) return Status{};
  if (!r.u16(out.type) || !r.u32(out.fileSize) || !r.u16(out.reserved1) ||
      !r.u16(out.reserved2) || !r.u32(out.offBits) || out.type != kFileType)
    return Fail(Code::FileType);
  return Status{};
}

Status ReadBmpInfo(ByteReader& r, int64_t pixelOffset, BmpInfo& info) {
  info = BmpInfo{};
  const size_t start = r.position();
  BmpInfoHeader& h = info.header;
  if (r.remaining() == 0) {
    info.empty = true;
    return Status{};
  }
  if (!r.u32(h.size)) return Fail(Code::HeaderSize);
  const bool os2 = h.size == kCoreHeaderSize;
  if (os2) {
    if (!ReadCoreHeader(r, h)) return Truncated();
  } else if (h.size == kInfoHeaderSize) {
    if (!ReadInfoHeader(r, h)) return Truncated();
  } else {
    return Fail(Code::HeaderSize);
  }
  if (h.compression > kBitFields) return Fail(Code::Compression);
  if (h.compression == kBitFields &&
      !(r.u32(info.masks.red) && r.u32(info.masks.green) && r.u32(info.masks.blue)))
    return Truncated();

  // Colour entries: all that the file holds are passed over, the first 256 kept.
  uint64_t entries = h.clrUsed;
  if (entries == 0 && h.bitCount <= 8) entries = uint64_t(1) << h.bitCount;
  const uint64_t kept = entries < kColorTableSize ? entries : kColorTableSize;
  const int entrySize = os2 ? 3 : 4;
  for (uint64_t i = 0; i < kept; ++i) {
    RgbQuad& q = info.colorTable[i];
    if (!r.u8(q.blue) || !r.u8(q.green) || !r.u8(q.red)) return Truncated();
    if (!os2 && !r.u8(q.reserved)) return Truncated();
  }
  const uint64_t keptEnd = r.position() - start;
  const uint64_t tableEnd = keptEnd + (entries - kept) * entrySize;
  const uint64_t pixelStart =
      pixelOffset >= 0 && static_cast<uint64_t>(pixelOffset) >= keptEnd
          ? static_cast<uint64_t>(pixelOffset)
          : tableEnd;
  if (!r.skip(pixelStart - keptEnd)) return Truncated();

  int32_t bitCount = 0;
  Status s = ChooseFormat(info, bitCount);
  if (!s.ok()) return s;
  const bool rle = h.compression == kRle8 || h.compression == kRle4;
  if ((h.compression == kRle8 && bitCount != 8) || (h.compression == kRle4 && bitCount != 4))
    return Fail(Code::RleBitCount);
  // Heights of -2^31 have no positive counterpart.
  if (h.height == INT32_MIN) return Fail(Code::Dimensions);
  info.topDown = h.height < 0;
  info.height = info.topDown ? -h.height : h.height;
  if (rle && info.topDown) return Fail(Code::RleTopDown);
  s = MakeLayout(h.width, info.height, bitCount, info.format, rle, info.layout);
  if (!s.ok()) return s;
  if (rle) {
    if (h.sizeImage == 0 || h.sizeImage > kMaxPixelBytes) return Fail(Code::RleImageSize);
    info.layout.size = h.sizeImage;
  }
  if (!r.has(info.layout.size)) return Truncated();
  return Status{};
}

Status ReadBmpPixels(ByteReader& r, const BmpInfo& info, uint8_t* pixels) {
  const DibLayout& l = info.layout;
  if (!info.topDown) {
    if (!r.bytes(pixels, l.size)) return Truncated();
  } else {
    const size_t row = static_cast<size_t>(l.rowWidth);
    for (int32_t y = l.height - 1; y >= 0; --y)
      if (!r.bytes(pixels + static_cast<size_t>(y) * row, row)) return Truncated();
  }
  if (info.remap) RemapChannels(info, pixels);
  return Status{};
}

}  // namespace bmp
