// TDirectDrawClipper: a DirectDraw clipper made on a TDirectDraw, which frees it.
#pragma once

#include "display/DirectDraw.h"

class TDirectDrawClipper : public TDirectX {
public:
  // Makes the clipper at once; raises EDirectDrawClipperError "%s cannot be made"
  // when DirectDraw refuses (its result is on the owner's DXResult).
  explicit TDirectDrawClipper(TDirectDraw* ddraw);
  ~TDirectDrawClipper() override;

  // Clips to Window's client area.
  void SetHWnd(HWND window);

  TDirectDraw* DDraw() const { return ddraw_; }
  IDirectDrawClipper* IDDClipper() const { return clipper_.Get(); }
  // Raises EDirectDrawClipperError "%s not made" when there is no clipper.
  IDirectDrawClipper* GetIDDClipper() const;

private:
  TDirectDraw* ddraw_;
  Microsoft::WRL::ComPtr<IDirectDrawClipper> clipper_;
};
