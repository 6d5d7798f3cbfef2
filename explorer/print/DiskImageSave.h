// Saving the image of a direct render: a standard uncompressed 24-bit BMP file, or a
// progressive JPEG at quality 95 when the name's extension is exactly ".jpg". The file is
// written beside the target and put in its place only when complete, so that a failed
// save leaves no partial file and an existing file as it was.
#pragma once

#include <string>

class TDiskImage;

// Raises EFCreateError when the file cannot be made or put in place, EWriteError when
// its data cannot all be written, EInvalidGraphic for a failed JPEG encoding.
void SaveDiskImage(const TDiskImage& image, const std::string& fileName);
