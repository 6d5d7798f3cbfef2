// TDIB: sharing and copy on write, pixel access, the canvas, sizing, compression, the
// palette and drawing; and the library's registration with TPicture.
#include "dib/DIB.h"

#include <cstring>

#include "dib/DIBErrors.h"
#include "forms/runtime/Module.h"
#include "forms/graphics/Picture.h"

// The canvas binds itself to the image's DC whenever it needs one.
class TDIB::DIBCanvas : public TCanvas {
public:
  explicit DIBCanvas(TDIB* owner) : owner_(owner) {}

protected:
  void CreateHandle() override { owner_->BindCanvas(); }

private:
  TDIB* owner_;
};

namespace {

// Builds a new image; it is freed again when building fails, and the graphic keeps
// its old one.
struct NewImage {
  TDIBSharedImage* image = new TDIBSharedImage;
  ~NewImage() {
    if (image) image->Free();
  }
  TDIBSharedImage* release() {
    TDIBSharedImage* i = image;
    image = nullptr;
    return i;
  }
};

}  // namespace

void FillColorCube(RGBQUAD table[256], int rbits, int gbits, int bbits) {
  bmp::FillColorCube(CoreTable(table), rbits, gbits, bbits);
}

TDIB::TDIB() {
  PixelFormat = bmp::Format888();
  SetImage(EmptyDIBImage());
}

TDIB::~TDIB() {
  SetImage(EmptyDIBImage());
  delete canvas_;
  image_->Release();
}

void TDIB::SetImage(TDIBSharedImage* image) {
  if (image == image_) return;
  if (canvas_) canvas_->SetHandle(nullptr);
  if (image_) image_->Release();
  image_ = image;
  image_->Reference();
  if (canvas_) canvas_->SetHandle(image_->MemoryImage ? nullptr : image_->DC);
  std::memcpy(ColorTable, image_->ColorTable, sizeof ColorTable);
  PixelFormat = image_->PixelFormat;
  nowPixelFormat_ = image_->PixelFormat;
  bitCount_ = image_->BitCount;
  height_ = image_->Height;
  nextLine_ = image_->NextLine;
  pBits_ = image_->PBits;
  size_ = image_->Size;
  topPBits_ = image_->TopPBits;
  width_ = image_->Width;
  widthBytes_ = image_->WidthBytes;
}

void TDIB::Clear() { SetImage(EmptyDIBImage()); }

void TDIB::Changing(bool memoryImageOK) {
  if (image_->RefCount() <= 1 && !image_->Compressed && (memoryImageOK || !image_->MemoryImage))
    return;
  NewImage fresh;
  fresh.image->Decompress(image_, memoryImageOK && image_->MemoryImage);
  SetImage(fresh.release());
}

void TDIB::CanvasChanging(TObject*) { Changing(false); }

void TDIB::EnsureDIBSection() {
  if (!image_->MemoryImage) return;
  NewImage fresh;
  fresh.image->Decompress(image_, false);
  SetImage(fresh.release());
}

void TDIB::BindCanvas() {
  EnsureDIBSection();
  canvas_->SetHandle(image_->DC);
}

TCanvas* TDIB::Canvas() {
  if (canvas_ && canvas_->HandleAllocated()) return canvas_;
  if (!canvas_) {
    canvas_ = new DIBCanvas(this);
    canvas_->OnChanging = MakeEvent(this, &TDIB::CanvasChanging);
  }
  BindCanvas();
  return canvas_;
}

uint8_t* TDIB::PBits() {
  Changing(true);
  if (!image_->MemoryImage) GdiFlush();
  return pBits_;
}

uint8_t* TDIB::ScanLine(int y) {
  Changing(true);
  if (y < 0 || y >= height_) throw EInvalidGraphicOperation(Format(SScanline, y));
  if (!image_->MemoryImage) GdiFlush();
  return topPBits_ + static_cast<ptrdiff_t>(y) * nextLine_;
}

void TDIB::SetSize(int width, int height, int bitCount) {
  if (width == width_ && height == height_ && bitCount == bitCount_ &&
      nowPixelFormat_.sameMasks(PixelFormat))
    return;
  if (width <= 0 || height <= 0) {
    Clear();
    return;
  }
  PixelFormat = bmp::FormatForBitCount(bitCount);
  NewImage fresh;
  fresh.image->NewImage(width, height, bitCount, PixelFormat, ColorTable, image_->MemoryImage, false);
  SetImage(fresh.release());
  SetPaletteModified(true);
}

void TDIB::SetWidth(int width) {
  if (width <= 0) {
    Clear();
  } else if (Empty()) {
    SetSize(width, height_ > 1 ? height_ : 1, 8);
  } else {
    SetSize(width, height_, bitCount_);
  }
}

void TDIB::SetHeight(int height) {
  if (height <= 0) {
    Clear();
  } else if (Empty()) {
    SetSize(width_ > 1 ? width_ : 1, height, 8);
  } else {
    SetSize(width_, height, bitCount_);
  }
}

void TDIB::Compress() {
  if (image_->Compressed || (bitCount_ != 4 && bitCount_ != 8)) return;
  NewImage fresh;
  fresh.image->Compress(image_);
  SetImage(fresh.release());
}

void TDIB::UpdatePalette() {
  if (std::memcmp(ColorTable, image_->ColorTable, sizeof ColorTable) == 0) return;
  RGBQUAD copy[256];
  std::memcpy(copy, ColorTable, sizeof copy);
  Changing(true);
  std::memcpy(ColorTable, copy, sizeof copy);
  image_->SetColorTable(copy);
  SetPaletteModified(true);
}

void TDIB::SetPalette(HPALETTE palette) {
  PALETTEENTRY entries[256] = {};
  GetPaletteEntries(palette, 0, 256, entries);
  PaletteEntriesToRGBQuads(entries, ColorTable);
  // A handle of the cache is shared with other images and is the cache's to delete.
  if (palette && !PaletteManager()->Owns(palette)) DeleteObject(palette);
  UpdatePalette();
}

void TDIB::Draw(TCanvas* canvas, const RECT& r) {
  if (Empty()) return;
  HDC dc = canvas->Handle();
  HPALETTE oldPalette = nullptr;
  if (image_->PaletteCount > 0) {
    oldPalette = SelectPalette(dc, image_->GetPalette(), FALSE);
    RealizePalette(dc);
  }
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  GdiFlush();
  if (image_->MemoryImage) {
    StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, width_, height_,
                  image_->PBits, image_->BitmapInfo(), DIB_RGB_COLORS, canvas->CopyMode());
  } else {
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, image_->DC, 0, 0, width_,
               height_, canvas->CopyMode());
  }
  SetStretchBltMode(dc, oldMode);
  if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
}

// Registration with TPicture when the program's statics start; the library's
// finalisation runs in the class library's finish order, after every form is freed.
namespace {
void FinalizeDIB() {
  TPicture::UnregisterGraphicClass(GraphicClass<TDIB>());
  FreeEmptyDIBImage();
  FreePaletteManager();
}

struct Registration {
  Registration() {
    TPicture::RegisterClipboardFormat(CF_DIB, GraphicClass<TDIB>());
    TPicture::RegisterFileFormat("dib", "Device Independent Bitmap", GraphicClass<TDIB>());
    AddFinalization(&FinalizeDIB);
  }
} registration;
}  // namespace
