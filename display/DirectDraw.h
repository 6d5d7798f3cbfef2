// TDirectDraw: one DirectDraw object with its capabilities, owning every palette,
// clipper and surface wrapper made on it. The wrappers are in DirectDrawPalette.h,
// DirectDrawClipper.h and DirectDrawSurface.h.
#pragma once

#include <windows.h>
#include <ddraw.h>
#include <wrl/client.h>

#include <vector>

#include "display/DXClass.h"

class TDirectDrawClipper;
class TDirectDrawPalette;
class TDirectDrawSurface;

// The two entry points through which TDirectDraw obtains its object. By default they
// are bound from "DDraw.dll" at first use. A test can put its own in front of them, to
// stand in for cases that the platform cannot produce; nil brings back the default.
struct TDirectDrawEntryPoints {
  HRESULT(WINAPI* Create)(GUID* guid, LPDIRECTDRAW* result, IUnknown* outer);
  HRESULT(WINAPI* CreateEx)(GUID* guid, LPVOID* result, REFIID iid, IUnknown* outer);
};
void SetDirectDrawEntryPoints(const TDirectDrawEntryPoints* entryPoints);
// The entry points in use (binding the default ones on first use).
TDirectDrawEntryPoints DirectDrawEntryPoints();

// DirectDraw's request for an object without hardware acceleration, passed in place
// of a driver identifier.
inline GUID* const DDCREATE_EMULATIONONLY_GUID = reinterpret_cast<GUID*>(static_cast<ULONG_PTR>(DDCREATE_EMULATIONONLY));

class TDirectDraw : public TDirectX {
public:
  // DriverGUID: nil for the primary display driver, a driver's identifier, or a
  // special value DirectDraw takes in its place. In DirectX 7 mode the object is made
  // as IDirectDraw7 and asked for the older interfaces; otherwise as IDirectDraw.
  // Raises EDirectDrawError when DirectDraw cannot make it or lacks an interface.
  TDirectDraw(GUID* driverGUID, bool directX7Mode);
  explicit TDirectDraw(GUID* driverGUID) : TDirectDraw(driverGUID, true) {}
  // Frees the surfaces, then the palettes, then the clippers still made on it.
  ~TDirectDraw() override;

  IDirectDraw* IDDraw() const { return iddraw_.Get(); }
  IDirectDraw4* IDDraw4() const { return iddraw4_.Get(); }
  IDirectDraw7* IDDraw7() const { return iddraw7_.Get(); }
  // The interfaces, raising EDirectDrawError "%s not made" when absent.
  IDirectDraw* GetIDDraw() const;
  IDirectDraw7* GetIDDraw7() const;
  // IDirectDraw4 of DDraw, nil also when DDraw itself is nil.
  static IDirectDraw4* GetIDDraw4(const TDirectDraw* ddraw) { return ddraw ? ddraw->IDDraw4() : nullptr; }

  const DDCAPS& DriverCaps() const { return driverCaps_; }
  const DDCAPS& HELCaps() const { return helCaps_; }

  const std::vector<TDirectDrawClipper*>& Clippers() const { return clippers_; }
  const std::vector<TDirectDrawPalette*>& Palettes() const { return palettes_; }
  const std::vector<TDirectDrawSurface*>& Surfaces() const { return surfaces_; }

private:
  friend class TDirectDrawClipper;
  friend class TDirectDrawPalette;
  friend class TDirectDrawSurface;
  template <class T>
  static void Remove(std::vector<T*>& list, T* item);

  Microsoft::WRL::ComPtr<IDirectDraw> iddraw_;
  Microsoft::WRL::ComPtr<IDirectDraw4> iddraw4_;
  Microsoft::WRL::ComPtr<IDirectDraw7> iddraw7_;
  DDCAPS driverCaps_{};
  DDCAPS helCaps_{};
  std::vector<TDirectDrawClipper*> clippers_;
  std::vector<TDirectDrawPalette*> palettes_;
  std::vector<TDirectDrawSurface*> surfaces_;
};

template <class T>
void TDirectDraw::Remove(std::vector<T*>& list, T* item) {
  for (auto it = list.end(); it != list.begin();) {
    --it;
    if (*it == item) {
      list.erase(it);
      return;
    }
  }
}
