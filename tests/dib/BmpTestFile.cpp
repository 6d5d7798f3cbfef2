// Whole-file decoding and writing over the portable codec, for tests (BmpTestFile.h).
#include "tests/dib/BmpTestFile.h"

#include <cstdio>
#include <stdexcept>

bmp::Status DecodeDib(const uint8_t* data, size_t size, int64_t pixelOffset, DecodedBmp& out) {
  out = DecodedBmp{};
  bmp::ByteReader r(data, size);
  bmp::Status s = bmp::ReadBmpInfo(r, pixelOffset, out.info);
  if (!s.ok() || out.info.empty) return s;
  const bmp::DibLayout& l = out.info.layout;
  out.data.assign(l.size, 0);
  s = bmp::ReadBmpPixels(r, out.info, out.data.data());
  if (!s.ok()) return s;
  if (!l.compressed) {
    out.pixels = out.data;
    return s;
  }
  out.pixels.assign(static_cast<size_t>(l.rowWidth) * static_cast<size_t>(l.height), 0);
  const bmp::RleTarget t{out.pixels.data(), l.width, l.height, l.rowWidth, l.bitCount};
  out.decode = bmp::DecodeRle(out.data.data(), out.data.size(), t);
  return s;
}

bmp::Status DecodeBmpFile(const std::vector<uint8_t>& file, DecodedBmp& out) {
  bmp::ByteReader r(file.data(), file.size());
  bmp::BmpFileHeader fh{};
  bool empty = false;
  bmp::Status s = bmp::ReadFileHeader(r, fh, empty);
  if (!s.ok()) return s;
  if (empty) {
    out = DecodedBmp{};
    out.info.empty = true;
    return s;
  }
  return DecodeDib(file.data() + bmp::kFileHeaderSize, file.size() - bmp::kFileHeaderSize,
                   static_cast<int64_t>(fh.offBits) - bmp::kFileHeaderSize, out);
}

std::vector<uint8_t> EncodeBmpFile(const bmp::DibLayout& l, const bmp::RgbQuad* table,
                                   const uint8_t* pixels) {
  std::vector<uint8_t> out(bmp::kFileHeaderSize + static_cast<size_t>(l.headerSize) + l.size);
  bmp::WriteFileHeader(l, out.data());
  bmp::WriteHeaderBlock(l, table, out.data() + bmp::kFileHeaderSize);
  std::copy(pixels, pixels + l.size, out.begin() + bmp::kFileHeaderSize + l.headerSize);
  return out;
}


void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string TestDataDir() { return QV_TEST_DATA; }
