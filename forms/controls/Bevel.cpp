// TBevel: shadow and light lines; lowered puts the shadow above and left of the light.
#include "forms/controls/Bevel.h"

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(Left(), Top(), 50, 50);
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
}

void TBevel::SetShape(TBevelShape value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  if (value == style_) return;
  style_ = value;
  Invalidate();
}

namespace {
void Line(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  if (!pen) return;
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// A rectangle's outline: First on the top and left edges, Second on the bottom and right.
void Frame(HDC dc, RECT r, COLORREF first, COLORREF second) {
  Line(dc, first, r.left, r.bottom - 1, r.left, r.top);
  Line(dc, first, r.left, r.top, r.right - 1, r.top);
  Line(dc, second, r.right - 1, r.top, r.right - 1, r.bottom - 1);
  Line(dc, second, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
}
}  // namespace

void TBevel::Paint() {
  HDC dc = Canvas()->Handle();
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF first = style_ == bsLowered ? shadow : light;
  COLORREF second = style_ == bsLowered ? light : shadow;
  int w = Width(), h = Height();
  switch (shape_) {
    case bsBox: Frame(dc, RECT{0, 0, w, h}, first, second); break;
    case bsFrame:
      // Two nested outlines make the etched groove.
      Frame(dc, RECT{0, 0, w - 1, h - 1}, first, first);
      Frame(dc, RECT{1, 1, w, h}, second, second);
      break;
    case bsTopLine:
      Line(dc, first, 0, 0, w, 0);
      Line(dc, second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      Line(dc, first, 0, h - 2, w, h - 2);
      Line(dc, second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      Line(dc, first, 0, 0, 0, h);
      Line(dc, second, 1, 0, 1, h);
      break;
    case bsRightLine:
      Line(dc, first, w - 2, 0, w - 2, h);
      Line(dc, second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}
