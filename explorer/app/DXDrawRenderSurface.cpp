// The render engine's surface over the display control, declared in DXDrawRenderSurface.h.
#include "explorer/app/DXDrawRenderSurface.h"

#include <windows.h>
#include <ddraw.h>

#include "display/DXDraw.h"
#include "display/DirectDraw.h"
#include "display/DirectDrawSurface.h"

static_assert(sizeof(RGBQUAD) == sizeof(ColorTableEntry),
              "the display control's colour table is read as the renderers' entries");

bool TDXDrawRenderSurface::Lock(TLockedSurfaceDesc& desc) {
  desc = TLockedSurfaceDesc{};
  TDirectDrawSurface* surface = dxDraw_->Surface();
  if (!surface) return false;
  DDSURFACEDESC dd{};
  dd.dwSize = sizeof dd;
  if (!surface->Lock(dd) || !dd.lpSurface) return false;
  desc.Pixels = static_cast<std::uint8_t*>(dd.lpSurface);
  desc.Pitch = static_cast<std::int32_t>(dd.lPitch);
  desc.RGBBitCount = dd.ddpfPixelFormat.dwRGBBitCount;
  desc.GreenBitMask = dd.ddpfPixelFormat.dwGBitMask;
  return true;
}

void TDXDrawRenderSurface::Unlock() {
  if (TDirectDrawSurface* surface = dxDraw_->Surface()) surface->Unlock();
}

void TDXDrawRenderSurface::Flip() { dxDraw_->Flip(); }

std::int32_t TDXDrawRenderSurface::Width() const { return dxDraw_->GetSurfaceWidth(); }

std::int32_t TDXDrawRenderSurface::Height() const { return dxDraw_->GetSurfaceHeight(); }

const ColorTableEntry* TDXDrawRenderSurface::ColorTable() const {
  return reinterpret_cast<const ColorTableEntry*>(dxDraw_->ColorTable);
}

bool TDXDrawRenderSurface::CanDraw() { return dxDraw_->CanDraw(); }

void TDXDrawRenderSurface::ReleaseCanvas() {
  if (TDirectDrawSurface* surface = dxDraw_->Surface()) surface->Canvas()->Release();
}

void TDXDrawRenderSurface::WaitForVerticalBlank() {
  // Through the DirectDraw object's IDirectDraw4; without one the animation simply does
  // not wait.
  IDirectDraw4* ddraw = TDirectDraw::GetIDDraw4(dxDraw_->DDraw());
  if (!ddraw) return;
  HRESULT hr = ddraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
  dxDraw_->DDraw()->SetDXResult(hr);
}
