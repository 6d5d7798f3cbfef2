// Writes a 24-bit image as a JPEG file through libjpeg: the library's defaults, a quality
// with quantisation tables limited to baseline values, and, when asked, progressive
// encoding by the simple progression script. The file is saved through SafeSave, so a
// failed encoding or a full disk leaves an existing file as it was. Free of windows.h; the
// main window's image saving (MainImageSave.cpp) turns a failure into an exception.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "filesave/SafeSave.h"

struct JpegWriteResult {
  bool CreateFailed = false;  // the new file could not be created
  SaveStatus Save;            // why the file could not be created or written
  int ErrorCode = 0;          // the library's message code of a failed encoding, else 0
  bool ok() const { return Save.ok() && ErrorCode == 0; }
};

// `rows` holds `height` rows of `width` pixels, 3 bytes each in the order red, green,
// blue, `stride` bytes apart, top row first.
JpegWriteResult WriteJpegFile(const std::string& fileName, const std::uint8_t* rows, int width,
                              int height, std::ptrdiff_t stride, int quality, bool progressive);
