// TJPEGImage (see JpegImage.h): the bitmap's pixels taken as the screen shows them, and
// the encoder's failures as the graphic classes report theirs.
#include "explorer/files/JpegImage.h"

#include <windows.h>

#include "explorer/files/JpegWriter.h"
#include "forms/graphics/Bitmap.h"
#include "forms/core/Consts.h"
#include "forms/core/SysUtils.h"

namespace {
constexpr const char SJPEGError[] = "JPEG error #%d";
}

void TJPEGImage::Assign(TBitmap* bitmap) {
  width_ = bitmap->Width();
  height_ = bitmap->Height();
  rgb_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3, 0);
  if (width_ <= 0 || height_ <= 0) return;
  // Whatever the bitmap's own format, its pixels are read back as top-down 24-bit rows.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t(3);
  std::vector<std::uint8_t> bgr(stride * static_cast<std::size_t>(height_));
  GdiFlush();
  HDC dc = GetDC(nullptr);
  if (!dc) RaiseLastOSError();
  const int got = GetDIBits(dc, bitmap->Handle(), 0, static_cast<UINT>(height_), bgr.data(), &info,
                            DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (got != height_) throw EInvalidGraphic(SInvalidBitmap);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* in = bgr.data() + static_cast<std::size_t>(y) * stride;
    std::uint8_t* out = rgb_.data() + static_cast<std::size_t>(y) * width_ * 3;
    for (int x = 0; x < width_; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
}

void TJPEGImage::SaveToFile(const std::string& fileName) const {
  const JpegWriteResult r = WriteJpegFile(fileName, rgb_.data(), width_, height_,
                                          static_cast<std::ptrdiff_t>(width_) * 3,
                                          CompressionQuality, ProgressiveEncoding);
  if (r.CreateFailed) throw EFCreateError(r.Save.Message(fileName));
  if (!r.Save.ok()) throw EWriteError(r.Save.Message(fileName));
  if (r.ErrorCode != 0) throw EInvalidGraphic(SJPEGError, r.ErrorCode);
}
