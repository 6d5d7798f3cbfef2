// A stand-in DirectDraw for the cases Wine does not produce: video memory running
// out, lost surfaces, and display-mode lists and switch results of the test's choice.
// It sits in front of the real DirectDraw behind the same COM interfaces, and passes
// everything else through. Tests install it through the wrappers' entry-point seam.
// Its Direct3D queries go to the stand-in Direct3D (FakeDirect3D.h) while that is
// installed.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <vector>

struct FakeDisplayMode {
  int width, height, bitCount;
  bool operator==(const FakeDisplayMode& o) const {
    return width == o.width && height == o.height && bitCount == o.bitCount;
  }
};

struct FakeDirectDrawSettings {
  // Surfaces asked for without DDSCAPS_SYSTEMMEMORY (other than the primary) fail with
  // DDERR_OUTOFVIDEOMEMORY.
  bool videoMemoryFull = false;
  // Restore of a lost surface fails with DDERR_WRONGMODE, and it stays lost.
  bool restoreFails = false;
  // With replaceModes, EnumDisplayModes reports Modes in this order, and SetDisplayMode
  // accepts exactly the listed modes not in RefusedModes, without touching the screen.
  bool replaceModes = false;
  std::vector<FakeDisplayMode> modes;
  std::vector<FakeDisplayMode> refusedModes;
  // DirectDrawCreate and DirectDrawCreateEx fail with this result when it is not DD_OK.
  HRESULT createResult = DD_OK;
  // The object has no IDirectDraw4 (DirectDraw before version 6).
  bool refuseDirectDraw4 = false;
  // EnumDisplayModes fails with this result (and reports nothing) when it is not DD_OK.
  HRESULT enumerationResult = DD_OK;
  // Off-screen surfaces asked for without a pixel format get 16 bits (5-6-5) instead of
  // the display's format: a 16-bit back surface on a true-colour display.
  bool offscreen16Bit = false;
};

class FakeDirectDraw {
public:
  // Puts the stand-in in front of DirectDraw with fresh settings and records.
  static void Install();
  // Brings back the real entry points.
  static void Uninstall();
  static FakeDirectDrawSettings& Settings();

  // The capabilities asked for by every CreateSurface, in order.
  static std::vector<DWORD>& CreateRequests();
  // Every SetDisplayMode call, in order.
  static std::vector<FakeDisplayMode>& ModeSwitches();

  // Every surface of the stand-in reports DDERR_SURFACELOST until restored.
  static void LoseAllSurfaces();
  static void LoseSurface(IDirectDrawSurface* surface);
  static bool IsFakeSurface(IDirectDrawSurface* surface);
  // The number of the stand-in's surfaces that are still alive.
  static int LiveSurfaces();
  // The number of the stand-in's DirectDraw objects that are still alive.
  static int LiveDirectDraws();
};

// Installs the stand-in for one scope.
class FakeDirectDrawScope {
public:
  FakeDirectDrawScope() { FakeDirectDraw::Install(); }
  ~FakeDirectDrawScope() { FakeDirectDraw::Uninstall(); }
  FakeDirectDrawScope(const FakeDirectDrawScope&) = delete;
  FakeDirectDrawScope& operator=(const FakeDirectDrawScope&) = delete;
};
