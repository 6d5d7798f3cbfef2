// TBitmap: a GDI bitmap graphic with its own canvas, of the screen's format or a DIB
// section of a chosen bit depth; written and read as BMP files and exchanged with the
// clipboard as CF_BITMAP. The device-independent graphic of the programs is TDIB (dib/).
#pragma once

#include "forms/graphics/Graphics.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

class TBitmap : public TGraphic {
public:
  TBitmap();
  ~TBitmap() override;

  void Draw(TCanvas* canvas, const RECT& rect) override;
  bool Empty() const override { return handle_ == nullptr; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int width) override { SetSize(width, height_); }
  void SetHeight(int height) override { SetSize(width_, height); }
  // A new, zeroed bitmap of that size and the current pixel format (0 or less: none).
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TPixelFormat format);

  HBITMAP Handle() const { return handle_; }
  // Takes ownership of the handle; its size becomes the bitmap's.
  void SetHandle(HBITMAP handle);
  HPALETTE Palette() const override { return palette_; }
  void SetPalette(HPALETTE palette) override;  // takes ownership
  TCanvas* Canvas();

  void Assign(TPersistent* source) override;
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;

private:
  class BitmapCanvas;
  void Install(HBITMAP handle);
  void Release();

  HBITMAP handle_ = nullptr;
  HPALETTE palette_ = nullptr;
  HDC dc_ = nullptr;  // the canvas's memory DC, with the bitmap selected
  HGDIOBJ oldBitmap_ = nullptr;
  TCanvas* canvas_ = nullptr;
  int width_ = 0, height_ = 0;
  TPixelFormat pixelFormat_ = pfDevice;
};

inline constexpr const char SInvalidBitmap[] = "Bitmap image is not valid";
