// The direct render's saving declared in DiskImageSave.h. The BMP file is written
// straight from the image's rows, which are already in the file's bottom-up layout, so a
// large render needs no second copy of its pixels.
#include "DiskImageSave.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "DiskImage.h"
#include "JpegWriter.h"
#include "forms/Consts.h"
#include "forms/SysUtils.h"

namespace {

constexpr const char SJPEGError[] = "JPEG error #%d";

// Writes through write() into a new file in the target's folder, then moves it over the
// target. Whatever fails, the new file is removed and the target is left untouched.
void WriteBeside(const std::string& target, const std::function<void(const std::string&)>& write) {
  std::string folder = ExtractFilePath(target);
  if (folder.empty()) folder = ".";
  char temporary[MAX_PATH + 16] = "";
  if (GetTempFileNameA(folder.c_str(), "qv", 0, temporary) == 0)
    throw EFCreateError(SFCreateError, target);
  try {
    write(temporary);
  } catch (...) {
    DeleteFileA(temporary);
    throw;
  }
  if (!MoveFileExA(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary);
    throw EFCreateError(SFCreateError, target);
  }
}

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

void WriteAll(HANDLE file, const std::uint8_t* data, std::uint64_t size) {
  while (size > 0) {
    const DWORD chunk = size > (1u << 24) ? (1u << 24) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written != chunk) throw EWriteError(SWriteError);
    data += chunk;
    size -= chunk;
  }
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
  HANDLE file = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw EFCreateError(SFCreateError, fileName);
  try {
    WriteAll(file, header, sizeof header);
    if (pixelBytes > 0) WriteAll(file, image.Bits(), pixelBytes);
  } catch (...) {
    CloseHandle(file);
    throw;
  }
  if (!CloseHandle(file)) throw EWriteError(SWriteError);
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
  if (r.CreateFailed) throw EFCreateError(SFCreateError, fileName);
  if (r.ErrorCode != 0) throw EInvalidGraphic(SJPEGError, r.ErrorCode);
  if (r.WriteFailed) throw EWriteError(SWriteError);
}

}  // namespace

void SaveDiskImage(const TDiskImage& image, const std::string& fileName) {
  // Only the exact lower-case extension means JPEG: ".JPG" and ".jpeg" get BMP content.
  const bool jpeg = ExtractFileExt(fileName) == ".jpg";
  WriteBeside(fileName, [&](const std::string& temporary) {
    if (jpeg) WriteJpeg(image, temporary);
    else WriteBmp(image, temporary);
  });
}
