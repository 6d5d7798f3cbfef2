// TPaintBox: prepares the canvas and raises OnPaint.
#include "forms/controls/PaintBox.h"

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner), TParentFontHolder(this) {
  SetBounds(Left(), Top(), 105, 105);
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
}

void TPaintBox::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  Invalidate();
}

void TPaintBox::ColorChanged() {
  parentColor_ = false;
  TGraphicControl::ColorChanged();
}

void TPaintBox::Paint() {
  RefreshParentFont();
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(parentColor_ && Parent() ? Parent()->Color() : Color());
  if (OnPaint) OnPaint(this);
}
