// What the Direct3D path leaves on a display control: the Z-buffer, the Direct3D and
// retained-mode interfaces of either variant and the chosen device. Built by the set-up
// (DXDraw3DSetUp.cpp), released by the control's finalisation.
#pragma once

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>
#include <d3drm.h>
#include <wrl/client.h>

#include <string>

class TDirectDrawSurface;

struct TDXDraw3DObjects {
  template <class T>
  using Ptr = Microsoft::WRL::ComPtr<T>;

  // Attached to the back surface; made on the control's DirectDraw object.
  TDirectDrawSurface* ZBuffer = nullptr;

  // DirectX 6 variant.
  Ptr<IDirect3D> D3D;
  Ptr<IDirect3D2> D3D2;
  Ptr<IDirect3D3> D3D3;
  Ptr<IDirect3DDevice> D3DDevice;
  Ptr<IDirect3DDevice2> D3DDevice2;
  Ptr<IDirect3DDevice3> D3DDevice3;
  // Retained mode. The object, the scene and the camera outlive a surface's
  // re-creation; the device and the viewport are made anew on every set-up.
  Ptr<IDirect3DRM> D3DRM;
  Ptr<IDirect3DRM2> D3DRM2;
  Ptr<IDirect3DRM3> D3DRM3;
  Ptr<IDirect3DRMDevice> D3DRMDevice;
  Ptr<IDirect3DRMDevice2> D3DRMDevice2;
  Ptr<IDirect3DRMFrame> Scene;
  Ptr<IDirect3DRMFrame> Camera;
  Ptr<IDirect3DRMViewport> Viewport;

  // DirectX 7 variant.
  Ptr<IDirect3D7> D3D7;
  Ptr<IDirect3DDevice7> D3DDevice7;

  // The device the last search chose.
  std::string DeviceName;
  GUID DeviceGUID{};
  D3DDEVICEDESC DeviceDesc{};
  D3DDEVICEDESC7 DeviceDesc7{};
};
