// The window driver: an off-screen back surface of any size, blitted into the
// control's client area through a clipper, at its corner, centred or stretched.
#include <algorithm>

#include "display/DXDraw.h"
#include "display/DXDrawDriver.h"
#include "display/DXErrors.h"
#include "display/DirectDraw.h"
#include "display/DirectDrawClipper.h"
#include "display/DirectDrawPalette.h"
#include "display/DirectDrawSurface.h"

void TDXDrawDriverBlt::Initialize() {
  TCustomDXDraw* d = dxDraw_;
  d->primary_ = new TDirectDrawSurface(d->ddraw_);
  DDSURFACEDESC primary{};
  primary.dwSize = sizeof primary;
  primary.dwFlags = DDSD_CAPS;
  primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  if (!d->primary_->CreateSurface(primary)) throw EDXDrawError(SDXCannotMade, SDXPrimarySurface);

  d->surface_ = new TDirectDrawSurface(d->ddraw_);

  d->clipper_ = new TDirectDrawClipper(d->ddraw_);
  d->clipper_->SetHWnd(d->Handle());
  d->primary_->SetClipper(d->clipper_);

  const bool all256 = d->NowOptions().Contains(doAllowPalette256);
  d->palette_ = new TDirectDrawPalette(d->ddraw_);
  DWORD caps = DDPCAPS_8BIT | DDPCAPS_INITIALIZE;
  if (all256) caps |= DDPCAPS_ALLOW256;
  const TDXDrawPaletteEntries entries = ColorTableToPaletteEntries(d->ColorTable, all256);
  d->palette_->CreatePalette(caps, entries.data());
  d->primary_->SetPalette(d->palette_);

  InitializeSurface();
}

void TDXDrawDriverBlt::InitializeSurface() {
  TCustomDXDraw* d = dxDraw_;
  d->surface_->SetIDDSurface(nullptr);
  d->ExcludeNowOption(doSystemMemory);

  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.dwWidth = static_cast<DWORD>(std::max(d->surfaceWidth_, 1));
  desc.dwHeight = static_cast<DWORD>(std::max(d->surfaceHeight_, 1));
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  if (d->Options().Contains(doSystemMemory)) desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
  if (d->NowOptions().Contains(do3D)) desc.ddsCaps.dwCaps |= DDSCAPS_3DDEVICE;
  if (!d->surface_->CreateSurface(desc)) {
    desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
    if (!d->surface_->CreateSurface(desc)) throw EDXDrawError(SDXCannotMade, SDXSurface);
  }
  // NowOptions report where the back surface really lies.
  if (!(d->surface_->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY)) d->IncludeNowOption(doSystemMemory);

  d->surface_->SetPalette(d->palette_);
  d->surface_->Fill(0);
  if (d->NowOptions().Contains(do3D)) SetUpDirect3D();
}

bool TDXDrawDriverBlt::SetSize(int width, int height) {
  TCustomDXDraw* d = dxDraw_;
  d->surfaceWidth_ = std::max(width, 1);
  d->surfaceHeight_ = std::max(height, 1);
  d->FinalizeSurfaceEvent();
  InitializeSurface();
  d->InitializeSurfaceEvent();
  return true;
}

void TDXDrawDriverBlt::Flip(bool allowVBlankWait) {
  TCustomDXDraw* d = dxDraw_;
  const TDXDrawOptions now = d->NowOptions();
  POINT p = d->ClientToScreen(POINT{0, 0});
  RECT dest;
  if (now.Contains(doStretch)) {
    dest = RECT{p.x, p.y, p.x + d->ClientWidth(), p.y + d->ClientHeight()};
  } else {
    const int width = d->surface_->Width(), height = d->surface_->Height();
    if (now.Contains(doCenter)) {
      // Truncating toward zero: a surface larger than the client area is clipped on
      // both sides.
      p.x += (d->ClientWidth() - width) / 2;
      p.y += (d->ClientHeight() - height) / 2;
    }
    dest = RECT{p.x, p.y, p.x + width, p.y + height};
  }
  if (allowVBlankWait && now.Contains(doWaitVBlank))
    d->ddraw_->SetDXResult(d->ddraw_->GetIDDraw()->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr));
  DDBLTFX effects{};
  effects.dwSize = sizeof effects;
  const RECT source = d->surface_->ClientRect();
  d->primary_->Blt(&dest, &source, DDBLT_WAIT, &effects, d->surface_);
}
