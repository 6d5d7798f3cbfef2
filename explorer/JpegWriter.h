// Writes a 24-bit image as a JPEG file through libjpeg: the library's defaults, a quality
// with quantisation tables limited to baseline values, and, when asked, progressive
// encoding by the simple progression script. Free of windows.h; the main window's image
// saving (MainImageSave.cpp) turns a failure into the graphic class's exception.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct JpegWriteResult {
  bool CreateFailed = false;  // the file could not be created
  int ErrorCode = 0;          // the library's message code of a failed encoding, else 0
  bool WriteFailed = false;   // the encoded data could not all be written
  bool ok() const { return !CreateFailed && ErrorCode == 0 && !WriteFailed; }
};

// `rows` holds `height` rows of `width` pixels, 3 bytes each in the order red, green,
// blue, `stride` bytes apart, top row first.
JpegWriteResult WriteJpegFile(const std::string& fileName, const std::uint8_t* rows, int width,
                              int height, std::ptrdiff_t stride, int quality, bool progressive);
