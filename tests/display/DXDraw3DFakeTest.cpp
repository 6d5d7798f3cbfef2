// The display control's Direct3D path over the stand-in Direct3D, for the device lists
// Wine does not have: the device search's rules in both variants, the Z-buffer's depth
// and memory, the fallback from a hardware device that cannot be made, and the
// failures with their messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/display/DXDraw3DTestSupport.h"
#include "tests/display/FakeDirect3D.h"
#include "tests/display/FakeDirectDraw.h"
#include "display/DXDraw3D.h"
#include "display/DXErrors.h"

namespace {

// The stand-in DirectDraw with the stand-in Direct3D in front of it.
struct StandIn3D {
  FakeDirectDrawScope ddraw;
  StandIn3D(std::vector<FakeDirect3DDevice> devices, bool surface16) {
    FakeDirect3D::Install(std::move(devices));
    FakeDirectDraw::Settings().offscreen16Bit = surface16;
  }
  ~StandIn3D() { FakeDirect3D::Uninstall(); }
};

FakeDirect3DDevice Hw(const char* name, DWORD renderDepths = DDBD_16 | DDBD_24 | DDBD_32, DWORD zDepths = DDBD_16) {
  FakeDirect3DDevice d;
  d.name = name;
  d.hardware = true;
  d.renderDepths = renderDepths;
  d.zBufferDepths = zDepths;
  return d;
}

FakeDirect3DDevice Sw(const char* name, DWORD renderDepths = DDBD_16 | DDBD_24 | DDBD_32, DWORD zDepths = DDBD_16) {
  FakeDirect3DDevice d = Hw(name, renderDepths, zDepths);
  d.hardware = false;
  return d;
}

FakeDirect3DDevice With(FakeDirect3DDevice d, FakeDirect3DDevice::Identity identity) {
  d.identity = identity;
  return d;
}

FakeDirect3DDevice Failing(FakeDirect3DDevice d) {
  d.createFails = true;
  return d;
}

FakeDirect3DDevice Mono(FakeDirect3DDevice d) {
  d.colorModel = D3DCOLOR_MONO;
  return d;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string s;
  for (const std::string& n : names) s += (s.empty() ? "" : " ") + n;
  return s;
}

// The memory capability the control asked for its Z-buffer, 0 when it asked for none.
DWORD ZBufferMemoryAskedFor() {
  DWORD memory = 0;
  for (DWORD caps : FakeDirectDraw::CreateRequests())
    if (caps & DDSCAPS_ZBUFFER) memory = caps & (DDSCAPS_VIDEOMEMORY | DDSCAPS_SYSTEMMEMORY);
  return memory;
}

struct SearchCase {
  const char* title;
  std::vector<FakeDirect3DDevice> devices;
  bool surface16, hardwareWanted, zBufferWanted;
  bool directX6Only;
  const char* created;  // the devices asked for, in order
  bool hardware;        // the result has a hardware device
  int zDepth;           // 0: no Z-buffer
};

const SearchCase kSearchCases[] = {
    {"a 16-bit surface matches only devices that render at 16 bits",
     {Sw("S32", DDBD_32), Sw("S16", DDBD_16), Sw("S24", DDBD_24 | DDBD_32)}, true, false, false, false, "S16", false, 0},
    {"a 32-bit surface passes over a 16-bit device", {Sw("S32", DDBD_32), Sw("S16", DDBD_16)}, false, false, false,
     false, "S32", false, 0},
    {"hardware is chosen over software when wanted", {Hw("H"), Sw("S")}, false, true, false, false, "H", true, 0},
    {"hardware wins whatever the order", {Sw("S"), Hw("H"), Sw("S2")}, false, true, false, false, "H", true, 0},
    {"hardware is skipped when not wanted", {Hw("H"), Sw("S")}, false, false, false, false, "S", false, 0},
    {"the last suitable device of a kind counts", {Sw("S1"), Sw("S2"), Hw("H1"), Hw("H2")}, false, true, false, false,
     "H2", true, 0},
    {"wanted hardware that is missing gives a software device without the hardware flag", {Sw("S")}, false, true,
     false, false, "S", false, 0},
    {"the reference rasteriser and the null device are skipped",
     {Sw("S"), With(Sw("Ref"), FakeDirect3DDevice::Reference), With(Hw("Null"), FakeDirect3DDevice::Null)}, false,
     true, false, false, "S", false, 0},
    {"a device of another colour model is skipped", {Sw("RGB"), Mono(Sw("Mono"))}, false, false, false, true, "RGB",
     false, 0},
    {"a hardware device that cannot be made falls back to software", {Sw("S"), Failing(Hw("H"))}, false, true, true,
     false, "H S", false, 16},
    {"Z depths 16 and 32 give 16", {Sw("S", DDBD_16 | DDBD_24 | DDBD_32, DDBD_16 | DDBD_32)}, false, false, true,
     false, "S", false, 16},
    {"Z depths 24 and 32 give 24", {Hw("H", DDBD_16 | DDBD_24 | DDBD_32, DDBD_24 | DDBD_32)}, false, true, true, false,
     "H", true, 24},
    {"no Z depth gives no Z-buffer", {Sw("S", DDBD_16 | DDBD_24 | DDBD_32, 0)}, false, false, true, false, "S", false,
     0},
};

TEST(TDXDraw3DDeviceSearch, FollowsTheSearchRulesInBothVariants) {
  for (bool directX7 : {false, true}) {
    for (const SearchCase& c : kSearchCases) {
      if (directX7 && c.directX6Only) continue;
      SCOPED_TRACE(std::string(directX7 ? "DirectX 7: " : "DirectX 6: ") + c.title);
      StandIn3D standIn(c.devices, c.surface16);
      TDXDrawOptions options{doCenter, do3D};
      if (c.hardwareWanted) options.Include(doHardware);
      if (c.zBufferWanted) options.Include(doZBuffer);
      if (directX7) options.Include(doDirectX7Mode);
      FormPtr form = ShownForm(Setup3D(options));
      TDXDraw* d = form->DXDraw1;
      ASSERT_TRUE(d->Initialized());
      ASSERT_EQ(d->Surface()->BitCount(), c.surface16 ? 16 : 32);
      const TDXDraw3DObjects* o = d->Direct3D();
      ASSERT_NE(o, nullptr);
      EXPECT_EQ(Joined(FakeDirect3D::CreateRequests()), c.created);
      const std::string created = c.created;
      EXPECT_EQ(o->DeviceName, created.substr(created.rfind(' ') + 1));
      EXPECT_TRUE(directX7 ? bool(o->D3DDevice7) : bool(o->D3DDevice3));
      EXPECT_EQ(d->NowOptions().Contains(doHardware), c.hardware);
      EXPECT_EQ(d->NowOptions().Contains(doZBuffer), c.zDepth != 0);
      if (c.zDepth) {
        ASSERT_NE(o->ZBuffer, nullptr);
        EXPECT_EQ(o->ZBuffer->BitCount(), c.zDepth);
        EXPECT_EQ(ZBufferMemoryAskedFor(), c.hardware ? DWORD{DDSCAPS_VIDEOMEMORY} : DWORD{DDSCAPS_SYSTEMMEMORY});
      } else {
        EXPECT_EQ(o->ZBuffer, nullptr);
      }
    }
  }
}

// Hardware devices draw only on video memory.
TEST(TDXDraw3DDeviceSearch, ASystemMemoryBackSurfaceWantsNoHardware) {
  for (bool directX7 : {false, true}) {
    SCOPED_TRACE(directX7 ? "DirectX 7" : "DirectX 6");
    StandIn3D standIn({Hw("H"), Sw("S")}, false);
    TDXDrawOptions options{doCenter, do3D, doHardware, doSystemMemory};
    if (directX7) options.Include(doDirectX7Mode);
    FormPtr form = ShownForm(Setup3D(options));
    TDXDraw* d = form->DXDraw1;
    ASSERT_TRUE(d->Initialized());
    ASSERT_TRUE(d->NowOptions().Contains(doSystemMemory));
    EXPECT_EQ(Joined(FakeDirect3D::CreateRequests()), "S");
    EXPECT_FALSE(d->NowOptions().Contains(doHardware));
  }
}

struct FailureCase {
  const char* title;
  std::vector<FakeDirect3DDevice> devices;
  bool directX7;
  const char* message;
};

const FailureCase kFailureCases[] = {
    {"no device", {}, false, "3D device not found"},
    {"no device (DirectX 7)", {}, true, "3D device not found"},
    {"only the reference and null devices",
     {With(Sw("Ref"), FakeDirect3DDevice::Reference), With(Sw("Null"), FakeDirect3DDevice::Null)}, false,
     "3D device not found"},
    {"only the reference and null devices (DirectX 7)",
     {With(Sw("Ref"), FakeDirect3DDevice::Reference), With(Sw("Null"), FakeDirect3DDevice::Null)}, true,
     "3D device not found"},
    {"no device renders at the surface's depth", {Sw("S8", DDBD_8), Sw("S16", DDBD_16)}, false,
     "3D device not found"},
    {"only another colour model", {Mono(Sw("Mono"))}, false, "3D device not found"},
    {"no device can be made", {Failing(Sw("S"))}, false, "IDirect3DDevice3 cannot be made"},
    {"neither hardware nor software can be made", {Failing(Sw("S")), Failing(Hw("H"))}, false,
     "IDirect3DDevice3 cannot be made"},
    {"no device can be made (DirectX 7)", {Failing(Sw("S")), Failing(Hw("H"))}, true,
     "IDirect3DDevice7 cannot be made"},
};

TDXDrawOptions FailureOptions(bool directX7) {
  TDXDrawOptions options{doCenter, do3D, doHardware, doZBuffer, doRetainedMode};
  if (directX7) options.Include(doDirectX7Mode);
  return options;
}

TEST(TDXDraw3DFailures, StopTheInitialisationWithTheirMessageAndLeaveNothing) {
  for (const FailureCase& c : kFailureCases) {
    SCOPED_TRACE(c.title);
    StandIn3D standIn(c.devices, false);
    FormPtr form = ShownForm(Setup3D(FailureOptions(c.directX7), false));
    TDXDraw* d = form->DXDraw1;
    EXPECT_EQ(MessageOf<EDXDrawError>([&] { d->Initialize(); }), c.message);
    EXPECT_FALSE(d->Initialized());
    EXPECT_EQ(d->Direct3D(), nullptr);
    EXPECT_EQ(FakeDirectDraw::LiveSurfaces(), 0);
    EXPECT_EQ(FakeDirectDraw::LiveDirectDraws(), 0);
  }
}

// The set-up itself, on a control that has a back surface for 3D: whatever it had built
// before the failure (Direct3D, the Z-buffer) is released again.
TEST(TDXDraw3DFailures, LeaveTheSetUpsInterfacesCleared) {
  for (const FailureCase& c : kFailureCases) {
    SCOPED_TRACE(c.title);
    StandIn3D standIn(c.devices, false);
    TDXDrawOptions options{doCenter, do3D};
    if (c.directX7) options.Include(doDirectX7Mode);
    FormPtr form = ShownFormWithout3DSetUp(options);
    TDXDraw* d = form->DXDraw1;
    ASSERT_TRUE(d->Initialized());
    const int surfaces = FakeDirectDraw::LiveSurfaces();
    TDXDraw3DObjects* objects = nullptr;
    EXPECT_EQ(MessageOf<EDXDrawError>([&] {
                SetUpDXDraw3D(d, objects, {d3dHardware, d3dZBuffer, d3dRetainedMode}, c.directX7);
              }),
              c.message);
    ASSERT_NE(objects, nullptr);
    ExpectCleared(*objects);
    EXPECT_EQ(FakeDirectDraw::LiveSurfaces(), surfaces) << "a Z-buffer was left";
    ReleaseDXDraw3D(d, objects);
  }
}

}  // namespace
