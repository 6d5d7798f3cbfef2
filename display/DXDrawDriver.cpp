// What both display drivers share: the DirectDraw object's creation for the control's
// options, the release of everything a driver built, the restore of both surfaces and
// the Direct3D set-up point. The window driver is in DXDrawDriverBlt.cpp, the
// full-screen one in DXDrawDriverFlip.cpp.
#include "display/DXDrawDriver.h"

#include "display/DXDraw.h"
#include "display/DXDraw3D.h"
#include "display/DXDrawDisplay.h"
#include "display/DirectDraw.h"
#include "display/DirectDrawClipper.h"
#include "display/DirectDrawPalette.h"
#include "display/DirectDrawSurface.h"

TDXDrawDriver::TDXDrawDriver(TCustomDXDraw* dxDraw) : dxDraw_(dxDraw) {
  const TDXDrawOptions options = dxDraw->Options();
  // A chosen driver serves only full screen with hardware and a video-memory back
  // surface; a window always runs on the primary display driver.
  const bool chosenDriver = options.Contains(doFullScreen) && options.Contains(doHardware) &&
                            !options.Contains(doSystemMemory);
  if (chosenDriver && options.Contains(do3D)) {
    TDXDraw3DFlags request;
    if (options.Contains(doSelectDriver)) request.Include(d3dChooseDriver);
    if (!dxDraw->Display()->FixedBitCount()) request.Include(d3dAnyBitCount);
    request.Include(d3dHardware);
    if (options.Contains(doRetainedMode)) request.Include(d3dRetainedMode);
    if (options.Contains(doZBuffer)) request.Include(d3dZBuffer);
    SelectDXDraw3DDriver(dxDraw, request);
  }
  GUID* guid = nullptr;
  if (options.Contains(doEmulationOnly))
    guid = DDCREATE_EMULATIONONLY_GUID;
  else if (chosenDriver)
    guid = dxDraw->DriverGUID();
  dxDraw->ddraw_ = new TDirectDraw(guid, options.Contains(doDirectX7Mode));
}

TDXDrawDriver::~TDXDrawDriver() {
  Finalize();
  FreeAndNil(dxDraw_->ddraw_);
}

void TDXDrawDriver::Finalize() {
  ReleaseDXDraw3D(dxDraw_, dxDraw_->direct3D_);
  FreeAndNil(dxDraw_->clipper_);
  FreeAndNil(dxDraw_->palette_);
  FreeAndNil(dxDraw_->surface_);
  FreeAndNil(dxDraw_->primary_);
}

bool TDXDrawDriver::SetSize(int, int) { return false; }

bool TDXDrawDriver::Restore() {
  TDirectDrawSurface* primary = dxDraw_->primary_;
  TDirectDrawSurface* surface = dxDraw_->surface_;
  return primary && primary->Restore() && surface && surface->Restore();
}

void TDXDrawDriver::SetUpDirect3D() {
  const TDXDrawOptions options = dxDraw_->Options();
  TDXDraw3DFlags request;
  if (options.Contains(doHardware)) request.Include(d3dHardware);
  if (dxDraw_->NowOptions().Contains(doRetainedMode)) request.Include(d3dRetainedMode);
  if (options.Contains(doSelectDriver)) request.Include(d3dChooseDriver);
  if (options.Contains(doZBuffer)) request.Include(d3dZBuffer);
  const TDXDraw3DFlags result =
      SetUpDXDraw3D(dxDraw_, dxDraw_->direct3D_, request, options.Contains(doDirectX7Mode));
  TDXDrawOptions now = dxDraw_->NowOptions();
  now -= TDXDrawOptions{doRetainedMode, doHardware, doSelectDriver, doZBuffer};
  if (result.Contains(d3dHardware)) now.Include(doHardware);
  if (result.Contains(d3dRetainedMode)) now.Include(doRetainedMode);
  if (result.Contains(d3dZBuffer)) now.Include(doZBuffer);
  dxDraw_->SetNowOptions(now);
}
