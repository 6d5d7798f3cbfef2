// The forwarding from the display drivers to the Direct3D path in use: the one of this
// component (DXDraw3DPath.h) unless a test has put another in front of it.
#include "display/DXDraw3D.h"

#include "display/DXDraw3DPath.h"

namespace {
const TDXDraw3DPath* installedPath = nullptr;
const TDXDraw3DPath& PathInUse() { return installedPath ? *installedPath : Direct3DPath(); }
}  // namespace

const TDXDraw3DPath& Direct3DPath() {
  static const TDXDraw3DPath path{&SelectDirect3DDriver, &SetUpDirect3D, &ReleaseDirect3D};
  return path;
}

void SetDXDraw3DPath(const TDXDraw3DPath* path) { installedPath = path; }
const TDXDraw3DPath* DXDraw3DPath() { return &PathInUse(); }

void SelectDXDraw3DDriver(TCustomDXDraw* dxDraw, TDXDraw3DFlags request) {
  PathInUse().SelectDriver(dxDraw, request);
}

TDXDraw3DFlags SetUpDXDraw3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects,
                             TDXDraw3DFlags request, bool directX7) {
  return PathInUse().SetUp(dxDraw, objects, request, directX7);
}

void ReleaseDXDraw3D(TCustomDXDraw* dxDraw, TDXDraw3DObjects*& objects) {
  if (objects) PathInUse().Release(dxDraw, objects);
  objects = nullptr;
}
