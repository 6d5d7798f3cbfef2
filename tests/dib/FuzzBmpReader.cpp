// libFuzzer entry point for the BMP reader and the RLE decoder: any bytes, read as a
// file with its file header when they start with "BM", else as a bare DIB.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dib/core/BmpReader.h"
#include "dib/core/Rle.h"

namespace {
// Decoding bigger images finds nothing new and only slows the run down.
constexpr uint64_t kFuzzDecodeLimit = uint64_t(4) << 20;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int64_t offset = -1;
  bmp::ByteReader r(data, size);
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
    bmp::BmpFileHeader fh{};
    bool empty = false;
    if (!bmp::ReadFileHeader(r, fh, empty).ok() || empty) return 0;
    offset = static_cast<int64_t>(fh.offBits) - bmp::kFileHeaderSize;
  }
  bmp::ByteReader dib(data + r.position(), size - r.position());
  bmp::BmpInfo info;
  if (!bmp::ReadBmpInfo(dib, offset, info).ok() || info.empty) return 0;
  const bmp::DibLayout& l = info.layout;
  std::vector<uint8_t> pixels(l.size);
  if (!bmp::ReadBmpPixels(dib, info, pixels.data()).ok() || !l.compressed) return 0;
  const uint64_t full = static_cast<uint64_t>(l.rowWidth) * static_cast<uint64_t>(l.height);
  if (full > kFuzzDecodeLimit) return 0;
  std::vector<uint8_t> image(static_cast<size_t>(full), 0);
  bmp::DecodeRle(pixels.data(), pixels.size(),
                 bmp::RleTarget{image.data(), l.width, l.height, l.rowWidth, l.bitCount});
  return 0;
}
