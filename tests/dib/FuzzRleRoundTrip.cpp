// libFuzzer entry point for the RLE encoders: any pixels, encoded and decoded again,
// must come back unchanged and decode without a fault.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dib/core/BmpHeaders.h"
#include "dib/core/Rle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int bits = data[0] & 1 ? 4 : 8;
  const int32_t width = 1 + data[1] % 300;
  const uint8_t* pixels = data + 2;
  const size_t bytes = size - 2;
  const int32_t rowWidth = static_cast<int32_t>(bmp::RowWidth(width, bits));
  const int32_t height = static_cast<int32_t>(bytes / static_cast<size_t>(rowWidth));
  if (height == 0) return 0;
  std::vector<uint8_t> image(pixels, pixels + static_cast<size_t>(rowWidth) * height);
  // Bits past the row's last pixel are padding, which the codec does not keep.
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image.data() + static_cast<size_t>(y) * rowWidth;
    const int32_t used = bits == 8 ? width : (width + 1) / 2;
    std::memset(row + used, 0, static_cast<size_t>(rowWidth - used));
    if (bits == 4 && width % 2) row[used - 1] &= 0xF0;
  }
  const std::vector<uint8_t> rle = bits == 8 ? bmp::EncodeRle8(image.data(), width, height, rowWidth)
                                             : bmp::EncodeRle4(image.data(), width, height, rowWidth);
  std::vector<uint8_t> back(image.size(), 0);
  const bmp::Status s =
      bmp::DecodeRle(rle.data(), rle.size(), bmp::RleTarget{back.data(), width, height, rowWidth, bits});
  if (!s.ok() || back != image) std::abort();
  return 0;
}
