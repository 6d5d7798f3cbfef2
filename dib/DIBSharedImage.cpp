// The shared image: building, copying, reading, compressing and expanding it (see
// DIBSharedImage.h). Layouts, headers and codecs come from the portable core.
#include "dib/DIBSharedImage.h"

#include <cstring>
#include <new>
#include <vector>

#include "dib/core/BmpReader.h"
#include "dib/core/Rle.h"
#include "dib/DIBErrors.h"

TDIBSharedImage::TDIBSharedImage() { Reset(); }

TDIBSharedImage::~TDIBSharedImage() { Reset(); }

// Frees what the image holds and makes it the empty image: no pixels, greyscale
// colours, 8-8-8, a memory image.
void TDIBSharedImage::Reset() {
  if (Handle) {
    SelectObject(DC, OldHandle);
    DeleteObject(Handle);
  } else {
    delete[] PBits;
  }
  if (DC) DeleteDC(DC);
  if (Palette) PaletteManager()->DeletePalette(Palette);
  delete[] Header;
  Header = nullptr;
  Handle = nullptr;
  DC = nullptr;
  OldHandle = nullptr;
  PBits = TopPBits = nullptr;
  BitCount = HeaderSize = ColorTablePos = Height = Width = WidthBytes = NextLine = Size = 0;
  PaletteCount = 0;
  Compressed = false;
  MemoryImage = true;
  PaletteChanged = true;
  PixelFormat = bmp::Format888();
  FillGreyscaleColorTable(ColorTable);
}

void TDIBSharedImage::AllocateBlock(size_t bytes) {
  // Zeroed, so that no stale heap ever reaches a file.
  PBits = new (std::nothrow) uint8_t[bytes == 0 ? 1 : bytes]();
  if (!PBits) throw EOutOfMemory(SOutOfMemory);
}

void TDIBSharedImage::InstallLayout(const bmp::DibLayout& l, const RGBQUAD colorTable[256]) {
  BitCount = l.bitCount;
  Width = l.width;
  Height = l.height;
  WidthBytes = l.rowWidth;
  NextLine = -l.rowWidth;
  Size = static_cast<int>(l.size);
  PaletteCount = l.colorCount;
  ColorTablePos = l.colorTableOffset;
  HeaderSize = l.headerSize;
  Header = new uint8_t[static_cast<size_t>(HeaderSize)];
  std::memcpy(ColorTable, colorTable, sizeof ColorTable);
  bmp::WriteHeaderBlock(l, CoreTable(ColorTable), Header);
  Compressed = l.compressed;
  PaletteChanged = true;
}

void TDIBSharedImage::NewImage(int width, int height, int bitCount, const DIBPixelFormat& pixelFormat,
                               const RGBQUAD colorTable[256], bool memoryImage, bool compressed) {
  Reset();
  bmp::DibLayout layout;
  CheckDIBStatus(bmp::MakeLayout(width, height, bitCount, pixelFormat, compressed, layout));
  PixelFormat = pixelFormat;
  InstallLayout(layout, colorTable);
  MemoryImage = memoryImage || Compressed;
  if (!Compressed) {
    if (MemoryImage) {
      AllocateBlock(static_cast<size_t>(Size));
    } else {
      DC = CreateCompatibleDC(nullptr);
      if (!DC) throw EOutOfResources(Format(SCannotMade, SDIB));
      void* bits = nullptr;
      Handle = CreateDIBSection(DC, BitmapInfo(), DIB_RGB_COLORS, &bits, nullptr, 0);
      if (!Handle) throw EOutOfResources(Format(SCannotMade, SDIB));
      PBits = static_cast<uint8_t*>(bits);
      OldHandle = SelectObject(DC, Handle);
    }
    TopPBits = PBits + static_cast<size_t>(Height - 1) * static_cast<size_t>(WidthBytes);
  }
}

void TDIBSharedImage::Flush(const TDIBSharedImage* source) {
  if (source->Handle) GdiFlush();
}

void TDIBSharedImage::Duplicate(TDIBSharedImage* source, bool memoryImage) {
  if (source->Size == 0) {
    Reset();
    MemoryImage = memoryImage;
    return;
  }
  NewImage(source->Width, source->Height, source->BitCount, source->PixelFormat, source->ColorTable,
           memoryImage, source->Compressed);
  if (Compressed) {
    Size = source->Size;
    reinterpret_cast<BITMAPINFOHEADER*>(Header)->biSizeImage = static_cast<DWORD>(Size);
    AllocateBlock(static_cast<size_t>(Size));
  }
  Flush(source);
  std::memcpy(PBits, source->PBits, static_cast<size_t>(Size));
}

void TDIBSharedImage::LoadFromStream(TStream& stream, bool memoryImage, long long pixelOffset) {
  const long long start = stream.Position();
  const long long available = stream.Size() - start;
  std::vector<uint8_t> data(static_cast<size_t>(available > 0 ? available : 0));
  if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<long long>(data.size()));
  bmp::ByteReader reader(data.data(), data.size());
  bmp::BmpInfo info;
  CheckDIBStatus(bmp::ReadBmpInfo(reader, pixelOffset, info));
  if (info.empty) {
    Reset();
    MemoryImage = memoryImage;
    return;
  }
  RGBQUAD table[256];
  std::memcpy(table, info.colorTable, sizeof table);
  const bmp::DibLayout& l = info.layout;
  NewImage(l.width, l.height, l.bitCount, info.format, table, memoryImage, l.compressed);
  if (Compressed) {
    Size = static_cast<int>(l.size);
    reinterpret_cast<BITMAPINFOHEADER*>(Header)->biSizeImage = l.size;
    AllocateBlock(l.size);
  }
  CheckDIBStatus(bmp::ReadBmpPixels(reader, info, PBits));
  // What follows the image stays for the stream's next reader.
  stream.SetPosition(start + static_cast<long long>(reader.position()));
}

void TDIBSharedImage::Decompress(TDIBSharedImage* source, bool memoryImage) {
  if (!source->Compressed) {
    Duplicate(source, memoryImage);
    return;
  }
  NewImage(source->Width, source->Height, source->BitCount, source->PixelFormat, source->ColorTable,
           memoryImage, false);
  // Data that does not fit is clipped by the decoder; what remains is a valid image.
  bmp::DecodeRle(source->PBits, static_cast<size_t>(source->Size),
                 bmp::RleTarget{PBits, Width, Height, WidthBytes, BitCount});
}

void TDIBSharedImage::Compress(TDIBSharedImage* source) {
  if (source->Compressed) {
    Duplicate(source, true);
    return;
  }
  Flush(source);
  const std::vector<uint8_t> rle =
      source->BitCount == 8
          ? bmp::EncodeRle8(source->PBits, source->Width, source->Height, source->WidthBytes)
          : bmp::EncodeRle4(source->PBits, source->Width, source->Height, source->WidthBytes);
  NewImage(source->Width, source->Height, source->BitCount, source->PixelFormat, source->ColorTable,
           true, true);
  Size = static_cast<int>(rle.size());
  reinterpret_cast<BITMAPINFOHEADER*>(Header)->biSizeImage = static_cast<DWORD>(Size);
  AllocateBlock(rle.size());
  std::memcpy(PBits, rle.data(), rle.size());
}

void TDIBSharedImage::SetColorTable(const RGBQUAD colorTable[256]) {
  std::memcpy(ColorTable, colorTable, sizeof ColorTable);
  PaletteChanged = true;
  if (Size > 0 && PaletteCount > 0) {
    if (Handle) SetDIBColorTable(DC, 0, 256, ColorTable);
    std::memcpy(Header + ColorTablePos, ColorTable, sizeof(RGBQUAD) * static_cast<size_t>(PaletteCount));
  }
}

HPALETTE TDIBSharedImage::GetPalette() {
  if (PaletteCount == 0) return nullptr;
  if (PaletteChanged) {
    PaletteChanged = false;
    PaletteManager()->DeletePalette(Palette);
    Palette = PaletteManager()->CreatePalette(ColorTable, PaletteCount);
  }
  return Palette;
}

namespace {
TDIBSharedImage* emptyImage = nullptr;
}

TDIBSharedImage* EmptyDIBImage() {
  if (!emptyImage) {
    emptyImage = new TDIBSharedImage;
    emptyImage->Reference();
  }
  return emptyImage;
}

void FreeEmptyDIBImage() { FreeAndNil(emptyImage); }
