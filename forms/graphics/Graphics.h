// GDI drawing: colours, the pen, brush and font objects, the canvas over a device
// context, and the abstract graphic that a canvas can draw. Bitmaps and pictures
// (Bitmap.h) build on these.
#pragma once

#include <windows.h>

#include <string>

#include "forms/core/Events.h"
#include "forms/core/Persistent.h"
#include "forms/core/Sets.h"

// 0x00BBGGRR, or a system colour: 0x80000000 + the COLOR_ index.
using TColor = int;
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                 clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080,
                 clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0,
                 clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;
constexpr TColor clSystemColor = static_cast<int>(0x80000000u);
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE, clWindow = clSystemColor | COLOR_WINDOW,
                 clWindowText = clSystemColor | COLOR_WINDOWTEXT,
                 clBtnText = clSystemColor | COLOR_BTNTEXT,
                 clHighlight = clSystemColor | COLOR_HIGHLIGHT,
                 clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
// The RGB value of a colour, system colours looked up.
COLORREF ColorToRGB(TColor color);

inline RECT Rect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }
inline RECT Bounds(int left, int top, int width, int height) {
  return RECT{left, top, left + width, top + height};
}
inline POINT Point(int x, int y) { return POINT{x, y}; }

// The base of pens, brushes and fonts: a GDI object made on first use and remade
// after each change, which is announced by OnChange before the old handle goes.
class TGraphicsObject : public TPersistent {
public:
  ~TGraphicsObject() override;
  HGDIOBJ Handle();
  TNotifyEvent OnChange;

protected:
  virtual HGDIOBJ CreateHandle() = 0;
  void Changed();

private:
  HGDIOBJ handle_ = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor,
                pmNotXor };

class TPen : public TGraphicsObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return mode_; }  // the raster operation, applied by the canvas
  void SetMode(TPenMode mode);
  void Assign(TPersistent* source) override;

protected:
  HGDIOBJ CreateHandle() override;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                   bsDiagCross };

class TBrush : public TGraphicsObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  void Assign(TPersistent* source) override;

protected:
  HGDIOBJ CreateHandle() override;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TFont : public TGraphicsObject {
public:
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Height in pixels (negative: character height, as LOGFONT); Size in points at 96 dpi.
  int Height() const { return height_; }
  void SetHeight(int height);
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);  // not part of the GDI object; the canvas applies it
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  void Assign(TPersistent* source) override;

protected:
  HGDIOBJ CreateHandle() override;

private:
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_;
};

class TGraphic;

// A canvas over a device context it does not own (the owner sets Handle, or a
// descendant makes one in CreateHandle). Pen, brush and font are selected into the DC
// when a drawing operation needs them and taken out again before the DC changes.
class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;

  HDC Handle();  // CreateHandle when none is set; EInvalidOperation if that gives none
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  TFont* Font() { return &font_; }
  DWORD CopyMode() const { return copyMode_; }  // raster operation for Draw and CopyRect
  void SetCopyMode(DWORD rop) { copyMode_ = rop; }
  POINT PenPos() const { return penPos_; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void Ellipse(int left, int top, int right, int bottom);
  void FillRect(const RECT& r);   // with the brush
  void FrameRect(const RECT& r);  // with the brush's colour
  void TextOut(int x, int y, const std::string& text);
  void TextRect(const RECT& r, int x, int y, const std::string& text);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  COLORREF Pixels(int x, int y);
  void SetPixels(int x, int y, TColor color);
  void CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect);
  // A graphic at its own size with its top-left corner at (x, y), or stretched.
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const RECT& r, TGraphic* graphic);

  // Serialises drawing between threads (a worker drawing into a bitmap's canvas).
  void Lock();
  void Unlock();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;  // before every drawing operation

  // Raised around every drawing operation; a bitmap uses them to copy on write.
  virtual void Changing();
  virtual void Changed();

protected:
  // Called each time the DC is about to be used; a canvas that threads share waits
  // there for its turn.
  virtual void HandleNeeded() {}
  // Gives the canvas a DC when Handle is asked for and none is set.
  virtual void CreateHandle() {}
  HDC CurrentHandle() const { return dc_; }

private:
  enum Need { kPen = 1, kBrush = 2, kFont = 4 };
  void Require(int need);
  void Deselect();
  void PenChanged(TObject*);
  void BrushChanged(TObject*);
  void FontChanged(TObject*);

  HDC dc_ = nullptr;
  int selected_ = 0;
  HGDIOBJ oldPen_ = nullptr, oldBrush_ = nullptr, oldFont_ = nullptr;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  DWORD copyMode_ = SRCCOPY;
  POINT penPos_{0, 0};
  CRITICAL_SECTION lock_;
};

class TStream;

// The abstract graphic: something with a size that can draw itself on a canvas and
// be read from and written to streams, files and the clipboard.
class TGraphic : public TPersistent {
public:
  virtual void Draw(TCanvas* canvas, const RECT& rect) = 0;
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  virtual HPALETTE Palette() const { return nullptr; }
  virtual void SetPalette(HPALETTE) {}
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);
  virtual bool Equals(TGraphic* other);  // same class and the same streamed bytes

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName);
  virtual void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) = 0;
  virtual void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) = 0;

  bool Modified() const { return modified_; }
  void SetModified(bool modified);
  bool PaletteModified() const { return paletteModified_; }
  void SetPaletteModified(bool modified) { paletteModified_ = modified; }

  TNotifyEvent OnChange;

protected:
  // The image data alone, as kept in form files and the clipboard (no file header).
  virtual void ReadData(TStream& stream);
  virtual void WriteData(TStream& stream);
  // Sets Modified and raises OnChange.
  virtual void Changed(TObject* sender);

private:
  bool transparent_ = false;
  bool modified_ = false;
  bool paletteModified_ = false;
};
