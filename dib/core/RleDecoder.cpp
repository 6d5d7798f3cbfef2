// RLE8 and RLE4 decoding (see Rle.h). Every pixel goes through one checked store, and
// every item is read through the bounded reader, so bad data is clipped, never overrun.
#include "dib/core/ByteReader.h"
#include "dib/core/Rle.h"

namespace bmp {

namespace {

class Decoder {
 public:
  Decoder(const uint8_t* data, size_t size, const RleTarget& t) : r_(data, size), t_(t) {}

  Status Run() {
    for (;;) {
      uint8_t count, value;
      if (!r_.u8(count) || !r_.u8(value)) return Note(Code::RleDataEnd);
      if (count > 0) {
        for (int i = 0; i < count; ++i) Store(NibbleOf(value, i));
        continue;
      }
      switch (value) {
        case 0:  // end of line
          x_ = 0;
          ++y_;
          break;
        case 1:  // end of bitmap
          return first_;
        case 2: {  // delta: right, then up
          uint8_t dx, dy;
          if (!r_.u8(dx) || !r_.u8(dy)) return Note(Code::RleDataEnd);
          x_ += dx;
          y_ += dy;
          break;
        }
        default: {  // absolute run of `value` pixels, padded to an even byte count
          const size_t bytes = t_.bitCount == 8 ? value : (value + 1u) / 2;
          const uint8_t* p = r_.take(bytes);
          if (!p) return Note(Code::RleDataEnd);
          for (int i = 0; i < value; ++i)
            Store(t_.bitCount == 8 ? p[i] : NibbleOf(p[i / 2], i));
          if (!r_.alignEven()) return Note(Code::RleDataEnd);
        }
      }
    }
  }

 private:
  // RLE4 pixels alternate the high and low nibble of a byte, high first.
  uint8_t NibbleOf(uint8_t v, int i) const {
    if (t_.bitCount == 8) return v;
    return i % 2 == 0 ? v >> 4 : v & 0x0F;
  }

  // The one store: pixels outside the image are dropped and noted.
  void Store(uint8_t v) {
    if (y_ >= t_.height) {
      Note(Code::RlePastImage);
    } else if (x_ >= t_.width) {
      Note(Code::RleRunPastRow);
    } else {
      uint8_t* row = t_.pixels + static_cast<size_t>(y_) * static_cast<size_t>(t_.rowWidth);
      if (t_.bitCount == 8) {
        row[x_] = v;
      } else {
        uint8_t& b = row[x_ / 2];
        b = x_ % 2 == 0 ? static_cast<uint8_t>((b & 0x0F) | v << 4)
                        : static_cast<uint8_t>((b & 0xF0) | v);
      }
    }
    ++x_;
  }

  Status Note(Code c) {
    if (first_.ok()) first_ = Fail(c);
    return first_;
  }

  ByteReader r_;
  RleTarget t_;
  // 64 bits so that runs, deltas and ends of line cannot wrap; they are bounded by the
  // data's length, and only stores need the image's bounds.
  int64_t x_ = 0, y_ = 0;
  Status first_;
};

}  // namespace

Status DecodeRle(const uint8_t* data, size_t size, const RleTarget& target) {
  return Decoder(data, size, target).Run();
}

}  // namespace bmp
