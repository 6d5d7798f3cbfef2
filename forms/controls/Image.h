// TImage: a graphic control showing a picture at natural size (top-left or centred) or
// stretched over the control. Its Canvas draws into the picture; when the picture holds
// no bitmap, a white bitmap of the control's size is made for it first.
#pragma once

#include "forms/windows/Controls.h"
#include "forms/graphics/Picture.h"

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture* Picture() { return &picture_; }
  // The picture's bitmap's canvas (the control's own canvas is for painting).
  TCanvas* Canvas();
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);

protected:
  void Paint() override;

private:
  void PictureChanged(TObject*);

  TPicture picture_;
  bool center_ = false;
  bool stretch_ = false;
};
