// TBitmap (see Bitmap.h): the handle, its memory DC and canvas, drawing, and BMP and
// CF_BITMAP exchange through GetDIBits and SetDIBits.
#include "forms/graphics/Bitmap.h"

#include <vector>

#include "forms/core/Streams.h"

namespace {

int BitsOf(TPixelFormat f) {
  switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit: case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}

// BITMAPINFO with room for a full colour table (and the three masks of BI_BITFIELDS).
struct BitmapInfo256 {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256 + 3];
};

HBITMAP MakeBitmap(int width, int height, TPixelFormat format) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = nullptr;
  if (format == pfDevice) {
    bitmap = CreateCompatibleBitmap(screen, width, height);
  } else {
    BitmapInfo256 info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(BitsOf(format));
    if (format == pf16bit) {
      info.header.biCompression = BI_BITFIELDS;
      const DWORD masks[3] = {0xF800, 0x7E0, 0x1F};
      memcpy(info.colors, masks, sizeof masks);
    }
    void* bits = nullptr;
    bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                              nullptr, 0);
  }
  ReleaseDC(nullptr, screen);
  if (!bitmap) throw EOutOfResources(SOutOfResources);
  return bitmap;
}

}  // namespace

// The canvas makes the memory DC on first use.
class TBitmap::BitmapCanvas : public TCanvas {
public:
  explicit BitmapCanvas(TBitmap* owner) : owner_(owner) {}

protected:
  void CreateHandle() override {
    if (!owner_->handle_) return;
    owner_->dc_ = CreateCompatibleDC(nullptr);
    if (!owner_->dc_) throw EOutOfResources(SOutOfResources);
    owner_->oldBitmap_ = SelectObject(owner_->dc_, owner_->handle_);
    if (owner_->palette_) SelectPalette(owner_->dc_, owner_->palette_, TRUE);
    SetHandle(owner_->dc_);
  }
  // What is drawn changes the bitmap: whoever shows it (an image) draws it again.
  void Changed() override {
    TCanvas::Changed();
    owner_->Changed(owner_);
  }

private:
  TBitmap* owner_;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  Release();
  delete canvas_;
  if (palette_) DeleteObject(palette_);
}

void TBitmap::Release() {
  if (canvas_) canvas_->SetHandle(nullptr);
  if (dc_) {
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    dc_ = nullptr;
  }
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  width_ = height_ = 0;
}

void TBitmap::Install(HBITMAP handle) {
  Release();
  handle_ = handle;
  if (handle_) {
    BITMAP bm{};
    if (GetObjectType(handle_) != OBJ_BITMAP || GetObject(handle_, sizeof bm, &bm) == 0) {
      handle_ = nullptr;
      throw EInvalidGraphic(SInvalidBitmap);
    }
    width_ = bm.bmWidth;
    height_ = bm.bmHeight;
  }
  Changed(this);
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_ && handle_) return;
  Install(width > 0 && height > 0 ? MakeBitmap(width, height, pixelFormat_) : nullptr);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == pixelFormat_) return;
  pixelFormat_ = format;
  if (handle_) Install(MakeBitmap(width_, height_, pixelFormat_));
}

void TBitmap::SetHandle(HBITMAP handle) {
  if (handle != handle_) Install(handle);
}

void TBitmap::SetPalette(HPALETTE palette) {
  if (palette == palette_) return;
  if (dc_) SelectPalette(dc_, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), TRUE);
  if (palette_) DeleteObject(palette_);
  palette_ = palette;
  if (dc_ && palette_) SelectPalette(dc_, palette_, TRUE);
  SetPaletteModified(true);
  Changed(this);
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = new BitmapCanvas(this);
  return canvas_;
}

void TBitmap::Draw(TCanvas* canvas, const RECT& r) {
  if (Empty()) return;
  HDC src = Canvas()->Handle();
  HDC dst = canvas->Handle();
  HPALETTE old = palette_ ? SelectPalette(dst, palette_, TRUE) : nullptr;
  if (palette_) RealizePalette(dst);
  const int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  StretchBlt(dst, r.left, r.top, r.right - r.left, r.bottom - r.top, src, 0, 0, width_, height_,
             canvas->CopyMode());
  SetStretchBltMode(dst, oldMode);
  if (old) SelectPalette(dst, old, TRUE);
}

void TBitmap::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TBitmap*>(source);
  if (!other) {
    TGraphic::Assign(source);
    return;
  }
  if (other == this) return;
  pixelFormat_ = other->pixelFormat_;
  SetSize(other->width_, other->height_);
  if (!other->Empty()) Canvas()->CopyRect(Rect(0, 0, width_, height_), other->Canvas(),
                                          Rect(0, 0, width_, height_));
}

// A BMP file at the bitmap's own depth (the screen's for device bitmaps), bottom-up.
void TBitmap::SaveToStream(TStream& stream) {
  if (Empty()) return;
  BitmapInfo256 info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  HDC dc = Canvas()->Handle();
  SelectObject(dc, oldBitmap_);  // GetDIBits wants the bitmap out of any DC
  const bool ok = GetDIBits(dc, handle_, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                            DIB_RGB_COLORS) != 0;
  info.header.biCompression = info.header.biBitCount == 16 ? BI_BITFIELDS : BI_RGB;
  if (info.header.biBitCount == 16) {
    const DWORD masks[3] = {0xF800, 0x7E0, 0x1F};
    memcpy(info.colors, masks, sizeof masks);
  }
  const DWORD row = ((info.header.biBitCount * static_cast<DWORD>(width_) + 31) / 32) * 4;
  info.header.biSizeImage = row * static_cast<DWORD>(height_);
  std::vector<unsigned char> bits(info.header.biSizeImage);
  const bool got = ok && GetDIBits(dc, handle_, 0, static_cast<UINT>(height_), bits.data(),
                                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != 0;
  SelectObject(dc, handle_);
  if (!got) throw EInvalidGraphic(SInvalidBitmap);
  const DWORD colors = info.header.biBitCount <= 8 ? 1u << info.header.biBitCount
                       : info.header.biBitCount == 16 ? 3 : 0;
  const DWORD headerSize = sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + headerSize;
  file.bfSize = file.bfOffBits + info.header.biSizeImage;
  stream.WriteBuffer(&file, sizeof file);
  stream.WriteBuffer(&info, headerSize);
  stream.WriteBuffer(bits.data(), info.header.biSizeImage);
}

// Uncompressed BMP files with a 40-byte header; GDI lays out the pixels.
void TBitmap::LoadFromStream(TStream& stream) {
  BITMAPFILEHEADER file{};
  stream.ReadBuffer(&file, sizeof file);
  BitmapInfo256 info{};
  stream.ReadBuffer(&info.header, sizeof info.header);
  const BITMAPINFOHEADER& h = info.header;
  if (file.bfType != 0x4D42 || h.biSize != sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 ||
      h.biHeight == 0 || h.biHeight < -32768 || h.biWidth > 32768 || h.biHeight > 32768 ||
      (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) ||
      (h.biBitCount != 1 && h.biBitCount != 4 && h.biBitCount != 8 && h.biBitCount != 16 &&
       h.biBitCount != 24 && h.biBitCount != 32) || h.biClrUsed > 256)
    throw EInvalidGraphic(SInvalidBitmap);
  DWORD colors = h.biClrUsed ? h.biClrUsed : h.biBitCount <= 8 ? 1u << h.biBitCount : 0;
  if (h.biCompression == BI_BITFIELDS) colors += 3;
  stream.ReadBuffer(info.colors, colors * sizeof(RGBQUAD));
  const long long height = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
  const long long size = ((h.biBitCount * static_cast<long long>(h.biWidth) + 31) / 32) * 4 * height;
  const long long start = static_cast<long long>(file.bfOffBits);
  if (start > stream.Position()) stream.SetPosition(start);
  if (size > stream.Size() - stream.Position()) throw EReadError(SReadError);
  std::vector<unsigned char> bits(static_cast<size_t>(size));
  stream.ReadBuffer(bits.data(), size);
  pixelFormat_ = h.biBitCount == 16 ? pf16bit : static_cast<TPixelFormat>(
      h.biBitCount == 1 ? pf1bit : h.biBitCount == 4 ? pf4bit : h.biBitCount == 8 ? pf8bit
      : h.biBitCount == 24 ? pf24bit : pf32bit);
  HBITMAP bitmap = MakeBitmap(h.biWidth, static_cast<int>(height), pixelFormat_);
  HDC screen = GetDC(nullptr);
  const int lines = SetDIBits(screen, bitmap, 0, static_cast<UINT>(height), bits.data(),
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines == 0) {
    DeleteObject(bitmap);
    throw EInvalidGraphic(SInvalidBitmap);
  }
  Install(bitmap);
}

void TBitmap::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  if (format != CF_BITMAP || !data) throw EInvalidGraphic(SInvalidBitmap);
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, 0));
  if (!copy) throw EOutOfResources(SOutOfResources);
  pixelFormat_ = pfDevice;
  Install(copy);
  if (palette) {
    PALETTEENTRY entries[256];
    const UINT n = GetPaletteEntries(palette, 0, 256, entries);
    std::vector<unsigned char> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(block.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(n);
    memcpy(log->palPalEntry, entries, n * sizeof(PALETTEENTRY));
    if (n) SetPalette(CreatePalette(log));
  }
}

void TBitmap::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  format = CF_BITMAP;
  data = Empty() ? nullptr : CopyImage(handle_, IMAGE_BITMAP, 0, 0, 0);
  palette = nullptr;
}
