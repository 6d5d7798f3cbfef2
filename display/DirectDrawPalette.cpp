// TDirectDrawPalette.
#include "display/DirectDrawPalette.h"

TDirectDrawPalette::TDirectDrawPalette(TDirectDraw* ddraw) : ddraw_(ddraw) { ddraw_->palettes_.push_back(this); }

TDirectDrawPalette::~TDirectDrawPalette() { TDirectDraw::Remove(ddraw_->palettes_, this); }

bool TDirectDrawPalette::CreatePalette(DWORD caps, const PALETTEENTRY* entries) {
  palette_.Reset();
  Microsoft::WRL::ComPtr<IDirectDrawPalette> created;
  // DirectDraw reads the entries only; its declaration lacks the const.
  HRESULT hr = ddraw_->GetIDDraw()->CreatePalette(caps, const_cast<PALETTEENTRY*>(entries),
                                                   created.GetAddressOf(), nullptr);
  ddraw_->SetDXResult(hr);
  SetDXResult(hr);
  if (hr != DD_OK) return false;
  palette_ = created;
  return true;
}

bool TDirectDrawPalette::SetEntries(int startIndex, int count, const PALETTEENTRY* entries) {
  if (!palette_) return false;
  HRESULT hr = palette_->SetEntries(0, startIndex, count, const_cast<PALETTEENTRY*>(entries));
  SetDXResult(hr);
  return hr == DD_OK;
}

IDirectDrawPalette* TDirectDrawPalette::GetIDDPalette() const {
  if (!palette_) throw EDirectDrawPaletteError(SDXNotMade, SIDirectDrawPalette);
  return palette_.Get();
}
