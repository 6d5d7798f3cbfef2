// TJPEGImage: the JPEG graphic of image saving: a 24-bit bitmap assigned to it is kept as
// rows of red, green and blue, and SaveToFile encodes them (JpegWriter.h) with the
// compression quality and progressive encoding set on it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/core/Object.h"

class TBitmap;

class TJPEGImage : public TObject {
public:
  int CompressionQuality = 90;
  bool ProgressiveEncoding = false;

  void Assign(TBitmap* bitmap);
  // EFCreateError when the file cannot be made, EInvalidGraphic "JPEG error #%d" when
  // the encoder fails, EWriteError when the data cannot all be written.
  void SaveToFile(const std::string& fileName) const;

  int Width() const { return width_; }
  int Height() const { return height_; }

private:
  std::vector<std::uint8_t> rgb_;
  int width_ = 0;
  int height_ = 0;
};
