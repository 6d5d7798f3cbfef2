// TDIB: the device-independent bitmap graphic of both programs, over a shared
// TDIBSharedImage that is copied only when pixels are about to change. Pixel access,
// canvas, sizing and compression are in DIB.cpp, bit-count conversion and assignment in
// DIBConvert.cpp, streams, form-file properties and the clipboard in DIBStreams.cpp.
#pragma once

#include <windows.h>

#include <string>

#include "dib/DIBSharedImage.h"
#include "forms/graphics/Graphics.h"

class TDIB : public TGraphic {
public:
  TDIB();
  ~TDIB() override;

  void Assign(TPersistent* source) override;
  void Clear();
  void SetImage(TDIBSharedImage* image);
  // Copy on write: afterwards the image is private and uncompressed, and a DIB section
  // unless MemoryImageOK.
  void Changing(bool memoryImageOK);
  void EnsureDIBSection();
  void SetSize(int width, int height, int bitCount);
  void SetBitCount(int bitCount);
  void Compress();
  void UpdatePalette();

  uint8_t* PBits();                 // the bottom row
  uint8_t* ScanLine(int y);         // row y, 0 = top
  TCanvas* Canvas();
  const BITMAPINFO* BitmapInfo() const { return image_->BitmapInfo(); }
  int BitmapInfoSize() const { return image_->HeaderSize; }

  TDIBSharedImage* Image() const { return image_; }
  int BitCount() const { return bitCount_; }
  int NextLine() const { return nextLine_; }
  int Size() const { return size_; }
  int WidthBytes() const { return widthBytes_; }
  uint8_t* TopPBits() const { return topPBits_; }
  const DIBPixelFormat& NowPixelFormat() const { return nowPixelFormat_; }

  void Draw(TCanvas* canvas, const RECT& rect) override;
  bool Empty() const override { return size_ == 0; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  HPALETTE Palette() const override { return image_->GetPalette(); }
  // Takes the palette's colours and deletes the handle, unless the palette cache owns it.
  void SetPalette(HPALETTE palette) override;

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;
  // The image without file header, as the form file's "Data" and CF_DIB hold it.
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;

  // Form-file properties: "Data" (ReadData/WriteData) and the read-only "DIB" (a BMP
  // file with its file header). Unknown names raise EReadError.
  void ReadProperty(const std::string& name, TStream& stream);
  void WriteProperty(const std::string& name, TStream& stream);

  // The graphic's own colours, pushed into the image by UpdatePalette.
  RGBQUAD ColorTable[256];
  // The format SetSize gives a new image.
  DIBPixelFormat PixelFormat;

private:
  class DIBCanvas;
  friend class DIBCanvas;
  void CanvasChanging(TObject*);
  void BindCanvas();
  void ReadImage(TStream& stream, long long pixelOffset);
  void AssignBitmap(class TBitmap* bitmap);
  void AssignGraphic(TGraphic* graphic);

  TCanvas* canvas_ = nullptr;
  TDIBSharedImage* image_ = nullptr;
  int bitCount_ = 0, height_ = 0, nextLine_ = 0;
  DIBPixelFormat nowPixelFormat_{};
  uint8_t* pBits_ = nullptr;
  int size_ = 0;
  uint8_t* topPBits_ = nullptr;
  int width_ = 0, widthBytes_ = 0;
};

// Colour cube of the given bits per channel into a 256-entry table.
void FillColorCube(RGBQUAD table[256], int rbits, int gbits, int bbits);
