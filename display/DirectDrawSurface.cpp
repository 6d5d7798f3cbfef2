// TDirectDrawSurface: the held interfaces, creation and sizing, the counted lock,
// blits, fills, colour keys and loss recovery.
#include "display/DirectDrawSurface.h"

#include "display/DXQuery.h"
#include "display/DirectDrawClipper.h"
#include "display/DirectDrawPalette.h"

using Microsoft::WRL::ComPtr;

namespace {

// Holds a critical section for a scope.
class TGuard {
public:
  explicit TGuard(CRITICAL_SECTION& cs) : cs_(cs) { EnterCriticalSection(&cs_); }
  ~TGuard() { LeaveCriticalSection(&cs_); }
  TGuard(const TGuard&) = delete;
  TGuard& operator=(const TGuard&) = delete;

private:
  CRITICAL_SECTION& cs_;
};

}  // namespace

TDirectDrawSurface::TDirectDrawSurface(TDirectDraw* ddraw) : ddraw_(ddraw) {
  InitializeCriticalSection(&lockGuard_);
  ddraw_->surfaces_.push_back(this);
}

TDirectDrawSurface::~TDirectDrawSurface() {
  if (canvas_) canvas_->Free();  // clears canvas_ on its way out
  SetIDDSurface(nullptr);
  TDirectDraw::Remove(ddraw_->surfaces_, this);
  DeleteCriticalSection(&lockGuard_);
}

TDirectDrawSurfaceCanvas* TDirectDrawSurface::Canvas() {
  {
    // Two threads may ask for the first time at once.
    TGuard guard(lockGuard_);
    if (!canvas_) canvas_ = new TDirectDrawSurfaceCanvas(this);
  }
  canvas_->Acquire();
  return canvas_;
}

void TDirectDrawSurface::ReleaseSurface() {
  // A device context or a lock still held on the old surface would outlive it: wait for
  // a thread drawing on the canvas to finish, and give its DC back.
  if (canvas_) {
    canvas_->Acquire();
    canvas_->Release();
  }
  TGuard guard(lockGuard_);
  if (lockCount_ > 0 && surface_) surface_->Unlock(lockedDesc_.lpSurface);
  InterlockedExchange(&lockCount_, 0);
  surface7_.Reset();
  surface4_.Reset();
  surface_.Reset();
  hasClipper_ = false;
  surfaceDesc_ = DDSURFACEDESC{};
}

void TDirectDrawSurface::SetIDDSurface(IDirectDrawSurface* surface) {
  ComPtr<IDirectDrawSurface> first;
  if (surface) {
    if (FAILED(QueryTo(surface, IID_IDirectDrawSurface, first))) first = surface;
    if (first.Get() == surface_.Get()) return;
  }
  ReleaseSurface();
  if (!surface) return;
  surface_ = first;
  QueryTo(surface_.Get(), IID_IDirectDrawSurface4, surface4_);  // absent interfaces stay nil
  if (ddraw_->IDDraw7()) QueryTo(surface_.Get(), IID_IDirectDrawSurface7, surface7_);
  ComPtr<IDirectDrawClipper> clipper;
  hasClipper_ = surface_->GetClipper(clipper.GetAddressOf()) == DD_OK && clipper;
  surfaceDesc_.dwSize = sizeof surfaceDesc_;
  surface_->GetSurfaceDesc(&surfaceDesc_);
}

bool TDirectDrawSurface::CreateSurface(DDSURFACEDESC& description) {
  SetIDDSurface(nullptr);
  ComPtr<IDirectDrawSurface> created;
  HRESULT hr = ddraw_->GetIDDraw()->CreateSurface(&description, created.GetAddressOf(), nullptr);
  ddraw_->SetDXResult(hr);
  SetDXResult(hr);
  if (hr != DD_OK) return false;
  SetIDDSurface(created.Get());
  TransparentColor(0);
  return true;
}

void TDirectDrawSurface::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    SetIDDSurface(nullptr);
    return;
  }
  DDSURFACEDESC d{};
  d.dwSize = sizeof d;
  d.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  d.dwHeight = static_cast<DWORD>(height);
  d.dwWidth = static_cast<DWORD>(width);
  d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  if (systemMemory_) d.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
  if (CreateSurface(d)) return;
  if (!systemMemory_) {
    d.ddsCaps.dwCaps &= ~DDSCAPS_VIDEOMEMORY;
    d.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
    if (CreateSurface(d)) {
      systemMemory_ = true;
      return;
    }
  }
  throw EDirectDrawSurfaceError(SDXCannotMade, SDXSurface);
}

bool TDirectDrawSurface::Lock(DDSURFACEDESC& description) {
  if (!surface_) return false;
  // A nested lock only counts, as long as the surface is locked.
  for (LONG n = lockCount_; n > 0; n = lockCount_) {
    if (InterlockedCompareExchange(&lockCount_, n + 1, n) == n) {
      description = lockedDesc_;
      return true;
    }
  }
  TGuard guard(lockGuard_);
  if (!surface_) return false;
  if (lockCount_ == 0) {
    lockedDesc_ = DDSURFACEDESC{};
    lockedDesc_.dwSize = sizeof lockedDesc_;
    HRESULT hr = surface_->Lock(nullptr, &lockedDesc_, DDLOCK_WAIT | DDLOCK_NOSYSLOCK, nullptr);
    SetDXResult(hr);
    if (hr != DD_OK) return false;
  }
  InterlockedIncrement(&lockCount_);
  description = lockedDesc_;
  return true;
}

void TDirectDrawSurface::Unlock() {
  if (!surface_) return;
  for (LONG n = lockCount_; n > 1; n = lockCount_)
    if (InterlockedCompareExchange(&lockCount_, n - 1, n) == n) return;
  TGuard guard(lockGuard_);
  if (!surface_) return;
  // Other threads may nest and unlock meanwhile, so the count is only ever changed
  // from the value just seen: this is the outermost unlock when it takes 1 to 0.
  for (LONG n = lockCount_; n > 0; n = lockCount_) {
    if (InterlockedCompareExchange(&lockCount_, n - 1, n) != n) continue;
    if (n == 1) SetDXResult(surface_->Unlock(lockedDesc_.lpSurface));
    return;
  }
}

bool TDirectDrawSurface::Blt(const RECT* destRect, const RECT* srcRect, DWORD flags, const DDBLTFX* effects,
                             TDirectDrawSurface* source) {
  if (!surface_) return false;
  // DirectDraw only reads the rectangles and effects; its declaration lacks the const.
  HRESULT hr = surface_->Blt(const_cast<RECT*>(destRect), IDDSurfaceOf(source), const_cast<RECT*>(srcRect), flags,
                             const_cast<DDBLTFX*>(effects));
  SetDXResult(hr);
  return hr == DD_OK;
}

bool TDirectDrawSurface::Fill(DWORD color) {
  DDBLTFX effects{};
  effects.dwSize = sizeof effects;
  effects.dwFillColor = color;
  return Blt(nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects, nullptr);
}

bool TDirectDrawSurface::Restore() {
  if (!surface_) return false;
  HRESULT hr = surface_->Restore();
  SetDXResult(hr);
  return hr == DD_OK;
}

HRESULT TDirectDrawSurface::IsLost() {
  if (!surface_) return DD_OK;
  HRESULT hr = surface_->IsLost();
  SetDXResult(hr);
  return hr;
}

void TDirectDrawSurface::SetClipper(TDirectDrawClipper* clipper) {
  if (surface_) SetDXResult(surface_->SetClipper(clipper ? clipper->IDDClipper() : nullptr));
  hasClipper_ = clipper != nullptr && DXResult() == DD_OK;
}

void TDirectDrawSurface::SetPalette(TDirectDrawPalette* palette) {
  if (surface_) SetDXResult(surface_->SetPalette(palette ? palette->IDDPalette() : nullptr));
}

void TDirectDrawSurface::SetColorKey(DWORD flags, const DDCOLORKEY& key) {
  if (surface_) SetDXResult(surface_->SetColorKey(flags, const_cast<DDCOLORKEY*>(&key)));
}

void TDirectDrawSurface::TransparentColor(DWORD color) {
  DDCOLORKEY key{color, color};
  SetColorKey(DDCKEY_SRCBLT, key);
}

IDirectDrawSurface* TDirectDrawSurface::GetIDDSurface() const {
  if (!surface_) throw EDirectDrawSurfaceError(SDXNotMade, SIDirectDrawSurface);
  return surface_.Get();
}

IDirectDrawSurface4* TDirectDrawSurface::GetIDDSurface4() const {
  if (!surface4_) throw EDirectDrawSurfaceError(SDXNotMade, SIDirectDrawSurface4);
  return surface4_.Get();
}

IDirectDrawSurface7* TDirectDrawSurface::GetIDDSurface7() const {
  if (!surface7_) throw EDirectDrawSurfaceError(SDXNotMade, SIDirectDrawSurface7);
  return surface7_.Get();
}
