// The direct render's saving declared in DiskImageSave.h, through SafeSave. The BMP file
// is written straight from the image's rows, which are already in the file's bottom-up layout, so a
// large render needs no second copy of its pixels.
#include "explorer/print/DiskImageSave.h"


#include <cstdint>
#include <vector>

#include "explorer/render/DiskImage.h"
#include "explorer/files/JpegWriter.h"
#include "filesave/SafeSave.h"
#include "forms/core/Consts.h"
#include "forms/core/SysUtils.h"

namespace {

constexpr const char SJPEGError[] = "JPEG error #%d";

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

void WriteBmp(const TDiskImage& image, const std::string& fileName) {
  const std::uint64_t pixelBytes = image.SizeBytes();
  std::uint8_t header[54] = {'B', 'M'};
  Put32(header + 2, static_cast<std::uint32_t>(54 + pixelBytes));
  Put32(header + 10, 54);
  Put32(header + 14, 40);
  Put32(header + 18, static_cast<std::uint32_t>(image.Width()));
  Put32(header + 22, static_cast<std::uint32_t>(image.Height()));  // positive: bottom-up
  Put16(header + 26, 1);
  Put16(header + 28, 24);
  Put32(header + 34, static_cast<std::uint32_t>(pixelBytes));
  SafeSave save(fileName);
  SaveStatus status = save.Begin();
  if (!status.ok()) throw EFCreateError(status.Message(fileName));
  save.Write(header, sizeof header);
  // In pieces: a size_t write of the whole image is not a DWORD on every target.
  const std::uint8_t* bits = image.Bits();
  for (std::uint64_t left = pixelBytes; left > 0;) {
    const std::size_t chunk = left > (1u << 24) ? (1u << 24) : static_cast<std::size_t>(left);
    save.Write(bits, chunk);
    bits += chunk;
    left -= chunk;
  }
  status = save.Commit();
  if (!status.ok()) throw EWriteError(status.Message(fileName));
}

void WriteJpeg(const TDiskImage& image, const std::string& fileName) {
  // The encoder takes rows of red, green and blue, top first.
  const int width = image.Width(), height = image.Height();
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  std::vector<std::uint8_t> rgb(rowBytes * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = image.ScanLine(y);
    std::uint8_t* out = rgb.data() + rowBytes * static_cast<std::size_t>(y);
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  const JpegWriteResult r = WriteJpegFile(fileName, rgb.data(), width, height,
                                          static_cast<std::ptrdiff_t>(rowBytes), 95, true);
  if (r.CreateFailed) throw EFCreateError(r.Save.Message(fileName));
  if (!r.Save.ok()) throw EWriteError(r.Save.Message(fileName));
  if (r.ErrorCode != 0) throw EInvalidGraphic(SJPEGError, r.ErrorCode);
}

}  // namespace

void SaveDiskImage(const TDiskImage& image, const std::string& fileName) {
  // Only the exact lower-case extension means JPEG: ".JPG" and ".jpeg" get BMP content.
  const bool jpeg = ExtractFileExt(fileName) == ".jpg";
  if (jpeg) WriteJpeg(image, fileName);
  else WriteBmp(image, fileName);
}
