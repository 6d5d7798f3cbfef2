// Failure values of the portable BMP codec: one code per fault, with the message the
// library reports for it. The Win32 side (DIBErrors.cpp) turns a status into the
// exception class named by its kind; tests match the codes.
#pragma once
#include <cstddef>
#include <cstdint>

namespace bmp {

// How the GDI side reports a code.
enum class FaultKind : uint8_t {
  None,              // success
  InvalidGraphic,    // "DIB is invalid"
  InvalidOperation,  // invalid graphic operation (bit count, pixel format)
  ReadError,         // the stream ends early: the class library's read error
  OutOfMemory,       // more pixel memory than an image can address: the platform's error
  Clipped,           // RLE data outside the image: decoded as far as it fits, not raised
};

enum class Code : uint8_t {
  Ok,
  Truncated,          // the data ends inside the header, colour table or pixels
  HeaderSize,         // info header size not 12 or 40
  FileType,           // file header without "BM"
  Compression,        // compression other than 0 to 3
  Dimensions,         // width <= 0, height 0 or -2^31, or, read from outside, pixel bytes
                      // beyond the cap
  BitCount,           // bit count not 1, 4, 8, 15, 16, 24 or 32
  PixelFormat,        // masks that do not fit the bit count
  BitFieldsBitCount,  // BI_BITFIELDS with a bit count other than 16 or 32
  RleBitCount,        // RLE8 not at 8 bits or RLE4 not at 4 bits
  RleTopDown,         // run-length data with rows stored top-down
  RleImageSize,       // run-length data of 0 bytes or beyond the cap
  RleRunPastRow,      // a run or absolute run crosses the right edge
  RlePastImage,       // a delta or end of line leaves the image
  RleDataEnd,         // an item is cut off, or the data lacks an end of bitmap
  ImageTooLarge,      // an image the program sizes whose pixel bytes do not fit an int
  Count
};

struct CodeInfo {
  Code code;
  FaultKind kind;
  const char* name;     // the code's name, also the stem of malformed test files
  const char* message;  // constant text; "%d" takes the status value
};

// The one table of codes, indexed by Code.
const CodeInfo& Describe(Code code);

struct Status {
  Code code = Code::Ok;
  int32_t value = 0;  // the bit count for Code::BitCount
  bool ok() const { return code == Code::Ok; }
  FaultKind kind() const { return Describe(code).kind; }
};

inline Status Fail(Code code, int32_t value = 0) { return Status{code, value}; }

}  // namespace bmp
