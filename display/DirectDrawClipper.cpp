// TDirectDrawClipper.
#include "display/DirectDrawClipper.h"

TDirectDrawClipper::TDirectDrawClipper(TDirectDraw* ddraw) : ddraw_(ddraw) {
  ddraw_->clippers_.push_back(this);
  try {
    HRESULT hr = ddraw_->GetIDDraw()->CreateClipper(0, clipper_.GetAddressOf(), nullptr);
    ddraw_->SetDXResult(hr);
    if (hr != DD_OK) throw EDirectDrawClipperError(SDXCannotMade, SDXClipper);
  } catch (...) {
    TDirectDraw::Remove(ddraw_->clippers_, this);
    throw;
  }
}

TDirectDrawClipper::~TDirectDrawClipper() { TDirectDraw::Remove(ddraw_->clippers_, this); }

void TDirectDrawClipper::SetHWnd(HWND window) { SetDXResult(GetIDDClipper()->SetHWnd(0, window)); }

IDirectDrawClipper* TDirectDrawClipper::GetIDDClipper() const {
  if (!clipper_) throw EDirectDrawClipperError(SDXNotMade, SIDirectDrawClipper);
  return clipper_.Get();
}
