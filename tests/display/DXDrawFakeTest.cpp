// The display control where Wine cannot take it: lost surfaces and video memory
// running out (through the stand-in DirectDraw), the driver identifier that reaches
// DirectDraw's creation (through a spy on its entry points), and the Direct3D call
// points (through a recording 3D path).
#include <gtest/gtest.h>

#include <memory>

#include "tests/display/DXDrawTestForm.h"
#include "tests/display/FakeDirectDraw.h"
#include "tests/support/GuiTest.h"
#include "display/DXDraw3D.h"
#include "display/DXDrawDriver.h"
#include "display/DXErrors.h"

namespace {

struct FormFreer {
  void operator()(TObject* o) const { o->Free(); }
};
using FormPtr = std::unique_ptr<TDXDrawTestForm, FormFreer>;

FormPtr ShownForm(TDXDrawFormSetup setup) {
  FormPtr form(New<TDXDrawTestForm>(nullptr, setup));
  form->Show();
  PumpFor(50);
  return form;
}

// Redraws the back surface green when the control restores it.
class TRedrawer : public TObject {
public:
  TDXDraw* d = nullptr;
  int restores = 0;
  void RestoreSurface(TObject*) {
    ++restores;
    FillThroughLock(d->Surface(), RECT{0, 0, d->SurfaceWidth(), d->SurfaceHeight()}, 0x00FF00);
  }
};

TEST(TDXDrawLostSurfaces, AreRestoredAndRedrawnBeforeTheFlip) {
  FakeDirectDrawScope fake;
  FormPtr form = ShownForm(TDXDrawFormSetup{});
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  ASSERT_TRUE(FakeDirectDraw::IsFakeSurface(d->Surface()->IDDSurface()));
  TRedrawer redrawer;
  redrawer.d = d;
  d->OnRestoreSurface = MakeEvent(&redrawer, &TRedrawer::RestoreSurface);
  ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{0, 0, 320, 192}, 0xFF0000));
  d->Flip();
  ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(d, 200, 150) == 0xFF0000u; }, 2000));
  EXPECT_EQ(redrawer.restores, 0);

  FakeDirectDraw::LoseAllSurfaces();
  d->Flip();
  EXPECT_EQ(redrawer.restores, 1);
  EXPECT_EQ(d->Primary()->IsLost(), DD_OK);
  EXPECT_EQ(d->Surface()->IsLost(), DD_OK);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(d, 200, 150) == 0x00FF00u; }, 2000));

  FakeDirectDraw::LoseSurface(d->Surface()->IDDSurface());
  EXPECT_TRUE(d->CanDraw());
  EXPECT_EQ(redrawer.restores, 2);
}

TEST(TDXDrawLostSurfaces, WhenRestoreFailsTheFlipIsSkippedAndDrawingRefused) {
  FakeDirectDrawScope fake;
  FormPtr form = ShownForm(TDXDrawFormSetup{});
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  TRedrawer redrawer;
  redrawer.d = d;
  d->OnRestoreSurface = MakeEvent(&redrawer, &TRedrawer::RestoreSurface);
  ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{0, 0, 320, 192}, 0xFF0000));
  d->Flip();
  ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(d, 200, 150) == 0xFF0000u; }, 2000));

  FakeDirectDraw::Settings().restoreFails = true;
  FakeDirectDraw::LoseAllSurfaces();
  EXPECT_FALSE(d->CanDraw());
  EXPECT_FALSE(d->RestoreIfLost());
  d->Flip();
  PumpFor(100);
  EXPECT_EQ(ScreenPixel(d, 200, 150), 0xFF0000u);
  EXPECT_EQ(redrawer.restores, 0);
  EXPECT_TRUE(d->Initialized());
  EXPECT_FALSE(d->Calling());

  // Once restoring works again, the next flip repairs, redraws and shows.
  FakeDirectDraw::Settings().restoreFails = false;
  d->Flip();
  EXPECT_EQ(redrawer.restores, 1);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(d, 200, 150) == 0x00FF00u; }, 2000));
}

// Video memory full: the back surface lands in system memory and NowOptions say so,
// though Options never asked for it; every re-creation tries video memory first.
TEST(TDXDrawVideoMemory, FullVideoMemoryPutsTheBackSurfaceInSystemMemory) {
  FakeDirectDrawScope fake;
  FakeDirectDraw::Settings().videoMemoryFull = true;
  FormPtr form = ShownForm(TDXDrawFormSetup{});
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  EXPECT_FALSE(d->Options().Contains(doSystemMemory));
  EXPECT_TRUE(d->NowOptions().Contains(doSystemMemory));
  EXPECT_TRUE(d->Surface()->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);
  const std::vector<DWORD> initial{DDSCAPS_PRIMARYSURFACE, DDSCAPS_OFFSCREENPLAIN,
                                   DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY};
  EXPECT_EQ(FakeDirectDraw::CreateRequests(), initial);

  FakeDirectDraw::CreateRequests().clear();
  FakeDirectDraw::Settings().videoMemoryFull = false;
  d->SetSize(100, 50);
  const std::vector<DWORD> again{DDSCAPS_OFFSCREENPLAIN};
  EXPECT_EQ(FakeDirectDraw::CreateRequests(), again);
  EXPECT_EQ(d->NowOptions().Contains(doSystemMemory),
            (d->Surface()->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY) == 0);
}

TEST(TDXDrawVideoMemory, SystemMemoryOptionAsksForItAtOnce) {
  FakeDirectDrawScope fake;
  TDXDrawFormSetup setup;
  setup.options = TDXDrawOptions{doCenter, doSystemMemory};
  FormPtr form = ShownForm(setup);
  ASSERT_TRUE(form->DXDraw1->Initialized());
  const std::vector<DWORD> requests{DDSCAPS_PRIMARYSURFACE, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY};
  EXPECT_EQ(FakeDirectDraw::CreateRequests(), requests);
}

// Records the driver identifier and the interface version of every DirectDraw
// creation, passing the primary driver and the emulation request on to DirectDraw.
struct CreationSpy {
  struct Call {
    GUID* guid;
    bool ex;
  };
  static std::vector<Call>& Calls() {
    static std::vector<Call> calls;
    return calls;
  }
  static TDirectDrawEntryPoints& Real() {
    static TDirectDrawEntryPoints real{};
    return real;
  }
  static bool Passes(GUID* guid) { return !guid || guid == DDCREATE_EMULATIONONLY_GUID; }
  static HRESULT WINAPI Create(GUID* guid, LPDIRECTDRAW* result, IUnknown* outer) {
    Calls().push_back({guid, false});
    return Passes(guid) ? Real().Create(guid, result, outer) : DDERR_INVALIDDIRECTDRAWGUID;
  }
  static HRESULT WINAPI CreateEx(GUID* guid, LPVOID* result, REFIID iid, IUnknown* outer) {
    Calls().push_back({guid, true});
    return Passes(guid) ? Real().CreateEx(guid, result, iid, outer) : DDERR_INVALIDDIRECTDRAWGUID;
  }

  CreationSpy() {
    Real() = DirectDrawEntryPoints();
    Calls().clear();
    static const TDirectDrawEntryPoints spy{&Create, &CreateEx};
    SetDirectDrawEntryPoints(&spy);
  }
  ~CreationSpy() { SetDirectDrawEntryPoints(nullptr); }
};

GUID kSomeDriver = {0x0DDBA11, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

struct CreationCase {
  const char* what;
  TDXDrawOptions options;
  bool chosen;     // the control's driver identifier reaches DirectDraw
  bool emulation;  // the emulation-only request does
  bool ex;         // the DirectX 7 entry point is used
};

const CreationCase kCreationCases[] = {
    {"a window uses the primary driver", {doCenter, doHardware}, false, false, false},
    {"DirectX 7 mode", {doCenter, doDirectX7Mode}, false, false, true},
    {"emulation only, whatever was chosen", {doCenter, doEmulationOnly, doDirectX7Mode}, false, true, true},
    {"full screen with hardware and video memory", {doFullScreen, doHardware}, true, false, false},
    {"full screen in system memory", {doFullScreen, doHardware, doSystemMemory}, false, false, false},
    {"full screen without hardware", {doFullScreen}, false, false, false},
    {"emulation only wins over the chosen driver", {doFullScreen, doHardware, doEmulationOnly}, false, true, false},
};

TEST(TDXDrawCreation, TheDriverIdentifierFollowsTheOptions) {
  for (const CreationCase& c : kCreationCases) {
    SCOPED_TRACE(c.what);
    CreationSpy spy;
    TDXDrawFormSetup setup;
    setup.options = c.options;
    setup.autoInitialize = false;
    FormPtr form = ShownForm(setup);
    TDXDraw* d = form->DXDraw1;
    d->SetDriver(&kSomeDriver);
    // Full-screen cases are stopped at the mode switch; only the creation matters.
    d->Display()->SetWidth(5000);
    d->Display()->SetFixedSize(true);
    try {
      d->Initialize();
    } catch (const EDXDrawError&) {
      EXPECT_TRUE(c.options.Contains(doFullScreen));
    } catch (const EDirectDrawError& e) {
      EXPECT_TRUE(c.chosen) << e.Message();
      EXPECT_EQ(e.Message(), "DirectDraw cannot be initialized");
    }
    ASSERT_EQ(CreationSpy::Calls().size(), 1u);
    const CreationSpy::Call call = CreationSpy::Calls()[0];
    if (c.chosen) {
      EXPECT_EQ(call.guid, d->DriverGUID());
    } else if (c.emulation) {
      EXPECT_EQ(call.guid, DDCREATE_EMULATIONONLY_GUID);
    } else {
      EXPECT_EQ(call.guid, nullptr);
    }
    EXPECT_EQ(call.ex, c.ex);
    if (c.options.Contains(doFullScreen)) {
      EXPECT_FALSE(d->Initialized());
      EXPECT_EQ(d->DDraw(), nullptr);
    } else {
      EXPECT_TRUE(d->Initialized());
    }
  }
}

// A 3D path that records what the drivers ask of it.
struct Recording3DPath {
  static Recording3DPath& Get() {
    static Recording3DPath p;
    return p;
  }
  std::vector<std::string> calls;
  TDXDraw3DFlags selectRequest, setUpRequest, result;
  bool directX7 = false;
  DWORD surfaceCaps = 0;
  int objects = 0;

  static void SelectDriver(TCustomDXDraw*, TDXDraw3DFlags request) {
    Get().calls.push_back("SelectDriver");
    Get().selectRequest = request;
  }
  static TDXDraw3DFlags SetUp(TCustomDXDraw* d, TDXDraw3DObjects*& objects, TDXDraw3DFlags request,
                              bool directX7) {
    Get().calls.push_back("SetUp");
    Get().setUpRequest = request;
    Get().directX7 = directX7;
    Get().surfaceCaps = d->Surface()->SurfaceDesc().ddsCaps.dwCaps;
    // A second set-up replaces the objects of the first, as the path clears its outputs.
    if (!objects) ++Get().objects;
    objects = reinterpret_cast<TDXDraw3DObjects*>(&Get().objects);
    return Get().result;
  }
  static void Release(TCustomDXDraw*, TDXDraw3DObjects*& objects) {
    Get().calls.push_back("Release");
    --Get().objects;
    objects = nullptr;
  }
};

struct Installed3DPath {
  Installed3DPath() {
    Recording3DPath::Get() = Recording3DPath{};
    static const TDXDraw3DPath path{&Recording3DPath::SelectDriver, &Recording3DPath::SetUp,
                                    &Recording3DPath::Release};
    SetDXDraw3DPath(&path);
  }
  ~Installed3DPath() { SetDXDraw3DPath(nullptr); }
};

std::string Calls() {
  std::string s;
  for (const std::string& c : Recording3DPath::Get().calls) s += (s.empty() ? "" : " ") + c;
  Recording3DPath::Get().calls.clear();
  return s;
}

TEST(TDXDraw3DCallPoints, WithoutDo3DThePathIsNeverAskedToSetUp) {
  Installed3DPath path;
  FormPtr form = ShownForm(TDXDrawFormSetup{});
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  d->SetSize(100, 100);
  d->Finalize();
  EXPECT_EQ(Calls(), "");
  EXPECT_EQ(d->Direct3D(), nullptr);
}

TEST(TDXDraw3DCallPoints, EverySurfaceInitialisationEndsWithTheSetUp) {
  Installed3DPath path;
  Recording3DPath::Get().result = TDXDraw3DFlags{d3dHardware, d3dZBuffer};
  TDXDrawFormSetup setup;
  setup.options = TDXDrawOptions{doCenter, do3D, doHardware, doZBuffer, doSelectDriver, doRetainedMode};
  FormPtr form = ShownForm(setup);
  TDXDraw* d = form->DXDraw1;
  ASSERT_TRUE(d->Initialized());
  EXPECT_EQ(Calls(), "SetUp");
  EXPECT_EQ(Recording3DPath::Get().setUpRequest.Bits(),
            (TDXDraw3DFlags{d3dHardware, d3dRetainedMode, d3dChooseDriver, d3dZBuffer}).Bits());
  EXPECT_FALSE(Recording3DPath::Get().directX7);
  EXPECT_TRUE(Recording3DPath::Get().surfaceCaps & DDSCAPS_3DDEVICE);
  // What the set-up obtained is in force; what it did not, is not.
  EXPECT_TRUE(d->NowOptions().Contains(doHardware));
  EXPECT_TRUE(d->NowOptions().Contains(doZBuffer));
  EXPECT_FALSE(d->NowOptions().Contains(doRetainedMode));
  EXPECT_FALSE(d->NowOptions().Contains(doSelectDriver));
  EXPECT_NE(d->Direct3D(), nullptr);

  Recording3DPath::Get().result = TDXDraw3DFlags{d3dRetainedMode};
  d->SetSize(200, 100);
  EXPECT_EQ(Calls(), "SetUp");
  EXPECT_FALSE(d->NowOptions().Contains(doHardware));
  d->Finalize();
  EXPECT_EQ(Calls(), "Release");
  EXPECT_EQ(Recording3DPath::Get().objects, 0);
  EXPECT_EQ(d->Direct3D(), nullptr);
}

// Full screen with hardware and video memory lets the path choose the driver before
// DirectDraw is made; the stand-in's mode list takes the switch.
TEST(TDXDraw3DCallPoints, FullScreenHardwareSelectsTheDriverFirst) {
  Installed3DPath path;
  FakeDirectDrawScope fake;
  FakeDirectDraw::Settings().replaceModes = true;
  FakeDirectDraw::Settings().modes = {{640, 480, 32}};
  TDXDrawFormSetup setup;
  setup.options = TDXDrawOptions{doFullScreen, do3D, doHardware, doDirectX7Mode, doSelectDriver};
  setup.autoInitialize = false;
  FormPtr form = ShownForm(setup);
  TDXDraw* d = form->DXDraw1;
  d->Display()->SetFixedBitCount(false);
  d->Display()->SetBitCount(32);
  ASSERT_NO_THROW(d->Initialize());
  EXPECT_EQ(Calls(), "SelectDriver SetUp");
  EXPECT_EQ(Recording3DPath::Get().selectRequest.Bits(),
            (TDXDraw3DFlags{d3dChooseDriver, d3dAnyBitCount, d3dHardware}).Bits());
  EXPECT_TRUE(Recording3DPath::Get().directX7);
  const std::vector<FakeDisplayMode> switches{{640, 480, 32}};
  EXPECT_EQ(FakeDirectDraw::ModeSwitches(), switches);
  d->Finalize();
  EXPECT_EQ(Calls(), "Release");
}

}  // namespace
