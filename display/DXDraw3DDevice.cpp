// The Direct3D device search of both variants and the Z-buffer the device draws with.
// The set-ups that use them are in DXDraw3DSetUp.cpp.
#include <algorithm>
#include <cstring>

#include "display/DXDraw.h"
#include "display/DXDraw3DPath.h"
#include "display/DirectDrawSurface.h"

DWORD RenderBitDepthFlag(int bitCount) {
  switch (bitCount) {
    case 1: return DDBD_1;
    case 2: return DDBD_2;
    case 4: return DDBD_4;
    case 8: return DDBD_8;
    case 16: return DDBD_16;
    case 24: return DDBD_24;
    case 32: return DDBD_32;
    default: return 0;
  }
}

// The Z-buffer's description starts from the back surface's own, of DirectDraw's size.
static_assert(sizeof(void*) != 4 || sizeof(DDSURFACEDESC) == 108, "DDSURFACEDESC of the 32-bit target");

namespace {

struct SearchContext {
  DWORD depthFlag;
  bool hardwareWanted;
  TDirect3DDeviceChoice choice;
};

bool SkippedDevice(const GUID* guid) {
  return !guid || IsEqualGUID(*guid, IID_IDirect3DRefDevice) || IsEqualGUID(*guid, IID_IDirect3DNullDevice);
}

// A runtime may hand over an older, shorter description: only what it holds is copied.
D3DDEVICEDESC CopyDescription(const D3DDEVICEDESC* from) {
  D3DDEVICEDESC to{};
  if (from) std::memcpy(&to, from, std::min<size_t>(from->dwSize ? from->dwSize : sizeof to, sizeof to));
  return to;
}

// Whether a device is taken: every hardware device that suits, and a software one only
// while no hardware device has been taken.
bool Consider(SearchContext& c, const GUID& guid, const char* name, bool hardware, DWORD renderDepths) {
  if (hardware && !c.hardwareWanted) return false;
  if (!(renderDepths & c.depthFlag)) return false;
  if (!hardware && c.choice.found && c.choice.hardware) return false;
  c.choice.found = true;
  c.choice.hardware = hardware;
  c.choice.guid = guid;
  c.choice.name = name ? name : "";
  return true;
}

HRESULT CALLBACK EnumDevice(GUID* guid, LPSTR, LPSTR name, LPD3DDEVICEDESC hw, LPD3DDEVICEDESC hel,
                            LPVOID context) {
  auto* c = static_cast<SearchContext*>(context);
  if (SkippedDevice(guid) || !hw || !hel) return D3DENUMRET_OK;
  const bool hardware = hw->dcmColorModel != 0;
  const D3DDEVICEDESC desc = CopyDescription(hardware ? hw : hel);
  if (desc.dcmColorModel != D3DCOLOR_RGB) return D3DENUMRET_OK;
  try {
    if (Consider(*c, *guid, name, hardware, desc.dwDeviceRenderBitDepth)) c->choice.desc = desc;
  } catch (...) {
    return D3DENUMRET_CANCEL;  // nothing may unwind through Direct3D's frames
  }
  return D3DENUMRET_OK;
}

HRESULT CALLBACK EnumDevice7(LPSTR, LPSTR name, LPD3DDEVICEDESC7 desc, LPVOID context) {
  auto* c = static_cast<SearchContext*>(context);
  if (!desc || SkippedDevice(&desc->deviceGUID)) return D3DENUMRET_OK;
  const bool hardware = (desc->dwDevCaps & D3DDEVCAPS_HWRASTERIZATION) != 0;
  try {
    if (Consider(*c, desc->deviceGUID, name, hardware, desc->dwDeviceRenderBitDepth)) c->choice.desc7 = *desc;
  } catch (...) {
    return D3DENUMRET_CANCEL;
  }
  return D3DENUMRET_OK;
}

}  // namespace

TDirect3DDeviceChoice FindDirect3DDevice(IDirect3D3* d3d, int bitCount, bool hardwareWanted) {
  SearchContext c{RenderBitDepthFlag(bitCount), hardwareWanted, {}};
  if (d3d && c.depthFlag) d3d->EnumDevices(&EnumDevice, &c);  // the search's outcome is the choice
  return c.choice;
}

TDirect3DDeviceChoice FindDirect3DDevice7(IDirect3D7* d3d, int bitCount, bool hardwareWanted) {
  SearchContext c{RenderBitDepthFlag(bitCount), hardwareWanted, {}};
  if (d3d && c.depthFlag) d3d->EnumDevices(&EnumDevice7, &c);
  return c.choice;
}

bool Direct3DHardwareWanted(TCustomDXDraw* dxDraw, TDXDraw3DFlags request) {
  const DDCAPS& caps = dxDraw->DDraw()->DriverCaps();
  return (dxDraw->Surface()->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY) &&
         request.Contains(d3dHardware) && (caps.dwCaps & DDCAPS_3D) && (caps.ddsCaps.dwCaps & DDSCAPS_TEXTURE);
}

int ZBufferDepth(DWORD depthFlags) {
  if (depthFlags & DDBD_16) return 16;
  if (depthFlags & DDBD_24) return 24;
  if (depthFlags & DDBD_32) return 32;
  return 0;
}

void ReleaseZBuffer(TCustomDXDraw* dxDraw, TDXDraw3DObjects& objects) {
  if (!objects.ZBuffer) return;
  IDirectDrawSurface* back = IDDSurfaceOf(dxDraw->Surface());
  IDirectDrawSurface* z = objects.ZBuffer->IDDSurface();
  // After a re-creation of the back surface the Z-buffer hangs on the old one, which
  // takes it along: detaching from the new one then has nothing to do.
  if (back && z) dxDraw->Surface()->SetDXResult(back->DeleteAttachedSurface(0, z));
  FreeAndNil(objects.ZBuffer);
}

bool CreateZBuffer(TCustomDXDraw* dxDraw, TDXDraw3DObjects& objects, DWORD depthFlags, bool hardware) {
  ReleaseZBuffer(dxDraw, objects);
  const int depth = ZBufferDepth(depthFlags);
  if (!depth) return false;
  TDirectDrawSurface* back = dxDraw->Surface();
  DDSURFACEDESC desc = back->SurfaceDesc();
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_ZBUFFERBITDEPTH;
  desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | (hardware ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
  desc.dwWidth = static_cast<DWORD>(back->Width());
  desc.dwHeight = static_cast<DWORD>(back->Height());
  desc.dwZBufferBitDepth = static_cast<DWORD>(depth);
  auto* z = new TDirectDrawSurface(dxDraw->DDraw());
  bool attached = z->CreateSurface(desc);
  if (attached) {
    back->SetDXResult(back->GetIDDSurface()->AddAttachedSurface(z->IDDSurface()));
    attached = back->DXResult() == DD_OK;
  }
  if (!attached) {
    z->Free();
    return false;
  }
  objects.ZBuffer = z;
  return true;
}
