// Pens, brushes, fonts, the canvas and the abstract graphic of Graphics.h.
#include "forms/graphics/Graphics.h"

#include <cstring>
#include <typeinfo>

#include "forms/core/SaveFileStream.h"
#include "forms/core/Streams.h"

COLORREF ColorToRGB(TColor color) {
  if (color & clSystemColor) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

// TGraphicsObject.

TGraphicsObject::~TGraphicsObject() {
  if (handle_) DeleteObject(handle_);
}

HGDIOBJ TGraphicsObject::Handle() {
  if (!handle_) handle_ = CreateHandle();
  return handle_;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);  // the canvas takes the old handle out of its DC first
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
}

// TPen.

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  Changed();
}

void TPen::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TPen*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  color_ = other->color_;
  width_ = other->width_;
  style_ = other->style_;
  mode_ = other->mode_;
  Changed();
}

HGDIOBJ TPen::CreateHandle() {
  static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL,
                               PS_INSIDEFRAME};
  return CreatePen(styles[style_], width_, ColorToRGB(color_));
}

// TBrush.

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TBrush*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  color_ = other->color_;
  style_ = other->style_;
  Changed();
}

HGDIOBJ TBrush::CreateHandle() {
  LOGBRUSH lb{};
  lb.lbColor = ColorToRGB(color_);
  switch (style_) {
    case bsSolid: lb.lbStyle = BS_SOLID; break;
    case bsClear: lb.lbStyle = BS_NULL; break;
    default:
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = style_ - bsHorizontal;  // HS_HORIZONTAL onwards, in the same order
      break;
  }
  return CreateBrushIndirect(&lb);
}

// TFont.

void TFont::SetName(const std::string& name) {
  if (name == name_ || name.empty()) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, 96); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (OnChange) OnChange(this);
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TFont*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  name_ = other->name_;
  height_ = other->height_;
  color_ = other->color_;
  style_ = other->style_;
  Changed();
}

HGDIOBJ TFont::CreateHandle() {
  LOGFONTA lf{};
  lf.lfHeight = height_;
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic);
  lf.lfUnderline = style_.Contains(fsUnderline);
  lf.lfStrikeOut = style_.Contains(fsStrikeOut);
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

// TCanvas.

TCanvas::TCanvas() {
  InitializeCriticalSection(&lock_);
  pen_.OnChange = MakeEvent(this, &TCanvas::PenChanged);
  brush_.OnChange = MakeEvent(this, &TCanvas::BrushChanged);
  font_.OnChange = MakeEvent(this, &TCanvas::FontChanged);
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  DeleteCriticalSection(&lock_);
}

HDC TCanvas::Handle() {
  HandleNeeded();
  if (!dc_) CreateHandle();
  if (!dc_) throw EInvalidOperation(SNoCanvasHandle);
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Deselect();
  dc_ = dc;
}

void TCanvas::Deselect() {
  if (!dc_) return;
  if (selected_ & kPen) SelectObject(dc_, oldPen_);
  if (selected_ & kBrush) SelectObject(dc_, oldBrush_);
  if (selected_ & kFont) SelectObject(dc_, oldFont_);
  selected_ = 0;
}

void TCanvas::Require(int need) {
  HDC dc = Handle();
  if ((need & kPen) && !(selected_ & kPen)) {
    oldPen_ = SelectObject(dc, pen_.Handle());
    // The pen modes are not in the order of the R2_ codes.
    static const int rop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,        R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,     R2_NOTXORPEN};
    SetROP2(dc, rop2[pen_.Mode()]);
    selected_ |= kPen;
  }
  if ((need & kBrush) && !(selected_ & kBrush)) {
    oldBrush_ = SelectObject(dc, brush_.Handle());
    SetBkColor(dc, ColorToRGB(brush_.Color()));
    SetBkMode(dc, brush_.Style() == bsSolid ? OPAQUE : TRANSPARENT);
    selected_ |= kBrush;
  }
  if ((need & kFont) && !(selected_ & kFont)) {
    oldFont_ = SelectObject(dc, font_.Handle());
    SetTextColor(dc, ColorToRGB(font_.Color()));
    selected_ |= kFont;
  }
}

void TCanvas::PenChanged(TObject*) {
  if (dc_ && (selected_ & kPen)) {
    SelectObject(dc_, oldPen_);
    selected_ &= ~kPen;
  }
}

void TCanvas::BrushChanged(TObject*) {
  if (dc_ && (selected_ & kBrush)) {
    SelectObject(dc_, oldBrush_);
    selected_ &= ~kBrush;
  }
}

void TCanvas::FontChanged(TObject*) {
  if (dc_ && (selected_ & kFont)) {
    SelectObject(dc_, oldFont_);
    selected_ &= ~kFont;
  }
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::MoveTo(int x, int y) {
  ::MoveToEx(Handle(), x, y, nullptr);
  penPos_ = POINT{x, y};
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  Require(kPen | kBrush);
  ::LineTo(dc_, x, y);
  penPos_ = POINT{x, y};
  Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  Changing();
  Require(kPen | kBrush);
  ::Rectangle(dc_, left, top, right, bottom);
  Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  Changing();
  Require(kPen | kBrush);
  ::Ellipse(dc_, left, top, right, bottom);
  Changed();
}

void TCanvas::FillRect(const RECT& r) {
  Changing();
  Require(kBrush);
  ::FillRect(dc_, &r, static_cast<HBRUSH>(brush_.Handle()));
  Changed();
}

void TCanvas::FrameRect(const RECT& r) {
  Changing();
  Require(kBrush);
  ::FrameRect(dc_, &r, static_cast<HBRUSH>(brush_.Handle()));
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  Require(kFont | kBrush);
  ::ExtTextOutA(dc_, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  penPos_ = POINT{x + TextExtent(text).cx, y};
  Changed();
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
  Changing();
  Require(kFont | kBrush);
  UINT options = ETO_CLIPPED | (brush_.Style() == bsSolid ? ETO_OPAQUE : 0);
  ::ExtTextOutA(dc_, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

SIZE TCanvas::TextExtent(const std::string& text) {
  Require(kFont);
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

COLORREF TCanvas::Pixels(int x, int y) { return ::GetPixel(Handle(), x, y); }

void TCanvas::SetPixels(int x, int y, TColor color) {
  Changing();
  ::SetPixel(Handle(), x, y, ColorToRGB(color));
  Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* source, const RECT& s) {
  Changing();
  Require(kBrush);
  ::StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
               source->Handle(), s.left, s.top, s.right - s.left, s.bottom - s.top, copyMode_);
  Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  Require(kBrush);
  graphic->Draw(this, r);
  Changed();
}

void TCanvas::Lock() { EnterCriticalSection(&lock_); }

void TCanvas::Unlock() { LeaveCriticalSection(&lock_); }

// TGraphic.

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed(this);
}

void TGraphic::SetModified(bool modified) {
  if (modified) Changed(this);
  else modified_ = false;
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

bool TGraphic::Equals(TGraphic* other) {
  if (!other || typeid(*other) != typeid(*this)) return false;
  if (Empty() || other->Empty()) return Empty() == other->Empty();
  TMemoryStream a, b;
  WriteData(a);
  other->WriteData(b);
  return a.Size() == b.Size() && std::memcmp(a.Memory(), b.Memory(), static_cast<size_t>(a.Size())) == 0;
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  TSaveFileStream file(fileName);
  SaveToStream(file);
  file.Commit();
}

void TGraphic::ReadData(TStream& stream) { LoadFromStream(stream); }

void TGraphic::WriteData(TStream& stream) { SaveToStream(stream); }
