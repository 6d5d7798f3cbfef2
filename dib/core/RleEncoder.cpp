// The library's RLE8 and RLE4 encoders (see Rle.h). Runs of equal pixels become encoded
// pairs, everything else absolute runs; items are padded to even lengths.
#include "dib/core/Rle.h"

namespace bmp {

namespace {

void PadEven(std::vector<uint8_t>& out) {
  if (out.size() % 2) out.push_back(0);
}

void EncodeRow8(const uint8_t* p, int32_t width, std::vector<uint8_t>& out) {
  int32_t x = 0;
  while (x < width) {
    const int32_t r = width - x;
    if (r > 2 && p[x + 1] == p[x]) {
      int32_t n = 2;
      while (x + n < width && n < 255 && p[x + n] == p[x]) ++n;
      out.push_back(static_cast<uint8_t>(n));
      out.push_back(p[x]);
      x += n;
    } else if (r > 2 && p[x + 1] == p[x + 2]) {
      // A single pixel, so that the pair after it starts a run.
      out.push_back(1);
      out.push_back(p[x]);
      x += 1;
    } else if (r < 4) {
      out.push_back(1);
      out.push_back(p[x]);
      if (r == 2) {
        out.push_back(1);
        out.push_back(p[x + 1]);
        x += 2;
      } else {
        x += 1;
      }
    } else {
      const size_t head = out.size();
      out.push_back(0);
      out.push_back(0);
      int32_t n = 0;
      for (; n < 3; ++n) out.push_back(p[x + n]);
      while (x + n < width && n < 255) {
        const int32_t left = width - x - n;
        const uint8_t* q = p + x + n;
        if (left >= 4 && q[0] == q[1] && q[1] == q[2] && q[2] == q[3]) break;
        out.push_back(*q);
        ++n;
      }
      out[head + 1] = static_cast<uint8_t>(n);
      x += n;
    }
    PadEven(out);
  }
}

uint8_t Nibble(const uint8_t* p, int32_t x) {
  return x % 2 == 0 ? p[x / 2] >> 4 : p[x / 2] & 0x0F;
}
uint8_t Pair(const uint8_t* p, int32_t x) {
  return static_cast<uint8_t>(Nibble(p, x) << 4 | Nibble(p, x + 1));
}

void EncodeRow4(const uint8_t* p, int32_t width, std::vector<uint8_t>& out) {
  int32_t x = 0;
  while (x < width) {
    const int32_t r = width - x;
    if (r > 3 && Nibble(p, x) == Nibble(p, x + 2)) {
      // The run grows past its first two pixels only while they are equal, since each
      // next pixel is compared with the nibble of the other phase.
      int32_t n = 2;
      const uint8_t phase[2] = {Nibble(p, x + 1), Nibble(p, x)};
      while (x + n < width && n < 255 && Nibble(p, x + n) == phase[n % 2]) ++n;
      out.push_back(static_cast<uint8_t>(n));
      out.push_back(Pair(p, x));
      x += n;
    } else if (r > 5 && Nibble(p, x + 2) == Nibble(p, x + 4) &&
               Nibble(p, x + 3) == Nibble(p, x + 5)) {
      out.push_back(2);
      out.push_back(Pair(p, x));
      x += 2;
    } else if (r < 4) {
      for (; width - x >= 2; x += 2) {
        out.push_back(2);
        out.push_back(Pair(p, x));
      }
      if (x < width) {
        out.push_back(1);
        out.push_back(static_cast<uint8_t>(Nibble(p, x) << 4));
        x += 1;
      }
    } else {
      const size_t head = out.size();
      out.push_back(0);
      out.push_back(0);
      out.push_back(Pair(p, x));
      out.push_back(Pair(p, x + 2));
      int32_t n = 4;
      while (width - x - n >= 2 && n < 254) {
        const int32_t at = x + n;
        if (width - at >= 4 && Nibble(p, at) == Nibble(p, at + 2) &&
            Nibble(p, at + 1) == Nibble(p, at + 3))
          break;
        out.push_back(Pair(p, at));
        n += 2;
      }
      out[head + 1] = static_cast<uint8_t>(n);
      x += n;
    }
    PadEven(out);
  }
}

template <typename RowEncoder>
std::vector<uint8_t> Encode(const uint8_t* pixels, int32_t width, int32_t height,
                            int32_t rowWidth, RowEncoder encodeRow) {
  std::vector<uint8_t> out;
  out.reserve(4096);
  for (int32_t y = 0; y < height; ++y) {
    encodeRow(pixels + static_cast<size_t>(y) * static_cast<size_t>(rowWidth), width, out);
    out.push_back(0);  // end of line
    out.push_back(0);
  }
  out.push_back(0);  // end of bitmap
  out.push_back(1);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeRle8(const uint8_t* pixels, int32_t width, int32_t height,
                                int32_t rowWidth) {
  return Encode(pixels, width, height, rowWidth, EncodeRow8);
}

std::vector<uint8_t> EncodeRle4(const uint8_t* pixels, int32_t width, int32_t height,
                                int32_t rowWidth) {
  return Encode(pixels, width, height, rowWidth, EncodeRow4);
}

}  // namespace bmp
