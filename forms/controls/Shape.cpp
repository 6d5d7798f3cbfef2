// TShape: the outline lies inside the control, however wide the pen.
#include "forms/controls/Shape.h"

#include <algorithm>

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(Left(), Top(), 65, 65);
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
  pen_.OnChange = MakeEvent(this, &TShape::StyleChanged);
  brush_.OnChange = MakeEvent(this, &TShape::StyleChanged);
}

TShape::~TShape() {
  pen_.OnChange = nullptr;
  brush_.OnChange = nullptr;
}

void TShape::SetShape(TShapeType value) {
  if (value == shape_) return;
  shape_ = value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Pen()->Assign(&pen_);
  canvas->Brush()->Assign(&brush_);
  int inset = pen_.Width() / 2;
  int x = inset, y = inset;
  int w = Width() - pen_.Width() + 1, h = Height() - pen_.Width() + 1;
  if (shape_ == stSquare) {
    int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  canvas->Rectangle(x, y, x + w, y + h);
}
