// TPanel: bevels drawn as light and shadow lines, the caption with DrawText, and the
// double-buffered paint through a memory bitmap.
#include "forms/controls/Panel.h"

#include <algorithm>

#include "forms/core/FlagScope.h"

void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  if (cut == bvSpace) {
    InflateRect(&r, -width, -width);
    return;
  }
  COLORREF topLeft = GetSysColor(cut == bvRaised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
  COLORREF bottomRight = GetSysColor(cut == bvRaised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
    RECT line;
    HBRUSH light = CreateSolidBrush(topLeft), dark = CreateSolidBrush(bottomRight);
    if (light && dark) {
      line = RECT{r.left, r.top, r.right, r.top + 1};
      FillRect(dc, &line, light);
      line = RECT{r.left, r.top, r.left + 1, r.bottom};
      FillRect(dc, &line, light);
      line = RECT{r.left, r.bottom - 1, r.right, r.bottom};
      FillRect(dc, &line, dark);
      line = RECT{r.right - 1, r.top, r.right, r.bottom};
      FillRect(dc, &line, dark);
    }
    if (light) DeleteObject(light);
    if (dark) DeleteObject(dark);
    InflateRect(&r, -1, -1);
  }
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner), TParentFontHolder(this), TDockSite(this) {
  SetBounds(Left(), Top(), 185, 41);
  // Paint fills every pixel: no background erase, which would flicker.
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
}

void TPanel::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  RefreshParentFont();
}

void TPanel::CreateWnd() {
  RefreshParentFont();
  TCustomControl::CreateWnd();
}

void TPanel::Changed() {
  Realign();
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Changed();
}

void TPanel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  Changed();
}

void TPanel::SetBevelWidth(int value) {
  if (value < 1) value = 1;
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  Changed();
}

void TPanel::SetBorderWidth(int value) {
  if (value < 0) value = 0;
  if (value == borderWidth_) return;
  borderWidth_ = value;
  Changed();
}

void TPanel::TextChanged() { Invalidate(); }

void TPanel::FontChanged() { Invalidate(); }

RECT TPanel::InnerRect() {
  RECT r = ClientRect();
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  InflateRect(&r, -inset, -inset);
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void TPanel::AlignControls(RECT& rect) {
  rect = InnerRect();
  TCustomControl::AlignControls(rect);
  AdjustSize();
}

void TPanel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustSize();
}

void TPanel::Resize() {
  TCustomControl::Resize();
  AdjustSize();
}

void TPanel::AdjustSize() {
  if (!autoSize_ || sizing_ || ComponentState().Contains(csLoading)) return;
  RECT inner = InnerRect();
  RECT client = ClientRect();
  int right = 0, bottom = 0;
  bool any = false;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    any = true;
    // Aligned children are measured from the inner edge, the others from their place.
    int w = c->Align() == alNone ? c->Left() + c->Width() : inner.left + c->Width();
    int h = c->Align() == alNone ? c->Top() + c->Height() : inner.top + c->Height();
    right = std::max(right, w);
    bottom = std::max(bottom, h);
  }
  if (!any) return;
  int inset = (client.right - inner.right);  // the bevels and border on the far side
  int width = Width() - client.right + right + inset;
  int height = Height() - client.bottom + bottom + (client.bottom - inner.bottom);
  TFlagScope sizing(sizing_);
  SetBounds(Left(), Top(), width, height);
}

void TPanel::Paint() {
  RefreshParentFont();
  HDC dc = Canvas()->Handle();
  RECT r = ClientRect();
  HBRUSH fill = CreateSolidBrush(ColorToRGB(Color()));
  if (fill) {
    FillRect(dc, &r, fill);
    DeleteObject(fill);
  }
  DrawBevel(dc, r, bevelOuter_, bevelWidth_);
  InflateRect(&r, -borderWidth_, -borderWidth_);
  DrawBevel(dc, r, bevelInner_, bevelWidth_);
  const std::string& text = Caption();
  if (text.empty()) return;
  int saved = SaveDC(dc);
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RestoreDC(dc, saved);
}

void TPanel::WMPaint(TMessage& m) {
  if (!doubleBuffered_ || m.WParam) {
    TCustomControl::WMPaint(m);
    return;
  }
  HWND window = Handle();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(window, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr;
  HGDIOBJ old = bitmap ? SelectObject(memory, bitmap) : nullptr;
  // Without a bitmap the panel paints straight on the screen.
  HDC target = bitmap ? memory : dc;
  try {
    TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(target), 0, 0};
    TCustomControl::WMPaint(inner);
    if (bitmap)
      BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
             ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  } catch (...) {
    if (bitmap) {
      SelectObject(memory, old);
      DeleteObject(bitmap);
    }
    if (memory) DeleteDC(memory);
    EndPaint(window, &ps);
    throw;
  }
  if (bitmap) {
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  if (memory) DeleteDC(memory);
  EndPaint(window, &ps);
}
