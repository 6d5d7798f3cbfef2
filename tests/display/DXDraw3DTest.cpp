// The display control's Direct3D path on Wine's real Direct3D, in a window: the device
// on the back surface with its Z-buffer, retained mode and its reuse, the DirectX 7
// variant, the release at finalisation, and the driver selection with its bit depth.
// In a window Wine's DirectX 6 interfaces list only their hardware device, so every
// control here asks for hardware.
#include <gtest/gtest.h>

#include <wrl/client.h>

#include <string>
#include <vector>

#include "tests/display/DXDraw3DTestSupport.h"
#include "tests/display/Direct3DRequired.h"
#include "display/DXDraw3D.h"
#include "display/DXDraw3DPath.h"
#include "display/DXErrors.h"

using Microsoft::WRL::ComPtr;

namespace {

::testing::Environment* const direct3DRequired = ::testing::AddGlobalTestEnvironment(new TDirect3DRequired);

// The surface attached to Back with these capabilities, nil when there is none.
ComPtr<IDirectDrawSurface> Attached(TDirectDrawSurface* back, DWORD caps) {
  DDSCAPS c{};
  c.dwCaps = caps;
  ComPtr<IDirectDrawSurface> s;
  if (back->IDDSurface()->GetAttachedSurface(&c, s.GetAddressOf()) != DD_OK) s.Reset();
  return s;
}

// The placement of a retained-mode viewport, as its Direct3D viewport holds it (Wine's
// retained mode does not answer it itself).
D3DVIEWPORT Placement(const ComPtr<IDirect3DRMViewport>& v) {
  D3DVIEWPORT placement{};
  placement.dwSize = sizeof placement;
  ComPtr<IDirect3DViewport> d3dViewport;
  EXPECT_EQ(v->GetDirect3DViewport(d3dViewport.GetAddressOf()), D3DRM_OK);
  if (d3dViewport) {
    EXPECT_EQ(d3dViewport->GetViewport(&placement), D3D_OK);
  }
  return placement;
}

DWORD RenderState(IDirect3DDevice3* device, D3DRENDERSTATETYPE state) {
  DWORD value = 0xBAD;
  EXPECT_EQ(device->GetRenderState(state, &value), D3D_OK);
  return value;
}

TEST(TDXDraw3DOnWine, DirectX6DeviceDrawsOnTheBackSurfaceWithAZBuffer) {
  FormPtr form = ShownForm(Setup3D({doCenter, do3D, doHardware, doZBuffer}));
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  const TDXDraw3DObjects* o = d->Direct3D();
  ASSERT_NE(o, nullptr);
  EXPECT_FALSE(o->DeviceName.empty());
  EXPECT_TRUE(o->D3D && o->D3D2 && o->D3D3);
  ASSERT_TRUE(o->D3DDevice && o->D3DDevice2 && o->D3DDevice3);
  EXPECT_FALSE(o->D3D7 || o->D3DDevice7 || o->D3DRM);

  ComPtr<IDirectDrawSurface4> target;
  ASSERT_EQ(o->D3DDevice3->GetRenderTarget(target.GetAddressOf()), D3D_OK);
  EXPECT_EQ(target.Get(), d->Surface()->IDDSurface4());

  // Wine's hardware device offers 16- and 24-bit depths: the smaller is taken.
  ASSERT_NE(o->ZBuffer, nullptr);
  EXPECT_EQ(Attached(d->Surface(), DDSCAPS_ZBUFFER).Get(), o->ZBuffer->IDDSurface());
  EXPECT_EQ(o->ZBuffer->BitCount(), 16);
  EXPECT_EQ(o->ZBuffer->Width(), 320);
  EXPECT_EQ(o->ZBuffer->Height(), 192);
  EXPECT_EQ(RenderState(o->D3DDevice3.Get(), D3DRENDERSTATE_ZENABLE), DWORD{TRUE});
  EXPECT_EQ(RenderState(o->D3DDevice3.Get(), D3DRENDERSTATE_ZWRITEENABLE), DWORD{TRUE});
  EXPECT_EQ(RenderState(o->D3DDevice3.Get(), D3DRENDERSTATE_DITHERENABLE), DWORD{TRUE});

  // Wine's OpenGL renderer has a hardware device on a video-memory back surface.
  EXPECT_TRUE(d->Surface()->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY);
  EXPECT_TRUE(d->NowOptions().Contains(doHardware));
  EXPECT_TRUE(d->NowOptions().Contains(doZBuffer));
  EXPECT_FALSE(d->NowOptions().Contains(doRetainedMode));
}

TEST(TDXDraw3DOnWine, WithoutAZBufferRequestDepthTestingStaysOff) {
  FormPtr form = ShownForm(Setup3D({doCenter, do3D, doHardware}));
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  const TDXDraw3DObjects* o = d->Direct3D();
  ASSERT_TRUE(o && o->D3DDevice3);
  EXPECT_EQ(o->ZBuffer, nullptr);
  EXPECT_EQ(Attached(d->Surface(), DDSCAPS_ZBUFFER).Get(), nullptr);
  EXPECT_EQ(RenderState(o->D3DDevice3.Get(), D3DRENDERSTATE_ZENABLE), DWORD{FALSE});
  EXPECT_EQ(RenderState(o->D3DDevice3.Get(), D3DRENDERSTATE_ZWRITEENABLE), DWORD{FALSE});
  EXPECT_EQ(RenderState(o->D3DDevice3.Get(), D3DRENDERSTATE_DITHERENABLE), DWORD{TRUE});
  EXPECT_FALSE(d->NowOptions().Contains(doZBuffer));
}

TEST(TDXDraw3DOnWine, RetainedModeBuildsDeviceSceneCameraAndViewport) {
  FormPtr form = ShownForm(Setup3D({doCenter, do3D, doHardware, doZBuffer, doRetainedMode}));
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  const TDXDraw3DObjects* o = d->Direct3D();
  ASSERT_NE(o, nullptr);
  EXPECT_TRUE(d->NowOptions().Contains(doRetainedMode));
  EXPECT_TRUE(o->D3DRM && o->D3DRM2 && o->D3DRM3);
  ASSERT_TRUE(o->D3DRMDevice && o->D3DRMDevice2 && o->Scene && o->Camera && o->Viewport);
  EXPECT_NE(GetModuleHandleA("d3drm.dll"), nullptr);

  EXPECT_EQ(o->D3DRMDevice2->GetQuality(), D3DRMRENDERQUALITY{0x89});
  EXPECT_TRUE(o->D3DRMDevice2->GetDither());
  ComPtr<IDirect3DDevice2> underneath;
  ASSERT_EQ(o->D3DRMDevice2->GetDirect3DDevice2(underneath.GetAddressOf()), D3DRM_OK);
  EXPECT_EQ(underneath.Get(), o->D3DDevice2.Get());

  ComPtr<IDirect3DRMFrame> parent;
  ASSERT_EQ(o->Camera->GetParent(parent.GetAddressOf()), D3DRM_OK);
  EXPECT_EQ(parent.Get(), o->Scene.Get());
  ComPtr<IDirect3DRMFrame> sceneParent;
  o->Scene->GetParent(sceneParent.GetAddressOf());
  EXPECT_EQ(sceneParent.Get(), nullptr);

  ComPtr<IDirect3DRMFrame> viewCamera;
  ASSERT_EQ(o->Viewport->GetCamera(viewCamera.GetAddressOf()), D3DRM_OK);
  EXPECT_EQ(viewCamera.Get(), o->Camera.Get());
  EXPECT_EQ(o->Viewport->GetBack(), 5000.0f);
  const D3DVIEWPORT placement = Placement(o->Viewport);
  EXPECT_EQ(placement.dwX, 0u);
  EXPECT_EQ(placement.dwY, 0u);
  EXPECT_EQ(placement.dwWidth, 320u);
  EXPECT_EQ(placement.dwHeight, 192u);
}

TEST(TDXDraw3DOnWine, ASecondSetUpReusesRetainedModeSceneAndCamera) {
  FormPtr form = ShownForm(Setup3D({doCenter, do3D, doHardware, doRetainedMode}));
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  const TDXDraw3DObjects* o = d->Direct3D();
  ASSERT_TRUE(o && o->Viewport);
  // Wine makes one Direct3D device per DirectDraw object, so the first set-up's device
  // and what holds it must go: they are marked instead of held.
  const ComPtr<IDirect3DRM> rm = o->D3DRM;
  ASSERT_EQ(o->Scene->SetAppData(1), D3DRM_OK);
  ASSERT_EQ(o->Camera->SetAppData(2), D3DRM_OK);
  ASSERT_EQ(o->D3DRMDevice2->SetAppData(3), D3DRM_OK);
  ASSERT_EQ(o->Viewport->SetAppData(4), D3DRM_OK);

  d->SetSize(200, 100);
  ASSERT_TRUE(d->Initialized());
  ASSERT_EQ(d->Direct3D(), o);
  EXPECT_EQ(o->D3DRM.Get(), rm.Get());
  ASSERT_TRUE(o->Scene && o->Camera && o->D3DRMDevice2 && o->Viewport && o->D3DDevice3);
  EXPECT_EQ(o->Scene->GetAppData(), 1u);
  EXPECT_EQ(o->Camera->GetAppData(), 2u);
  EXPECT_EQ(o->D3DRMDevice2->GetAppData(), 0u);
  EXPECT_EQ(o->Viewport->GetAppData(), 0u);
  const D3DVIEWPORT placement = Placement(o->Viewport);
  EXPECT_EQ(placement.dwWidth, 200u);
  EXPECT_EQ(placement.dwHeight, 100u);
  EXPECT_EQ(o->Viewport->GetBack(), 5000.0f);
}

TEST(TDXDraw3DOnWine, DirectX7VariantBuildsTheDeviceOnlyAndIgnoresRetainedMode) {
  FormPtr form = ShownForm(Setup3D({doCenter, do3D, doDirectX7Mode, doHardware, doZBuffer, doRetainedMode}));
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  const TDXDraw3DObjects* o = d->Direct3D();
  ASSERT_NE(o, nullptr);
  ASSERT_TRUE(o->D3D7 && o->D3DDevice7);
  EXPECT_FALSE(o->D3D || o->D3D2 || o->D3D3 || o->D3DDevice3 || o->D3DRM || o->D3DRMDevice2 || o->Viewport);
  ComPtr<IDirectDrawSurface7> target;
  ASSERT_EQ(o->D3DDevice7->GetRenderTarget(target.GetAddressOf()), D3D_OK);
  EXPECT_EQ(target.Get(), d->Surface()->IDDSurface7());
  ASSERT_NE(o->ZBuffer, nullptr);
  EXPECT_EQ(Attached(d->Surface(), DDSCAPS_ZBUFFER).Get(), o->ZBuffer->IDDSurface());
  EXPECT_TRUE(d->NowOptions().Contains(doZBuffer));
  EXPECT_TRUE(d->NowOptions().Contains(doHardware));
  EXPECT_FALSE(d->NowOptions().Contains(doRetainedMode));
}

// Holds one more reference to each object than the control does. Every Direct3D and
// retained-mode object keeps its DirectDraw or its retained-mode object alive; so when,
// after the control's finalisation, these references are dropped and those two roots
// are freed by the last of them, nothing the set-up built is left.
struct HeldObjects {
  std::vector<ComPtr<IUnknown>> others;
  std::vector<std::pair<std::string, ComPtr<IUnknown>>> roots;
  template <class T>
  void Hold(const ComPtr<T>& p) {
    if (p) others.emplace_back(p.Get());
  }
  template <class T>
  void HoldRoot(const char* name, const ComPtr<T>& p) {
    if (p) roots.emplace_back(name, p.Get());
  }
  void ExpectAllFreedWhenDropped() {
    others.clear();
    for (auto& [name, root] : roots) EXPECT_EQ(root.Detach()->Release(), 0u) << name;
  }
};

void HoldAll(HeldObjects& held, const TDXDraw3DObjects& o, TCustomDXDraw* d) {
  held.Hold(o.Viewport);
  held.Hold(o.D3DRMDevice);
  held.Hold(o.D3DRMDevice2);
  held.Hold(o.Camera);
  held.Hold(o.Scene);
  held.Hold(o.D3DDevice);
  held.Hold(o.D3DDevice2);
  held.Hold(o.D3DDevice3);
  held.Hold(o.D3DDevice7);
  held.Hold(o.D3D);
  held.Hold(o.D3D2);
  held.Hold(o.D3D3);
  held.Hold(o.D3D7);
  held.Hold(ComPtr<IDirectDrawSurface>(o.ZBuffer->IDDSurface()));
  held.Hold(ComPtr<IDirectDrawSurface>(d->Surface()->IDDSurface()));
  held.HoldRoot("retained mode", o.D3DRM);
  held.HoldRoot("retained mode 2", o.D3DRM2);
  held.HoldRoot("retained mode 3", o.D3DRM3);
  held.HoldRoot("DirectDraw", ComPtr<IDirectDraw>(d->DDraw()->IDDraw()));
  held.HoldRoot("DirectDraw 4", ComPtr<IDirectDraw4>(d->DDraw()->IDDraw4()));
  held.HoldRoot("DirectDraw 7", ComPtr<IDirectDraw7>(d->DDraw()->IDDraw7()));
}

TEST(TDXDraw3DOnWine, FinalisationReleasesEveryObject) {
  for (bool directX7 : {false, true}) {
    SCOPED_TRACE(directX7 ? "DirectX 7" : "DirectX 6");
    TDXDrawOptions options{doCenter, do3D, doHardware, doZBuffer, doRetainedMode};
    if (directX7) options.Include(doDirectX7Mode);
    FormPtr form = ShownForm(Setup3D(options));
    TDXDraw* d = form->DXDraw1;
    ASSERT_TRUE(d->Initialized());
    ASSERT_TRUE(d->Direct3D() && d->Direct3D()->ZBuffer);
    HeldObjects held;
    HoldAll(held, *d->Direct3D(), d);
    d->Finalize();
    EXPECT_EQ(d->Direct3D(), nullptr);
    held.ExpectAllFreedWhenDropped();
  }
}

// The driver selection on Wine, whose one driver is the primary display driver with a
// hardware device that renders at 16, 24 and 32 bits.
TEST(TDXDraw3DOnWine, DriverSelectionKeepsOrChangesTheDisplayBitCount) {
  struct Case {
    int displayBits;
    TDXDraw3DFlags request;
    int expectedBits;
  } cases[] = {
      {8, {d3dChooseDriver, d3dAnyBitCount, d3dHardware}, 16},
      {8, {d3dAnyBitCount, d3dHardware}, 16},
      {8, {d3dChooseDriver, d3dHardware}, 8},
      {32, {d3dChooseDriver, d3dAnyBitCount, d3dHardware}, 32},
      {24, {d3dAnyBitCount, d3dHardware}, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.displayBits << " bits, request " << c.request.Bits());
    FormPtr form = ShownForm(Setup3D({doFullScreen, do3D, doHardware}, false));
    TDXDraw* d = form->DXDraw1;
    d->Display()->SetBitCount(c.displayBits);
    SelectDXDraw3DDriver(d, c.request);
    EXPECT_EQ(d->Display()->BitCount(), c.expectedBits);
    EXPECT_EQ(d->DriverGUID(), nullptr);
  }
}

D3DPRIMCAPS LineCaps(DWORD filterCaps, DWORD shadeCaps) {
  D3DPRIMCAPS c{};
  c.dwSize = sizeof c;
  c.dwTextureFilterCaps = filterCaps;
  c.dwShadeCaps = shadeCaps;
  return c;
}

TEST(Direct3DCapabilityScore, WeighsBasicSurfaceFeaturesAboveRefinements) {
  const DWORD all = DDSCAPS_TEXTURE | DDSCAPS_ZBUFFER | DDSCAPS_MIPMAP;
  struct Case {
    const char* title;
    TDirect3DDriverCaps chosen, candidate;
    int score;
  } cases[] = {
      {"equal", {all, LineCaps(3, 1)}, {all, LineCaps(3, 1)}, 0},
      {"candidate lacks mip-maps", {all, {}}, {DDSCAPS_TEXTURE | DDSCAPS_ZBUFFER, {}}, -4},
      {"candidate adds a Z-buffer", {DDSCAPS_TEXTURE, {}}, {DDSCAPS_TEXTURE | DDSCAPS_ZBUFFER, {}}, 4},
      {"more filter bits count once", {all, LineCaps(1, 0)}, {all, LineCaps(0xF, 0)}, 1},
      {"set bits are counted, not compared as numbers", {all, LineCaps(0x100, 0)}, {all, LineCaps(3, 0)}, 1},
      {"one refinement more, one less", {all, LineCaps(1, 3)}, {all, LineCaps(3, 1)}, 0},
      {"a missing basic feature outweighs refinements", {all, LineCaps(0, 0)},
       {DDSCAPS_TEXTURE | DDSCAPS_ZBUFFER, LineCaps(7, 7)}, -2},
  };
  for (const Case& c : cases) EXPECT_EQ(Direct3DCapabilityScore(c.chosen, c.candidate), c.score) << c.title;
}

TEST(RenderBitDepthFlag, MapsBitCountsToDirectDrawDepthFlags) {
  const std::pair<int, DWORD> cases[] = {{1, 0x4000}, {2, 0x2000}, {4, 0x1000}, {8, 0x800},  {16, 0x400},
                                         {24, 0x200}, {32, 0x100}, {0, 0},      {15, 0},    {64, 0}};
  for (const auto& [bits, flag] : cases) EXPECT_EQ(RenderBitDepthFlag(bits), flag) << bits;
}

}  // namespace
