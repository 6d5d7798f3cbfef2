// The full-screen driver: a primary surface with one attached back buffer, presented
// by flipping while the control's form is active.
#include "display/DXDraw.h"
#include "display/DXDrawDriver.h"
#include "display/DXErrors.h"
#include "display/DirectDraw.h"
#include "display/DirectDrawClipper.h"
#include "display/DirectDrawPalette.h"
#include "display/DirectDrawSurface.h"

void TDXDrawDriverFlip::Initialize() {
  TCustomDXDraw* d = dxDraw_;
  d->primary_ = new TDirectDrawSurface(d->ddraw_);
  DDSURFACEDESC primary{};
  primary.dwSize = sizeof primary;
  primary.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  primary.dwBackBufferCount = 1;
  primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  if (d->NowOptions().Contains(do3D)) primary.ddsCaps.dwCaps |= DDSCAPS_3DDEVICE;
  if (!d->primary_->CreateSurface(primary)) throw EDXDrawError(SDXCannotMade, SDXPrimarySurface);

  // A missing back buffer leaves Surface empty; drawing then fails where it asks for
  // the surface's interface.
  d->surface_ = new TDirectDrawSurface(d->ddraw_);
  DDSCAPS backCaps{};
  backCaps.dwCaps = DDSCAPS_BACKBUFFER;
  IDirectDrawSurface* back = nullptr;
  const HRESULT hr = d->primary_->GetIDDSurface()->GetAttachedSurface(&backCaps, &back);
  d->primary_->SetDXResult(hr);
  if (hr == DD_OK && back) {
    d->surface_->SetIDDSurface(back);
    back->Release();
  }

  d->ExcludeNowOption(doSystemMemory);
  if (d->surface_->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY) d->IncludeNowOption(doSystemMemory);

  d->clipper_ = new TDirectDrawClipper(d->ddraw_);

  d->palette_ = new TDirectDrawPalette(d->ddraw_);
  DWORD caps = DDPCAPS_8BIT;
  if (d->Options().Contains(doAllowPalette256)) caps |= DDPCAPS_ALLOW256;
  const TDXDrawPaletteEntries entries =
      ColorTableToPaletteEntries(d->ColorTable, d->NowOptions().Contains(doAllowPalette256));
  d->palette_->CreatePalette(caps, entries.data());
  d->primary_->SetPalette(d->palette_);
  d->surface_->SetPalette(d->palette_);

  if (d->NowOptions().Contains(do3D)) SetUpDirect3D();
}

void TDXDrawDriverFlip::Flip(bool) {
  TCustomDXDraw* d = dxDraw_;
  if (d->FormActive())
    d->primary_->SetDXResult(d->primary_->GetIDDSurface()->Flip(nullptr, DDFLIP_WAIT));
  else
    d->primary_->SetDXResult(DD_OK);
}
