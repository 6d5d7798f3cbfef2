// The paint box control (see DXPaintBox.h).
#include "dib/DXPaintBox.h"

TCustomDXPaintBox::TCustomDXPaintBox(TComponent* owner)
    : TGraphicControl(owner), dib_(New<TDIB>()) {
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
  SetBounds(Left(), Top(), 105, 105);
}

TCustomDXPaintBox::~TCustomDXPaintBox() { dib_->Free(); }

void TCustomDXPaintBox::SetFlag(bool& flag, bool value) {
  if (flag == value) return;
  flag = value;
  Invalidate();
}

void TCustomDXPaintBox::SetView(int& field, int value) {
  if (value < 0) value = 0;
  if (field == value) return;
  field = value;
  Invalidate();
}

void TCustomDXPaintBox::SetAutoStretch(bool value) { SetFlag(options_.AutoStretch, value); }
void TCustomDXPaintBox::SetCenter(bool value) { SetFlag(options_.Center, value); }
void TCustomDXPaintBox::SetKeepAspect(bool value) { SetFlag(options_.KeepAspect, value); }
void TCustomDXPaintBox::SetStretch(bool value) { SetFlag(options_.Stretch, value); }
void TCustomDXPaintBox::SetViewWidth(int value) { SetView(options_.ViewWidth, value); }
void TCustomDXPaintBox::SetViewHeight(int value) { SetView(options_.ViewHeight, value); }

void TCustomDXPaintBox::SetDIB(TDIB* value) {
  if (value == dib_) return;
  dib_->Assign(value);
  Invalidate();
}

TPaintBoxPlacement TCustomDXPaintBox::Placement() {
  return PlacePicture(options_, ClientWidth(), ClientHeight(), dib_->Width(), dib_->Height());
}

void TCustomDXPaintBox::Paint() {
  TGraphicControl::Paint();
  TCanvas* canvas = Canvas();
  if (ComponentState().Contains(csDesigning)) {
    canvas->Pen()->SetStyle(psDash);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(0, 0, Width(), Height());
  }
  if (dib_->Empty()) return;
  const TPaintBoxPlacement p = Placement();
  if (p.Scaled) {
    canvas->StretchDraw(Bounds(p.Left, p.Top, p.Width, p.Height), dib_);
  } else {
    canvas->Draw(p.Left, p.Top, dib_);
  }
}
