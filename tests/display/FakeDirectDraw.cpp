// The stand-in DirectDraw: an object with the IDirectDraw and IDirectDraw7 interfaces
// and surfaces with IDirectDrawSurface, each over a real one. Surfaces handed to the
// real DirectDraw (blit sources, flip targets, duplicates) are unwrapped first.
#include "tests/display/FakeDirectDraw.h"

#include "tests/display/FakeDirect3D.h"

#include <wrl/client.h>

#include <algorithm>
#include <set>

#include "display/DXQuery.h"
#include "display/DirectDraw.h"

using Microsoft::WRL::ComPtr;

namespace {

FakeDirectDrawSettings settings;
std::vector<DWORD> createRequests;
std::vector<FakeDisplayMode> modeSwitches;
TDirectDrawEntryPoints realEntryPoints{};
bool installed = false;
int liveDirectDraws = 0;

class FakeSurface;
std::set<FakeSurface*>& LiveFakes() {
  static std::set<FakeSurface*> live;
  return live;
}

FakeSurface* AsFake(IDirectDrawSurface* surface);
IDirectDrawSurface* Unwrap(IDirectDrawSurface* surface);

#define QV_CALL HRESULT STDMETHODCALLTYPE

class FakeSurface final : public IDirectDrawSurface {
public:
  explicit FakeSurface(ComPtr<IDirectDrawSurface> inner) : inner_(std::move(inner)) { LiveFakes().insert(this); }
  ~FakeSurface() { LiveFakes().erase(this); }

  IDirectDrawSurface* Inner() const { return inner_.Get(); }
  void Lose() { lost_ = true; }

  QV_CALL QueryInterface(REFIID iid, void** out) override {
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDirectDrawSurface)) {
      *out = static_cast<IDirectDrawSurface*>(this);
      AddRef();
      return S_OK;
    }
    return inner_->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

  QV_CALL AddAttachedSurface(LPDIRECTDRAWSURFACE s) override { return inner_->AddAttachedSurface(Unwrap(s)); }
  QV_CALL AddOverlayDirtyRect(LPRECT r) override { return inner_->AddOverlayDirtyRect(r); }
  QV_CALL Blt(LPRECT d, LPDIRECTDRAWSURFACE s, LPRECT sr, DWORD f, LPDDBLTFX fx) override {
    if (lost_ || (AsFake(s) && AsFake(s)->lost_)) return DDERR_SURFACELOST;
    return inner_->Blt(d, Unwrap(s), sr, f, fx);
  }
  QV_CALL BltBatch(LPDDBLTBATCH b, DWORD c, DWORD f) override { return inner_->BltBatch(b, c, f); }
  QV_CALL BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD t) override {
    if (lost_) return DDERR_SURFACELOST;
    return inner_->BltFast(x, y, Unwrap(s), r, t);
  }
  QV_CALL DeleteAttachedSurface(DWORD f, LPDIRECTDRAWSURFACE s) override {
    return inner_->DeleteAttachedSurface(f, Unwrap(s));
  }
  QV_CALL EnumAttachedSurfaces(LPVOID c, LPDDENUMSURFACESCALLBACK cb) override {
    return inner_->EnumAttachedSurfaces(c, cb);
  }
  QV_CALL EnumOverlayZOrders(DWORD f, LPVOID c, LPDDENUMSURFACESCALLBACK cb) override {
    return inner_->EnumOverlayZOrders(f, c, cb);
  }
  QV_CALL Flip(LPDIRECTDRAWSURFACE s, DWORD f) override {
    if (lost_) return DDERR_SURFACELOST;
    return inner_->Flip(Unwrap(s), f);
  }
  QV_CALL GetAttachedSurface(LPDDSCAPS caps, LPDIRECTDRAWSURFACE* out) override {
    ComPtr<IDirectDrawSurface> attached;
    HRESULT hr = inner_->GetAttachedSurface(caps, attached.GetAddressOf());
    if (hr != DD_OK) return hr;
    *out = new FakeSurface(attached);
    return DD_OK;
  }
  QV_CALL GetBltStatus(DWORD f) override { return inner_->GetBltStatus(f); }
  QV_CALL GetCaps(LPDDSCAPS c) override { return inner_->GetCaps(c); }
  QV_CALL GetClipper(LPDIRECTDRAWCLIPPER* c) override { return inner_->GetClipper(c); }
  QV_CALL GetColorKey(DWORD f, LPDDCOLORKEY k) override { return inner_->GetColorKey(f, k); }
  QV_CALL GetDC(HDC* dc) override {
    if (lost_) return DDERR_SURFACELOST;
    return inner_->GetDC(dc);
  }
  QV_CALL GetFlipStatus(DWORD f) override { return inner_->GetFlipStatus(f); }
  QV_CALL GetOverlayPosition(LPLONG x, LPLONG y) override { return inner_->GetOverlayPosition(x, y); }
  QV_CALL GetPalette(LPDIRECTDRAWPALETTE* p) override { return inner_->GetPalette(p); }
  QV_CALL GetPixelFormat(LPDDPIXELFORMAT f) override { return inner_->GetPixelFormat(f); }
  QV_CALL GetSurfaceDesc(LPDDSURFACEDESC d) override { return inner_->GetSurfaceDesc(d); }
  QV_CALL Initialize(LPDIRECTDRAW dd, LPDDSURFACEDESC d) override { return inner_->Initialize(dd, d); }
  QV_CALL IsLost() override { return lost_ ? DDERR_SURFACELOST : inner_->IsLost(); }
  QV_CALL Lock(LPRECT r, LPDDSURFACEDESC d, DWORD f, HANDLE e) override {
    if (lost_) return DDERR_SURFACELOST;
    return inner_->Lock(r, d, f, e);
  }
  QV_CALL ReleaseDC(HDC dc) override { return inner_->ReleaseDC(dc); }
  QV_CALL Restore() override {
    if (!lost_) return inner_->Restore();
    if (settings.restoreFails) return DDERR_WRONGMODE;
    lost_ = false;
    return inner_->Restore();
  }
  QV_CALL SetClipper(LPDIRECTDRAWCLIPPER c) override { return inner_->SetClipper(c); }
  QV_CALL SetColorKey(DWORD f, LPDDCOLORKEY k) override { return inner_->SetColorKey(f, k); }
  QV_CALL SetOverlayPosition(LONG x, LONG y) override { return inner_->SetOverlayPosition(x, y); }
  QV_CALL SetPalette(LPDIRECTDRAWPALETTE p) override { return inner_->SetPalette(p); }
  QV_CALL Unlock(LPVOID p) override { return inner_->Unlock(p); }
  QV_CALL UpdateOverlay(LPRECT sr, LPDIRECTDRAWSURFACE d, LPRECT dr, DWORD f, LPDDOVERLAYFX fx) override {
    return inner_->UpdateOverlay(sr, Unwrap(d), dr, f, fx);
  }
  QV_CALL UpdateOverlayDisplay(DWORD f) override { return inner_->UpdateOverlayDisplay(f); }
  QV_CALL UpdateOverlayZOrder(DWORD f, LPDIRECTDRAWSURFACE s) override {
    return inner_->UpdateOverlayZOrder(f, Unwrap(s));
  }

private:
  ComPtr<IDirectDrawSurface> inner_;
  volatile LONG refs_ = 1;
  volatile bool lost_ = false;
};

FakeSurface* AsFake(IDirectDrawSurface* surface) {
  if (!surface) return nullptr;
  for (FakeSurface* fake : LiveFakes())
    if (static_cast<IDirectDrawSurface*>(fake) == surface) return fake;
  return nullptr;
}

IDirectDrawSurface* Unwrap(IDirectDrawSurface* surface) {
  FakeSurface* fake = AsFake(surface);
  return fake ? fake->Inner() : surface;
}

DDSURFACEDESC ModeDescription(const FakeDisplayMode& m) {
  DDSURFACEDESC d{};
  d.dwSize = sizeof d;
  d.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
  d.dwWidth = static_cast<DWORD>(m.width);
  d.dwHeight = static_cast<DWORD>(m.height);
  d.lPitch = m.width * ((m.bitCount + 7) / 8);
  d.ddpfPixelFormat.dwSize = sizeof d.ddpfPixelFormat;
  d.ddpfPixelFormat.dwFlags = DDPF_RGB | (m.bitCount == 8 ? DDPF_PALETTEINDEXED8 : 0);
  d.ddpfPixelFormat.dwRGBBitCount = static_cast<DWORD>(m.bitCount);
  return d;
}

// One object with both interfaces; the methods the two share (same name, same
// arguments) serve both and go to the first interface of the real object.
class FakeDDraw final : public IDirectDraw, public IDirectDraw7 {
public:
  FakeDDraw(ComPtr<IDirectDraw> inner, ComPtr<IDirectDraw7> inner7)
      : inner_(std::move(inner)), inner7_(std::move(inner7)) {
    ++liveDirectDraws;
  }
  ~FakeDDraw() { --liveDirectDraws; }

  QV_CALL QueryInterface(REFIID iid, void** out) override {
    if (FakeDirect3D::Installed() && FakeDirect3D::Answers(iid)) return FakeDirect3D::Query(inner_.Get(), iid, out);
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDirectDraw)) {
      *out = static_cast<IDirectDraw*>(this);
    } else if (IsEqualGUID(iid, IID_IDirectDraw4) && settings.refuseDirectDraw4) {
      *out = nullptr;
      return E_NOINTERFACE;
    } else if (IsEqualGUID(iid, IID_IDirectDraw7) && inner7_) {
      *out = static_cast<IDirectDraw7*>(this);
    } else {
      return inner_->QueryInterface(iid, out);
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }

  // Shared by both interfaces.
  QV_CALL Compact() override { return inner_->Compact(); }
  QV_CALL CreateClipper(DWORD f, LPDIRECTDRAWCLIPPER* c, IUnknown* o) override { return inner_->CreateClipper(f, c, o); }
  QV_CALL CreatePalette(DWORD f, LPPALETTEENTRY e, LPDIRECTDRAWPALETTE* p, IUnknown* o) override {
    return inner_->CreatePalette(f, e, p, o);
  }
  QV_CALL FlipToGDISurface() override { return inner_->FlipToGDISurface(); }
  QV_CALL GetCaps(LPDDCAPS d, LPDDCAPS h) override { return inner_->GetCaps(d, h); }
  QV_CALL GetFourCCCodes(LPDWORD n, LPDWORD c) override { return inner_->GetFourCCCodes(n, c); }
  QV_CALL GetMonitorFrequency(LPDWORD f) override { return inner_->GetMonitorFrequency(f); }
  QV_CALL GetScanLine(LPDWORD l) override { return inner_->GetScanLine(l); }
  QV_CALL GetVerticalBlankStatus(WINBOOL* b) override { return inner_->GetVerticalBlankStatus(b); }
  QV_CALL Initialize(GUID* g) override { return inner_->Initialize(g); }
  QV_CALL RestoreDisplayMode() override { return inner_->RestoreDisplayMode(); }
  QV_CALL SetCooperativeLevel(HWND w, DWORD f) override { return inner_->SetCooperativeLevel(w, f); }
  QV_CALL WaitForVerticalBlank(DWORD f, HANDLE e) override { return inner_->WaitForVerticalBlank(f, e); }

  // IDirectDraw.
  QV_CALL CreateSurface(LPDDSURFACEDESC d, LPDIRECTDRAWSURFACE* out, IUnknown* o) override {
    const DWORD caps = (d->dwFlags & DDSD_CAPS) ? d->ddsCaps.dwCaps : 0;
    createRequests.push_back(caps);
    if (settings.videoMemoryFull && !(caps & (DDSCAPS_SYSTEMMEMORY | DDSCAPS_PRIMARYSURFACE)))
      return DDERR_OUTOFVIDEOMEMORY;
    DDSURFACEDESC asked = *d;
    if (settings.offscreen16Bit && (caps & DDSCAPS_OFFSCREENPLAIN) && !(d->dwFlags & DDSD_PIXELFORMAT)) {
      asked.dwFlags |= DDSD_PIXELFORMAT;
      asked.ddpfPixelFormat = DDPIXELFORMAT{};
      asked.ddpfPixelFormat.dwSize = sizeof asked.ddpfPixelFormat;
      asked.ddpfPixelFormat.dwFlags = DDPF_RGB;
      asked.ddpfPixelFormat.dwRGBBitCount = 16;
      asked.ddpfPixelFormat.dwRBitMask = 0xF800;
      asked.ddpfPixelFormat.dwGBitMask = 0x07E0;
      asked.ddpfPixelFormat.dwBBitMask = 0x001F;
      d = &asked;
    }
    ComPtr<IDirectDrawSurface> real;
    HRESULT hr = inner_->CreateSurface(d, real.GetAddressOf(), o);
    if (hr != DD_OK) return hr;
    *out = new FakeSurface(real);
    return DD_OK;
  }
  QV_CALL DuplicateSurface(LPDIRECTDRAWSURFACE s, LPDIRECTDRAWSURFACE* out) override {
    ComPtr<IDirectDrawSurface> real;
    HRESULT hr = inner_->DuplicateSurface(Unwrap(s), real.GetAddressOf());
    if (hr != DD_OK) return hr;
    *out = new FakeSurface(real);
    return DD_OK;
  }
  QV_CALL EnumDisplayModes(DWORD f, LPDDSURFACEDESC d, LPVOID c, LPDDENUMMODESCALLBACK cb) override {
    if (settings.enumerationResult != DD_OK) return settings.enumerationResult;
    if (!settings.replaceModes) return inner_->EnumDisplayModes(f, d, c, cb);
    for (const FakeDisplayMode& m : settings.modes) {
      DDSURFACEDESC desc = ModeDescription(m);
      if (cb(&desc, c) == DDENUMRET_CANCEL) break;
    }
    return DD_OK;
  }
  QV_CALL EnumSurfaces(DWORD f, LPDDSURFACEDESC d, LPVOID c, LPDDENUMSURFACESCALLBACK cb) override {
    return inner_->EnumSurfaces(f, d, c, cb);
  }
  QV_CALL GetDisplayMode(LPDDSURFACEDESC d) override { return inner_->GetDisplayMode(d); }
  QV_CALL GetGDISurface(LPDIRECTDRAWSURFACE* s) override { return inner_->GetGDISurface(s); }
  QV_CALL SetDisplayMode(DWORD w, DWORD h, DWORD bpp) override {
    if (!settings.replaceModes) return inner_->SetDisplayMode(w, h, bpp);
    const FakeDisplayMode m{static_cast<int>(w), static_cast<int>(h), static_cast<int>(bpp)};
    modeSwitches.push_back(m);
    const auto& listed = settings.modes;
    const auto& refused = settings.refusedModes;
    if (std::find(listed.begin(), listed.end(), m) == listed.end()) return DDERR_INVALIDMODE;
    if (std::find(refused.begin(), refused.end(), m) != refused.end()) return DDERR_UNSUPPORTEDMODE;
    return DD_OK;
  }

  // IDirectDraw7: passed through; the wrappers reach surfaces through IDirectDraw.
  QV_CALL CreateSurface(LPDDSURFACEDESC2 d, LPDIRECTDRAWSURFACE7* s, IUnknown* o) override {
    return inner7_->CreateSurface(d, s, o);
  }
  QV_CALL DuplicateSurface(LPDIRECTDRAWSURFACE7 s, LPDIRECTDRAWSURFACE7* out) override {
    return inner7_->DuplicateSurface(s, out);
  }
  QV_CALL EnumDisplayModes(DWORD f, LPDDSURFACEDESC2 d, LPVOID c, LPDDENUMMODESCALLBACK2 cb) override {
    return inner7_->EnumDisplayModes(f, d, c, cb);
  }
  QV_CALL EnumSurfaces(DWORD f, LPDDSURFACEDESC2 d, LPVOID c, LPDDENUMSURFACESCALLBACK7 cb) override {
    return inner7_->EnumSurfaces(f, d, c, cb);
  }
  QV_CALL GetDisplayMode(LPDDSURFACEDESC2 d) override { return inner7_->GetDisplayMode(d); }
  QV_CALL GetGDISurface(LPDIRECTDRAWSURFACE7* s) override { return inner7_->GetGDISurface(s); }
  QV_CALL SetDisplayMode(DWORD w, DWORD h, DWORD bpp, DWORD rate, DWORD f) override {
    return inner7_->SetDisplayMode(w, h, bpp, rate, f);
  }
  QV_CALL GetAvailableVidMem(LPDDSCAPS2 c, LPDWORD t, LPDWORD f) override { return inner7_->GetAvailableVidMem(c, t, f); }
  QV_CALL GetSurfaceFromDC(HDC dc, LPDIRECTDRAWSURFACE7* s) override { return inner7_->GetSurfaceFromDC(dc, s); }
  QV_CALL RestoreAllSurfaces() override { return inner7_->RestoreAllSurfaces(); }
  QV_CALL TestCooperativeLevel() override { return inner7_->TestCooperativeLevel(); }
  QV_CALL GetDeviceIdentifier(LPDDDEVICEIDENTIFIER2 i, DWORD f) override { return inner7_->GetDeviceIdentifier(i, f); }
  QV_CALL StartModeTest(LPSIZE m, DWORD n, DWORD f) override { return inner7_->StartModeTest(m, n, f); }
  QV_CALL EvaluateMode(DWORD f, DWORD* t) override { return inner7_->EvaluateMode(f, t); }

private:
  ComPtr<IDirectDraw> inner_;
  ComPtr<IDirectDraw7> inner7_;
  volatile LONG refs_ = 1;
};

#undef QV_CALL

HRESULT WINAPI FakeCreate(GUID* guid, LPDIRECTDRAW* result, IUnknown* outer) {
  if (settings.createResult != DD_OK) return settings.createResult;
  ComPtr<IDirectDraw> real;
  HRESULT hr = realEntryPoints.Create(guid, real.GetAddressOf(), outer);
  if (hr != DD_OK) return hr;
  *result = new FakeDDraw(real, nullptr);
  return DD_OK;
}

HRESULT WINAPI FakeCreateEx(GUID* guid, LPVOID* result, REFIID iid, IUnknown* outer) {
  if (settings.createResult != DD_OK) return settings.createResult;
  ComPtr<IDirectDraw7> real7;
  HRESULT hr = realEntryPoints.CreateEx(guid, reinterpret_cast<LPVOID*>(real7.GetAddressOf()), IID_IDirectDraw7, outer);
  if (hr != DD_OK) return hr;
  ComPtr<IDirectDraw> real;
  hr = QueryTo(real7.Get(), IID_IDirectDraw, real);
  if (FAILED(hr)) return hr;
  auto* fake = new FakeDDraw(real, real7);
  hr = static_cast<IDirectDraw*>(fake)->QueryInterface(iid, result);
  static_cast<IDirectDraw*>(fake)->Release();
  return hr;
}

}  // namespace

void FakeDirectDraw::Install() {
  if (!installed) realEntryPoints = DirectDrawEntryPoints();
  installed = true;
  settings = FakeDirectDrawSettings{};
  createRequests.clear();
  modeSwitches.clear();
  static const TDirectDrawEntryPoints fake{&FakeCreate, &FakeCreateEx};
  SetDirectDrawEntryPoints(&fake);
}

void FakeDirectDraw::Uninstall() {
  SetDirectDrawEntryPoints(nullptr);
  installed = false;
}

FakeDirectDrawSettings& FakeDirectDraw::Settings() { return settings; }
std::vector<DWORD>& FakeDirectDraw::CreateRequests() { return createRequests; }
std::vector<FakeDisplayMode>& FakeDirectDraw::ModeSwitches() { return modeSwitches; }

void FakeDirectDraw::LoseAllSurfaces() {
  for (FakeSurface* s : LiveFakes()) s->Lose();
}

void FakeDirectDraw::LoseSurface(IDirectDrawSurface* surface) {
  if (FakeSurface* fake = AsFake(surface)) fake->Lose();
}

bool FakeDirectDraw::IsFakeSurface(IDirectDrawSurface* surface) { return AsFake(surface) != nullptr; }

int FakeDirectDraw::LiveSurfaces() { return static_cast<int>(LiveFakes().size()); }

int FakeDirectDraw::LiveDirectDraws() { return liveDirectDraws; }
