// The Direct3D path as the display drivers reach it (DXDraw3D.h): the driver selection
// before DirectDraw exists (DXDraw3DDriverSelect.cpp), the device search and the
// Z-buffer (DXDraw3DDevice.cpp), and the set-up of either variant with its release
// (DXDraw3DSetUp.cpp).
#pragma once

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>

#include <string>

#include "display/DXDraw3D.h"
#include "display/DXDraw3DObjects.h"

// The path the drivers use while no other is installed.
const TDXDraw3DPath& Direct3DPath();

void SelectDirect3DDriver(TCustomDXDraw* dxDraw, TDXDraw3DFlags request);
TDXDraw3DFlags SetUpDirect3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects, TDXDraw3DFlags request,
                             bool directX7);
void ReleaseDirect3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects);

// DirectDraw's bit-depth flag (DDBD_1 ... DDBD_32) of a bit count; 0 for any other
// count, which no device renders at.
DWORD RenderBitDepthFlag(int bitCount);

// The device a search chose, with the description that holds its capabilities.
struct TDirect3DDeviceChoice {
  bool found = false;
  bool hardware = false;
  GUID guid{};
  std::string name;
  D3DDEVICEDESC desc{};    // DirectX 6: the hardware or the emulation description
  D3DDEVICEDESC7 desc7{};  // DirectX 7
};

// The last suitable hardware device, else the last suitable software device, that
// renders at BitCount; the reference rasteriser and the null device never count, nor a
// hardware device when HardwareWanted is false. DirectX 6 devices must use the RGB
// colour model.
TDirect3DDeviceChoice FindDirect3DDevice(IDirect3D3* d3d, int bitCount, bool hardwareWanted);
TDirect3DDeviceChoice FindDirect3DDevice7(IDirect3D7* d3d, int bitCount, bool hardwareWanted);

// A hardware device is worth looking for only on a video-memory back surface of a
// driver that reports 3D and textures.
bool Direct3DHardwareWanted(TCustomDXDraw* dxDraw, TDXDraw3DFlags request);

// The Z-buffer depth for a device's Z-buffer depth flags: 16, else 24, else 32; 0 for none.
int ZBufferDepth(DWORD depthFlags);
// Replaces Objects' Z-buffer by a new one attached to the back surface; false (and no
// Z-buffer) when the device has no depth or the surface cannot be made or attached.
bool CreateZBuffer(TCustomDXDraw* dxDraw, TDXDraw3DObjects& objects, DWORD depthFlags, bool hardware);
// Detaches the Z-buffer from the back surface and frees it.
void ReleaseZBuffer(TCustomDXDraw* dxDraw, TDXDraw3DObjects& objects);

// What the driver selection compares between two drivers that both have a suitable
// hardware device: their surface capabilities and the line-primitive capabilities of
// that device's hardware description.
struct TDirect3DDriverCaps {
  DWORD surfaceCaps = 0;
  D3DPRIMCAPS lineCaps{};
};
// Positive when Candidate is the better driver, negative when Chosen is; see
// direct3d.md for the weights.
int Direct3DCapabilityScore(const TDirect3DDriverCaps& chosen, const TDirect3DDriverCaps& candidate);
