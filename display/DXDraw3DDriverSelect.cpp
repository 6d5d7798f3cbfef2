// The Direct3D driver selection, run before the control's DirectDraw object exists: the
// DirectDraw driver with a hardware 3D device for the display's bit depth (or, when
// the bit depth may change, for 16, 24 or 32 bits), and the bit depth that device
// needs. The weights of the comparison between drivers are explained in direct3d.md.
#include <bitset>

#include "display/DXDraw.h"
#include "display/DXDraw3DPath.h"
#include "display/DXQuery.h"
#include "display/DirectDraw.h"

namespace {

// A driver as the selection sees it: its last qualifying hardware device, if any.
struct DriverCandidate {
  bool found = false;
  GUID* guid = nullptr;  // as the driver list or the control holds it
  DWORD videoMemory = 0;
  DWORD renderDepths = 0;
  TDirect3DDriverCaps caps;
};

struct EnumContext {
  DWORD wantedDepths;
  DriverCandidate* candidate;
};

HRESULT CALLBACK EnumHardwareDevice(GUID*, LPSTR, LPSTR, LPD3DDEVICEDESC hw, LPD3DDEVICEDESC, LPVOID context) {
  auto* c = static_cast<EnumContext*>(context);
  if (!hw || hw->dcmColorModel == 0 || !(hw->dwDeviceRenderBitDepth & c->wantedDepths)) return D3DENUMRET_OK;
  c->candidate->found = true;
  c->candidate->renderDepths = hw->dwDeviceRenderBitDepth;
  c->candidate->caps.lineCaps = hw->dpcLineCaps;
  return D3DENUMRET_OK;
}

// A driver whose DirectDraw object cannot be made, or that lacks 3D or textures, has
// nothing to offer.
DriverCandidate Examine(GUID* guid, DWORD wantedDepths) {
  DriverCandidate c;
  c.guid = guid;
  TDirectDraw* ddraw = nullptr;
  try {
    ddraw = new TDirectDraw(guid, false);
  } catch (const EDirectXError&) {
    return c;
  }
  const DDCAPS& caps = ddraw->DriverCaps();
  if ((caps.dwCaps & DDCAPS_3D) && (caps.ddsCaps.dwCaps & DDSCAPS_TEXTURE)) {
    Microsoft::WRL::ComPtr<IDirect3D> d3d;
    if (SUCCEEDED(QueryTo(ddraw->IDDraw(), IID_IDirect3D, d3d))) {
      EnumContext context{wantedDepths, &c};
      d3d->EnumDevices(&EnumHardwareDevice, &context);  // the outcome is in the candidate
    }
    c.videoMemory = caps.dwVidMemTotal;
    c.caps.surfaceCaps = caps.ddsCaps.dwCaps;
  }
  ddraw->Free();
  return c;
}

int Compare(DWORD chosen, DWORD candidate) {
  const size_t a = std::bitset<32>(chosen).count(), b = std::bitset<32>(candidate).count();
  return (b > a) - (b < a);
}

}  // namespace

int Direct3DCapabilityScore(const TDirect3DDriverCaps& chosen, const TDirect3DDriverCaps& candidate) {
  int score = 0;
  for (DWORD feature : {DWORD{DDSCAPS_TEXTURE}, DWORD{DDSCAPS_ZBUFFER}, DWORD{DDSCAPS_MIPMAP}})
    score += 4 * Compare(chosen.surfaceCaps & feature, candidate.surfaceCaps & feature);
  const D3DPRIMCAPS& a = chosen.lineCaps;
  const D3DPRIMCAPS& b = candidate.lineCaps;
  score += Compare(a.dwMiscCaps, b.dwMiscCaps) + Compare(a.dwRasterCaps, b.dwRasterCaps) +
           Compare(a.dwAlphaCmpCaps, b.dwAlphaCmpCaps) + Compare(a.dwSrcBlendCaps, b.dwSrcBlendCaps) +
           Compare(a.dwDestBlendCaps, b.dwDestBlendCaps) + Compare(a.dwShadeCaps, b.dwShadeCaps) +
           Compare(a.dwTextureCaps, b.dwTextureCaps) + Compare(a.dwTextureFilterCaps, b.dwTextureFilterCaps) +
           Compare(a.dwTextureBlendCaps, b.dwTextureBlendCaps) +
           Compare(a.dwTextureAddressCaps, b.dwTextureAddressCaps);
  return score;
}

void SelectDirect3DDriver(TCustomDXDraw* dxDraw, TDXDraw3DFlags request) {
  TDXDrawDisplay* display = dxDraw->Display();
  const DWORD displayDepth = RenderBitDepthFlag(display->BitCount());
  const bool anyBitCount = request.Contains(d3dAnyBitCount);
  const DWORD wantedDepths = displayDepth | (anyBitCount ? DWORD{DDBD_16 | DDBD_24 | DDBD_32} : 0);

  DriverCandidate chosen;
  if (request.Contains(d3dChooseDriver)) {
    TDirectXDrivers* drivers = TCustomDXDraw::Drivers();
    for (int i = 0; i < drivers->Count(); ++i) {
      const DriverCandidate c = Examine(drivers->Items(i)->GUID(), wantedDepths);
      if (!c.found) continue;
      if (!chosen.found ||
          (c.videoMemory >= chosen.videoMemory && Direct3DCapabilityScore(chosen.caps, c.caps) >= 0))
        chosen = c;
    }
    if (chosen.found) dxDraw->SetDriver(chosen.guid);
  } else {
    chosen = Examine(dxDraw->DriverGUID(), wantedDepths);
  }

  if (anyBitCount && chosen.found && !(chosen.renderDepths & displayDepth)) {
    if (chosen.renderDepths & DDBD_16)
      display->SetBitCount(16);
    else if (chosen.renderDepths & DDBD_24)
      display->SetBitCount(24);
    else if (chosen.renderDepths & DDBD_32)
      display->SetBitCount(32);
  }
}
