// TDirectDraw: creation through the bound entry points, and the ordered release of
// everything made on it.
#include "display/DirectDraw.h"

#include "display/DXQuery.h"
#include "display/DirectDrawClipper.h"
#include "display/DirectDrawPalette.h"
#include "display/DirectDrawSurface.h"

#ifndef _WIN64
static_assert(sizeof(DDCAPS) == 380, "the capability block of the 32-bit target");
static_assert(sizeof(DDSURFACEDESC) == 108, "the surface description of the 32-bit target");
static_assert(sizeof(DDBLTFX) == 100, "the blit effects of the 32-bit target");
#endif

namespace {

bool entryPointsReplaced = false;
TDirectDrawEntryPoints replacedEntryPoints{};
TDirectDrawEntryPoints boundEntryPoints{};

}  // namespace

void SetDirectDrawEntryPoints(const TDirectDrawEntryPoints* entryPoints) {
  entryPointsReplaced = entryPoints != nullptr;
  if (entryPoints) replacedEntryPoints = *entryPoints;
}

TDirectDrawEntryPoints DirectDrawEntryPoints() {
  if (entryPointsReplaced) return replacedEntryPoints;
  if (!boundEntryPoints.Create) {
    TDirectDrawEntryPoints bound;
    bound.Create = LoadDirectXProcAs<decltype(bound.Create)>(SDDrawLibrary, "DirectDrawCreate");
    bound.CreateEx = LoadDirectXProcAs<decltype(bound.CreateEx)>(SDDrawLibrary, "DirectDrawCreateEx");
    boundEntryPoints = bound;
  }
  return boundEntryPoints;
}

TDirectDraw::TDirectDraw(GUID* driverGUID, bool directX7Mode) {
  const TDirectDrawEntryPoints entry = DirectDrawEntryPoints();
  if (directX7Mode) {
    HRESULT hr = entry.CreateEx(driverGUID, reinterpret_cast<LPVOID*>(iddraw7_.ReleaseAndGetAddressOf()),
                                IID_IDirectDraw7, nullptr);
    SetDXResult(hr);
    if (hr != DD_OK) throw EDirectDrawError(SDXCannotInitialized, SDirectDraw);
    if (FAILED(QueryTo(iddraw7_.Get(), IID_IDirectDraw, iddraw_)) ||
        FAILED(QueryTo(iddraw7_.Get(), IID_IDirectDraw4, iddraw4_)))
      throw EDirectDrawError(SDXSinceDirectX7);
  } else {
    HRESULT hr = entry.Create(driverGUID, iddraw_.ReleaseAndGetAddressOf(), nullptr);
    SetDXResult(hr);
    if (hr != DD_OK) throw EDirectDrawError(SDXCannotInitialized, SDirectDraw);
    if (FAILED(QueryTo(iddraw_.Get(), IID_IDirectDraw4, iddraw4_))) throw EDirectDrawError(SDXSinceDirectX6);
  }
  driverCaps_.dwSize = sizeof driverCaps_;
  helCaps_.dwSize = sizeof helCaps_;
  iddraw_->GetCaps(&driverCaps_, &helCaps_);  // a driver without caps still draws
}

TDirectDraw::~TDirectDraw() {
  while (!surfaces_.empty()) surfaces_.back()->Free();
  while (!palettes_.empty()) palettes_.back()->Free();
  while (!clippers_.empty()) clippers_.back()->Free();
}

IDirectDraw* TDirectDraw::GetIDDraw() const {
  if (!iddraw_) throw EDirectDrawError(SDXNotMade, SIDirectDraw);
  return iddraw_.Get();
}

IDirectDraw7* TDirectDraw::GetIDDraw7() const {
  if (!iddraw7_) throw EDirectDrawError(SDXNotMade, SIDirectDraw7);
  return iddraw7_.Get();
}
