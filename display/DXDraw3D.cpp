// The forwarding from the display drivers to the installed Direct3D path.
#include "display/DXDraw3D.h"

#include "display/DXErrors.h"

namespace {
const TDXDraw3DPath* installedPath = nullptr;
// Raised by the device search when no device suits; with no path there is none.
constexpr const char S3DDeviceNotFound[] = "3D device not found";
}  // namespace

void SetDXDraw3DPath(const TDXDraw3DPath* path) { installedPath = path; }
const TDXDraw3DPath* DXDraw3DPath() { return installedPath; }

void SelectDXDraw3DDriver(TCustomDXDraw* dxDraw, TDXDraw3DFlags request) {
  if (installedPath && installedPath->SelectDriver) installedPath->SelectDriver(dxDraw, request);
}

TDXDraw3DFlags SetUpDXDraw3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects,
                             TDXDraw3DFlags request, bool directX7) {
  if (!installedPath || !installedPath->SetUp) throw EDXDrawError(S3DDeviceNotFound);
  return installedPath->SetUp(dxDraw, objects, request, directX7);
}

void ReleaseDXDraw3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects) {
  if (objects && installedPath && installedPath->Release) installedPath->Release(dxDraw, objects);
  objects = nullptr;
}
