// The Direct3D set-up on the display control's back surface, in the DirectX 6 variant
// (immediate mode with optional retained mode) and the DirectX 7 variant, and the
// release of what it built. The device search and the Z-buffer are in DXDraw3DDevice.cpp.
#include "display/DXClass.h"
#include "display/DXDraw.h"
#include "display/DXDraw3DPath.h"
#include "display/DXErrors.h"
#include "display/DXQuery.h"
#include "display/DirectDrawSurface.h"

namespace {

// The back plane of the retained-mode viewport: far enough for any scene the control
// is likely to show.
constexpr D3DVALUE kViewportBack = 5000.0f;

// What one set-up makes; the retained-mode object, the scene and the camera stay.
void ClearOutputs(TCustomDXDraw* dxDraw, TDXDraw3DObjects& o) {
  o.Viewport.Reset();
  o.D3DRMDevice.Reset();
  o.D3DRMDevice2.Reset();
  o.D3DDevice.Reset();
  o.D3DDevice2.Reset();
  o.D3DDevice3.Reset();
  o.D3D.Reset();
  o.D3D2.Reset();
  o.D3D3.Reset();
  o.D3DDevice7.Reset();
  o.D3D7.Reset();
  ReleaseZBuffer(dxDraw, o);
}

void ClearAll(TCustomDXDraw* dxDraw, TDXDraw3DObjects& o) {
  ClearOutputs(dxDraw, o);
  o.Camera.Reset();
  o.Scene.Reset();
  o.D3DRM3.Reset();
  o.D3DRM2.Reset();
  o.D3DRM.Reset();
}

// The device search and the Z-buffer; returns the flags they obtained.
TDXDraw3DFlags PrepareDevice(TCustomDXDraw* dxDraw, TDXDraw3DObjects& o, TDXDraw3DFlags request,
                             const TDirect3DDeviceChoice& choice, DWORD zDepths) {
  if (!choice.found) throw EDXDrawError(SDX3DDeviceNotFound);
  o.DeviceName = choice.name;
  o.DeviceGUID = choice.guid;
  o.DeviceDesc = choice.desc;
  o.DeviceDesc7 = choice.desc7;
  TDXDraw3DFlags result;
  if (choice.hardware) result.Include(d3dHardware);
  if (request.Contains(d3dZBuffer) && CreateZBuffer(dxDraw, o, zDepths, choice.hardware))
    result.Include(d3dZBuffer);
  else
    ReleaseZBuffer(dxDraw, o);
  return result;
}

// A retained-mode setting the runtime refuses leaves the object it was made on unlike
// what the set-up promises: it fails as that object's making would. A runtime that has
// no such setting at all (Wine's answers E_NOTIMPL for the buffer count, the texture
// quality and a frame's position relative to itself) renders by its own and is taken as
// it is.
void Require(HRESULT result, const char* message, const char* object) {
  if (FAILED(result) && result != E_NOTIMPL) throw EDXDrawError(message, object);
}

void SetUpRetainedMode(TCustomDXDraw* dxDraw, TDXDraw3DObjects& o) {
  if (!o.D3DRM) {
    auto create = LoadDirectXProcAs<HRESULT(WINAPI*)(IDirect3DRM**)>(SD3DRMLibrary, "Direct3DRMCreate");
    if (FAILED(create(o.D3DRM.ReleaseAndGetAddressOf())) || !o.D3DRM)
      throw EDXDrawError(SDXCannotInitialized, SDirect3DRetainedMode);
    QueryTo(o.D3DRM.Get(), IID_IDirect3DRM2, o.D3DRM2);  // absent interfaces stay nil
    QueryTo(o.D3DRM.Get(), IID_IDirect3DRM3, o.D3DRM3);
  }
  // A retained mode older than DirectX 5 has no IDirect3DRM2 to make the device with.
  if (!o.D3DRM2 ||
      FAILED(o.D3DRM2->CreateDeviceFromD3D(o.D3D2.Get(), o.D3DDevice2.Get(), o.D3DRMDevice2.ReleaseAndGetAddressOf())) ||
      !o.D3DRMDevice2)
    throw EDXDrawError(SDXCannotMade, SIDirect3DRMDevice2);
  Require(o.D3DRMDevice2->SetBufferCount(2), SDXCannotMade, SIDirect3DRMDevice2);
  QueryTo(o.D3DRMDevice2.Get(), IID_IDirect3DRMDevice, o.D3DRMDevice);
  Require(o.D3DRMDevice2->SetQuality(D3DRMSHADE_GOURAUD | D3DRMLIGHT_ON | D3DRMFILL_SOLID), SDXCannotMade,
          SIDirect3DRMDevice2);
  Require(o.D3DRMDevice2->SetTextureQuality(D3DRMTEXTURE_NEAREST), SDXCannotMade, SIDirect3DRMDevice2);
  Require(o.D3DRMDevice2->SetDither(TRUE), SDXCannotMade, SIDirect3DRMDevice2);
  if (dxDraw->Surface()->BitCount() == 8)
    Require(o.D3DRMDevice2->SetShades(8), SDXCannotMade, SIDirect3DRMDevice2);
  Require(o.D3DRM->SetDefaultTextureColors(64), SDXCannotInitialized, SDirect3DRetainedMode);
  Require(o.D3DRM->SetDefaultTextureShades(32), SDXCannotInitialized, SDirect3DRetainedMode);

  if (!o.Scene) {
    if (FAILED(o.D3DRM->CreateFrame(nullptr, o.Scene.ReleaseAndGetAddressOf())) || !o.Scene ||
        FAILED(o.D3DRM->CreateFrame(o.Scene.Get(), o.Camera.ReleaseAndGetAddressOf())) || !o.Camera) {
      o.Scene.Reset();
      o.Camera.Reset();
      throw EDXDrawError(SDXCannotMade, SIDirect3DRMFrame);
    }
    // A new frame stands at the origin already where the runtime cannot place it.
    const HRESULT placed = o.Camera->SetPosition(o.Camera.Get(), 0, 0, 0);
    if (FAILED(placed) && placed != E_NOTIMPL) {
      o.Scene.Reset();
      o.Camera.Reset();
      throw EDXDrawError(SDXCannotMade, SIDirect3DRMFrame);
    }
  }
  TDirectDrawSurface* back = dxDraw->Surface();
  if (!o.D3DRMDevice ||
      FAILED(o.D3DRM->CreateViewport(o.D3DRMDevice.Get(), o.Camera.Get(), 0, 0, static_cast<DWORD>(back->Width()),
                                     static_cast<DWORD>(back->Height()), o.Viewport.ReleaseAndGetAddressOf())) ||
      !o.Viewport)
    throw EDXDrawError(SDXCannotMade, SIDirect3DRMViewport);
  Require(o.Viewport->SetBack(kViewportBack), SDXCannotMade, SIDirect3DRMViewport);
}

TDXDraw3DFlags SetUp6(TCustomDXDraw* dxDraw, TDXDraw3DObjects& o, TDXDraw3DFlags request) {
  ClearOutputs(dxDraw, o);
  TDXDraw3DFlags result;
  try {
    if (FAILED(QueryTo(dxDraw->DDraw()->GetIDDraw(), IID_IDirect3D3, o.D3D3)))
      throw EDXDrawError(SDX3DDeviceNotFound);
    QueryTo(o.D3D3.Get(), IID_IDirect3D2, o.D3D2);
    QueryTo(o.D3D3.Get(), IID_IDirect3D, o.D3D);
    const int bitCount = dxDraw->Surface()->BitCount();
    IDirectDrawSurface4* back = dxDraw->Surface()->GetIDDSurface4();
    // A hardware device that cannot be made leaves the software devices to try.
    bool hardware = Direct3DHardwareWanted(dxDraw, request);
    for (int attempt = 0;; ++attempt) {
      const TDirect3DDeviceChoice choice = FindDirect3DDevice(o.D3D3.Get(), bitCount, hardware);
      result = PrepareDevice(dxDraw, o, request, choice, choice.desc.dwDeviceZBufferBitDepth);
      if (SUCCEEDED(o.D3D3->CreateDevice(choice.guid, back, o.D3DDevice3.ReleaseAndGetAddressOf(), nullptr)) &&
          o.D3DDevice3)
        break;
      if (attempt == 1) throw EDXDrawError(SDXCannotMade, SIDirect3DDevice3);
      hardware = false;
    }
    QueryTo(o.D3DDevice3.Get(), IID_IDirect3DDevice2, o.D3DDevice2);
    QueryTo(o.D3DDevice3.Get(), IID_IDirect3DDevice, o.D3DDevice);
    const DWORD z = result.Contains(d3dZBuffer) ? TRUE : FALSE;
    o.D3DDevice3->SetRenderState(D3DRENDERSTATE_DITHERENABLE, TRUE);
    o.D3DDevice3->SetRenderState(D3DRENDERSTATE_ZENABLE, z);
    o.D3DDevice3->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, z);
    if (request.Contains(d3dRetainedMode)) {
      SetUpRetainedMode(dxDraw, o);
      result.Include(d3dRetainedMode);
    }
  } catch (...) {
    ClearAll(dxDraw, o);
    throw;
  }
  return result;
}

TDXDraw3DFlags SetUp7(TCustomDXDraw* dxDraw, TDXDraw3DObjects& o, TDXDraw3DFlags request) {
  ClearOutputs(dxDraw, o);
  request.Exclude(d3dRetainedMode);
  TDXDraw3DFlags result;
  try {
    if (FAILED(QueryTo(dxDraw->DDraw()->GetIDDraw7(), IID_IDirect3D7, o.D3D7)))
      throw EDXDrawError(SDX3DDeviceNotFound);
    const int bitCount = dxDraw->Surface()->BitCount();
    IDirectDrawSurface7* back = dxDraw->Surface()->GetIDDSurface7();
    bool hardware = Direct3DHardwareWanted(dxDraw, request);
    for (int attempt = 0;; ++attempt) {
      const TDirect3DDeviceChoice choice = FindDirect3DDevice7(o.D3D7.Get(), bitCount, hardware);
      result = PrepareDevice(dxDraw, o, request, choice, choice.desc7.dwDeviceZBufferBitDepth);
      if (SUCCEEDED(o.D3D7->CreateDevice(choice.guid, back, o.D3DDevice7.ReleaseAndGetAddressOf())) && o.D3DDevice7)
        break;
      if (attempt == 1) throw EDXDrawError(SDXCannotMade, SIDirect3DDevice7);
      hardware = false;
    }
  } catch (...) {
    ClearAll(dxDraw, o);
    throw;
  }
  return result;
}

}  // namespace

TDXDraw3DFlags SetUpDirect3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects, TDXDraw3DFlags request,
                             bool directX7) {
  if (!objects) objects = new TDXDraw3DObjects();
  return directX7 ? SetUp7(dxDraw, *objects, request) : SetUp6(dxDraw, *objects, request);
}

void ReleaseDirect3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects) {
  if (!objects) return;
  ClearAll(dxDraw, *objects);
  delete objects;
  objects = nullptr;
}
