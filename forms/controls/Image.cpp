// TImage (see Image.h).
#include "forms/controls/Image.h"

#include "forms/graphics/Bitmap.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(Left(), Top(), 105, 105);
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
  picture_.OnChange = MakeEvent(this, &TImage::PictureChanged);
}

TImage::~TImage() { picture_.OnChange = TNotifyEvent(); }

TCanvas* TImage::Canvas() {
  auto* bitmap = dynamic_cast<TBitmap*>(picture_.Graphic());
  if (!bitmap) {
    // A new picture starts white, as paper does.
    TBitmap* fresh = New<TBitmap>();
    fresh->SetSize(Width(), Height());
    fresh->Canvas()->Brush()->SetColor(clWhite);
    fresh->Canvas()->FillRect(RECT{0, 0, Width(), Height()});
    picture_.SetGraphic(fresh);
    fresh->Free();
    bitmap = static_cast<TBitmap*>(picture_.Graphic());
  }
  return bitmap->Canvas();
}

void TImage::SetCenter(bool value) {
  if (value == center_) return;
  center_ = value;
  Invalidate();
}

void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  Invalidate();
}

void TImage::PictureChanged(TObject*) { Invalidate(); }

void TImage::Paint() {
  TGraphic* graphic = picture_.Graphic();
  if (!graphic || graphic->Empty()) return;
  RECT r;
  if (stretch_) {
    r = RECT{0, 0, Width(), Height()};
  } else {
    const int left = center_ ? (Width() - graphic->Width()) / 2 : 0;
    const int top = center_ ? (Height() - graphic->Height()) / 2 : 0;
    r = RECT{left, top, left + graphic->Width(), top + graphic->Height()};
  }
  TGraphicControl::Canvas()->StretchDraw(r, graphic);
}
