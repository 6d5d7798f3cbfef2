// TDirectDrawPalette: a DirectDraw palette made on a TDirectDraw, which frees it.
#pragma once

#include "display/DirectDraw.h"

class TDirectDrawPalette : public TDirectX {
public:
  explicit TDirectDrawPalette(TDirectDraw* ddraw);
  ~TDirectDrawPalette() override;

  // Replaces the palette by a new one with Caps (DDPCAPS_) and Entries; the result is
  // on the owner's DXResult and on this one's.
  bool CreatePalette(DWORD caps, const PALETTEENTRY* entries);
  // False when no palette exists.
  bool SetEntries(int startIndex, int count, const PALETTEENTRY* entries);

  TDirectDraw* DDraw() const { return ddraw_; }
  IDirectDrawPalette* IDDPalette() const { return palette_.Get(); }
  // Raises EDirectDrawPaletteError "%s not made" when there is no palette.
  IDirectDrawPalette* GetIDDPalette() const;

private:
  TDirectDraw* ddraw_;
  Microsoft::WRL::ComPtr<IDirectDrawPalette> palette_;
};
