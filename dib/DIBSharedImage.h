// TDIBSharedImage: the reference-counted device-independent image behind every TDIB
// (header block, colour table, pixels in a DIB section or a memory block, or RLE data),
// and EmptyDIBImage, the one empty image every empty TDIB refers to. The BMP parsing,
// RLE codecs and pixel formats are the portable core's (core/).
#pragma once

#include <windows.h>

#include <cstdint>

#include "dib/core/BmpHeaders.h"
#include "dib/PaletteManager.h"
#include "forms/graphics/SharedImage.h"
#include "forms/core/Streams.h"

class TDIBSharedImage : public TSharedImage {
public:
  TDIBSharedImage();  // an empty image
  ~TDIBSharedImage() override;

  void NewImage(int width, int height, int bitCount, const DIBPixelFormat& pixelFormat,
                const RGBQUAD colorTable[256], bool memoryImage, bool compressed);
  void Duplicate(TDIBSharedImage* source, bool memoryImage);
  // Reads from a BITMAPINFOHEADER on. pixelOffset counts from there to the pixel data
  // (a file header's data offset less 14), or is -1 when the data follows the colours.
  void LoadFromStream(TStream& stream, bool memoryImage, long long pixelOffset = -1);
  void Decompress(TDIBSharedImage* source, bool memoryImage);
  void Compress(TDIBSharedImage* source);
  void SetColorTable(const RGBQUAD colorTable[256]);
  // The cached GDI palette of the colour table (0 without one); the cache owns it.
  HPALETTE GetPalette();

  // The image's state, read by TDIB (which copies it) and by its users.
  int BitCount = 0;
  uint8_t* Header = nullptr;  // BITMAPINFOHEADER, 16-bit masks, colour entries
  int HeaderSize = 0;
  bool PaletteChanged = true;
  RGBQUAD ColorTable[256] = {};
  int ColorTablePos = 0;
  bool Compressed = false;
  HDC DC = nullptr;
  HBITMAP Handle = nullptr;
  int Height = 0;
  bool MemoryImage = true;
  int NextLine = 0;
  HGDIOBJ OldHandle = nullptr;
  HPALETTE Palette = nullptr;
  int PaletteCount = 0;
  uint8_t* PBits = nullptr;  // the bottom row
  DIBPixelFormat PixelFormat{};
  int Size = 0;
  uint8_t* TopPBits = nullptr;
  int Width = 0;
  int WidthBytes = 0;

  BITMAPINFO* BitmapInfo() const { return reinterpret_cast<BITMAPINFO*>(Header); }

protected:
  void FreeHandle() override {}

private:
  void Reset();
  void InstallLayout(const bmp::DibLayout& layout, const RGBQUAD colorTable[256]);
  void AllocateBlock(size_t bytes);
  // The source's pixels must be current before they are read.
  static void Flush(const TDIBSharedImage* source);
};

// The process-wide empty image, with a reference of its own so that it is never freed
// by releases; freed at the library's finalisation.
TDIBSharedImage* EmptyDIBImage();
void FreeEmptyDIBImage();
