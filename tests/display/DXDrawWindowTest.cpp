// The display control in a window, on real DirectDraw: initialisation on the form's
// first showing and its event order, resizing, finalisation, finding the form, and
// pixels drawn into the back surface and read back from the screen.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "tests/display/DXDrawTestForm.h"
#include "tests/support/GuiTest.h"
#include "display/DXDrawDriver.h"
#include "display/DXErrors.h"

namespace {

class DXDrawWindow : public DXDrawFormFixture {};

TEST_F(DXDrawWindow, InitialisesOnTheFormsFirstShowingOnce) {
  TDXDraw* d = Make();
  EXPECT_FALSE(d->Initialized());
  EXPECT_FALSE(d->InitializeCalled());
  EXPECT_EQ(d->ParentForm(), form.get());
  EXPECT_NE(d->SubClass(), nullptr);
  EXPECT_EQ(log.Take(), "");

  form->Show();
  ASSERT_TRUE(d->Initialized());
  EXPECT_EQ(log.Take(), "Initializing Initialize InitializeSurface RestoreSurface");
  EXPECT_NE(d->DDraw(), nullptr);
  EXPECT_NE(dynamic_cast<TDXDrawDriverBlt*>(d->Driver()), nullptr);
  EXPECT_EQ(d->SurfaceWidth(), 320);
  EXPECT_EQ(d->SurfaceHeight(), 192);

  // Shown again, the form's palette notification may restore the surfaces, but
  // nothing initialises again.
  form->Hide();
  form->Show();
  PumpFor(50);
  const std::string again = log.Take();
  EXPECT_EQ(again.find("Initializ"), std::string::npos) << again;
  EXPECT_EQ(again.find("Finalize"), std::string::npos) << again;
  EXPECT_TRUE(d->Initialized());

  form.reset();
  EXPECT_EQ(log.Take(), "FinalizeSurface Finalize");
}

TEST_F(DXDrawWindow, AFormNeverShownDoesNotInitialise) {
  Make();
  PumpFor(50);
  EXPECT_FALSE(form->DXDraw1->Initialized());
  form.reset();
  EXPECT_EQ(log.Take(), "");
}

TEST_F(DXDrawWindow, NoAutoInitializeWaitsForAnExplicitCall) {
  setup.autoInitialize = false;
  MakeShown();
  PumpFor(50);
  EXPECT_FALSE(form->DXDraw1->Initialized());
  form->DXDraw1->Initialize();
  EXPECT_TRUE(form->DXDraw1->Initialized());
}

TEST_F(DXDrawWindow, SetSizeWithTheCurrentSizeRaisesTheSurfaceEvents) {
  TDXDraw* d = MakeShown();
  log.Take();
  d->SetSize(d->SurfaceWidth(), d->SurfaceHeight());
  EXPECT_EQ(log.Take(), "FinalizeSurface InitializeSurface");
  EXPECT_EQ(d->SurfaceWidth(), 320);
  EXPECT_EQ(d->SurfaceHeight(), 192);
  EXPECT_NE(d->Surface()->IDDSurface(), nullptr);

  d->SetSurfaceWidth(200);
  EXPECT_EQ(log.Take(), "FinalizeSurface InitializeSurface");
  EXPECT_EQ(d->SurfaceWidth(), 200);
  EXPECT_EQ(d->SurfaceHeight(), 192);
}

struct SizeCase {
  int width, height;
  int expectWidth, expectHeight;
};

TEST_F(DXDrawWindow, SetSizeWhileInitialisedMakesAtLeastOnePixel) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  const SizeCase cases[] = {{0, 0, 1, 1}, {-5, 7, 1, 7}, {9, -1, 9, 1}, {640, 480, 640, 480}};
  for (const SizeCase& c : cases) {
    d->SetSize(c.width, c.height);
    EXPECT_EQ(d->Surface()->Width(), c.expectWidth) << c.width << " x " << c.height;
    EXPECT_EQ(d->Surface()->Height(), c.expectHeight) << c.width << " x " << c.height;
  }
}

// A back surface that no memory takes: the control finalises and passes the failure on.
TEST_F(DXDrawWindow, ASurfaceThatCannotBeMadeFinalisesTheControl) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  log.Take();
  try {
    d->SetSize(1 << 20, 1 << 20);
    FAIL() << "made a surface of 2^40 pixels";
  } catch (const EDXDrawError& e) {
    EXPECT_EQ(e.Message(), "Surface cannot be made");
  }
  EXPECT_EQ(log.Take(), "FinalizeSurface Finalize");
  EXPECT_FALSE(d->Initialized());
  EXPECT_EQ(d->DDraw(), nullptr);
  d->SetSize(320, 192);
  d->Initialize();
  EXPECT_TRUE(d->Initialized());
  EXPECT_EQ(d->SurfaceWidth(), 320);
}

TEST_F(DXDrawWindow, SizeZeroBeforeInitialisationBecomesClientSizeOrOnePixel) {
  {
    TDXDraw* d = Make();
    d->SetSize(0, 0);
    EXPECT_EQ(d->SurfaceWidth(), 0);
    EXPECT_EQ(d->SurfaceHeight(), 0);
    form->Show();
    ASSERT_TRUE(d->Initialized());
    EXPECT_EQ(d->SurfaceWidth(), 1);
    EXPECT_EQ(d->SurfaceHeight(), 1);
  }
  {
    setup = TDXDrawFormSetup{};
    setup.autoSize = true;
    TDXDraw* d = Make();
    d->SetAutoSize(false);
    d->SetSize(0, 0);
    d->SetAutoSize(true);  // takes the client size again
    d->SetSize(0, 0);
    form->Show();
    ASSERT_TRUE(d->Initialized());
    EXPECT_EQ(d->SurfaceWidth(), d->ClientWidth());
    EXPECT_EQ(d->SurfaceHeight(), d->ClientHeight());
    EXPECT_EQ(d->SurfaceWidth(), 400);
  }
}

TEST_F(DXDrawWindow, AutoSizeFollowsTheControlsBounds) {
  setup.autoSize = true;
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  EXPECT_EQ(d->SurfaceWidth(), 400);
  EXPECT_EQ(d->SurfaceHeight(), 300);
  log.Take();
  form->SetBounds(40, 40, 360, 250);
  PumpUntil([&] { return d->SurfaceWidth() == 360; }, 2000);
  EXPECT_EQ(d->SurfaceWidth(), 360);
  EXPECT_EQ(d->SurfaceHeight(), 250);
  EXPECT_NE(log.Take().find("FinalizeSurface InitializeSurface"), std::string::npos);
}

TEST_F(DXDrawWindow, SizesAreRememberedAfterFinalize) {
  TDXDraw* d = MakeShown();
  d->SetSize(123, 45);
  log.Take();
  d->Finalize();
  EXPECT_EQ(log.Take(), "FinalizeSurface Finalize");
  EXPECT_FALSE(d->Initialized());
  EXPECT_EQ(d->Surface(), nullptr);
  EXPECT_EQ(d->DDraw(), nullptr);
  EXPECT_EQ(d->Driver(), nullptr);
  EXPECT_EQ(d->SurfaceWidth(), 123);
  EXPECT_EQ(d->SurfaceHeight(), 45);
  d->Finalize();  // nothing left to undo
  EXPECT_EQ(log.Take(), "");
  d->Initialize();
  EXPECT_EQ(d->Surface()->Width(), 123);
  EXPECT_EQ(log.Take(), "Initializing Initialize InitializeSurface RestoreSurface");
}

TEST_F(DXDrawWindow, InitializeAgainFinalisesFirst) {
  MakeShown();
  log.Take();
  form->DXDraw1->Initialize();
  EXPECT_EQ(log.Take(), "FinalizeSurface Finalize Initializing Initialize InitializeSurface RestoreSurface");
}

// A container between the control and its form, as a panel is.
class TTestPanel : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
};

TEST_F(DXDrawWindow, AControlOnAPanelFindsItsForm) {
  TForm* form = New<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(40, 40, 300, 200);
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 200, 150);
  auto* d = new TDXDraw(form);
  d->SetBounds(5, 5, 160, 120);
  d->SetParent(panel);
  EXPECT_EQ(d->ParentForm(), form);
  form->Show();
  EXPECT_TRUE(d->Initialized());
  // Moved straight onto the form, it hooks that one; taken off, it has none.
  d->SetParent(form);
  EXPECT_EQ(d->ParentForm(), form);
  EXPECT_NE(d->SubClass(), nullptr);
  d->SetParent(nullptr);
  EXPECT_EQ(d->ParentForm(), nullptr);
  EXPECT_EQ(d->SubClass(), nullptr);
  d->SetParent(panel);
  form->Free();
}

TEST_F(DXDrawWindow, WithoutAFormInitialisationFails) {
  TComponent owner(nullptr);
  auto* d = new TDXDraw(&owner);
  log.Attach(d);
  try {
    d->Initialize();
    FAIL() << "no exception";
  } catch (const EDXDrawError& e) {
    EXPECT_EQ(e.Message(), "Form not found");
  }
  EXPECT_TRUE(d->InitializeCalled());
  EXPECT_FALSE(d->Initialized());
  EXPECT_EQ(d->DDraw(), nullptr);
  EXPECT_EQ(log.Take(), "");
}

// Loaded initialises at once when there is no form to wait for.
TEST_F(DXDrawWindow, LoadedWithoutAFormRaisesFormNotFound) {
  TComponent root(nullptr);
  TComponentLoader loader(&root);
  auto* d = new TDXDraw(&root);
  EXPECT_FALSE(d->InitializeCalled());
  try {
    loader.Finish();
    FAIL() << "no exception";
  } catch (const EDXDrawError& e) {
    EXPECT_EQ(e.Message(), "Form not found");
  }
  EXPECT_TRUE(d->InitializeCalled());
}

class TRaisingHandlers : public TObject {
public:
  TDXDrawEventLog* log;
  void FinalizeSurface(TObject*) {
    log->names.push_back("FinalizeSurface");
    throw Exception("handler failed");
  }
  void Initializing(TObject*) {
    log->names.push_back("Initializing");
    throw Exception("initializing failed");
  }
};

TEST_F(DXDrawWindow, AnExceptionInOnFinalizeSurfaceStillRunsOnFinalize) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  TRaisingHandlers raising;
  raising.log = &log;
  d->OnFinalizeSurface = MakeEvent(&raising, &TRaisingHandlers::FinalizeSurface);
  log.Take();
  try {
    d->Finalize();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "handler failed");
  }
  EXPECT_EQ(log.Take(), "FinalizeSurface Finalize");
  EXPECT_FALSE(d->Initialized());
  EXPECT_FALSE(d->NeedFinalize());
  EXPECT_FALSE(d->Calling());
  EXPECT_EQ(d->DDraw(), nullptr);
  EXPECT_EQ(d->Options().Bits(), TDXDrawOptions{doCenter}.Bits());
}

TEST_F(DXDrawWindow, AFailedInitialisationLeavesTheControlAsCreated) {
  setup.autoInitialize = false;
  TDXDraw* d = MakeShown();
  TRaisingHandlers raising;
  raising.log = &log;
  d->OnInitializing = MakeEvent(&raising, &TRaisingHandlers::Initializing);
  EXPECT_THROW(d->Initialize(), Exception);
  EXPECT_EQ(log.Take(), "Initializing");
  EXPECT_FALSE(d->Initialized());
  EXPECT_FALSE(d->NeedFinalize());
  EXPECT_TRUE(d->InitializeCalled());
  EXPECT_EQ(d->DDraw(), nullptr);
}

TEST_F(DXDrawWindow, OptionsWhileInitialisedWaitExceptTheLiveOnes) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  d->SetOptions(TDXDrawOptions{doCenter, doFullScreen, doStretch});
  EXPECT_TRUE(d->Options().Contains(doFullScreen));
  EXPECT_FALSE(d->NowOptions().Contains(doFullScreen));
  EXPECT_TRUE(d->NowOptions().Contains(doStretch));
  d->SetOptions(TDXDrawOptions{doCenter});
  d->Finalize();
  EXPECT_EQ(d->NowOptions().Bits(), TDXDrawOptions{doCenter}.Bits());
}

TEST_F(DXDrawWindow, ExplorerOptionsRunInSystemMemoryCentred) {
  setup.options = TDXDrawOptions{doAllowReboot, doSystemMemory, doCenter, doHardware, doSelectDriver};
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  EXPECT_EQ(d->NowOptions().Bits(), (TDXDrawOptions{doSystemMemory, doCenter}).Bits());
  EXPECT_TRUE(d->Surface()->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);
  EXPECT_TRUE(d->CanDraw());
}

// NowOptions say where the back surface really lies.
TEST_F(DXDrawWindow, NowOptionsReportTheBackSurfacesMemory) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  const bool video = (d->Surface()->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY) != 0;
  EXPECT_EQ(d->NowOptions().Contains(doSystemMemory), !video);
}

// The back surface shown where the driver puts it: a red surface on the black control
// with a white frame drawn by nobody but the blit.
struct PlacementCase {
  const char* what;
  TDXDrawOptions options;
  int clientWidth, clientHeight, surfaceWidth, surfaceHeight;
  RECT expected;  // in client coordinates
};

const PlacementCase kPlacements[] = {
    {"centred", {doCenter}, 400, 300, 320, 192, {40, 54, 360, 246}},
    {"at the corner", {}, 400, 300, 320, 192, {0, 0, 320, 192}},
    {"stretched, centre ignored", {doStretch, doCenter}, 400, 300, 320, 192, {0, 0, 400, 300}},
    {"one pixel too small a client", {doCenter}, 399, 299, 400, 300, {0, 0, 399, 299}},
};

TEST_F(DXDrawWindow, PixelsDrawnIntoTheBackSurfaceReachTheScreen) {
  for (const PlacementCase& c : kPlacements) {
    SCOPED_TRACE(c.what);
    setup = TDXDrawFormSetup{};
    setup.options = c.options;
    setup.clientWidth = c.clientWidth;
    setup.clientHeight = c.clientHeight;
    setup.surfaceWidth = c.surfaceWidth;
    setup.surfaceHeight = c.surfaceHeight;
    TDXDraw* d = MakeShown();
    ASSERT_TRUE(d->Initialized());
    ASSERT_TRUE(d->CanDraw());
    const int w = d->SurfaceWidth(), h = d->SurfaceHeight();
    ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{0, 0, w, h}, 0xFF0000));
    ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{0, 0, 1, 1}, 0x00FF00));
    ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{w - 1, h - 1, w, h}, 0x0000FF));
    PumpFor(100);  // the form's own painting first
    d->Flip();
    EXPECT_EQ(d->Primary()->DXResult(), DD_OK);
    const RECT& e = c.expected;
    const bool shown = PumpUntil([&] { return ScreenPixel(d, (e.left + e.right) / 2, (e.top + e.bottom) / 2) == 0xFF0000u; }, 2000);
    EXPECT_TRUE(shown);
    if (c.surfaceWidth <= c.clientWidth && !c.options.Contains(doStretch)) {
      EXPECT_EQ(ScreenPixel(d, e.left, e.top), 0x00FF00u);
      EXPECT_EQ(ScreenPixel(d, e.right - 1, e.bottom - 1), 0x0000FFu);
    }
    if (e.left > 0) {
      EXPECT_NE(ScreenPixel(d, e.left - 1, e.top), 0xFF0000u);
    }
    if (e.top > 0) {
      EXPECT_NE(ScreenPixel(d, e.left, e.top - 1), 0xFF0000u);
    }
    if (e.right < c.clientWidth) {
      EXPECT_NE(ScreenPixel(d, e.right, e.bottom - 1), 0xFF0000u);
    }
    // The control itself is black: only the blit colours the client's far corner.
    EXPECT_EQ(ScreenPixel(d, c.clientWidth - 1, c.clientHeight - 1) != 0,
              e.right == c.clientWidth && e.bottom == c.clientHeight);
  }
}

// Stretch set while initialised shows at the next flip.
TEST_F(DXDrawWindow, StretchTakesEffectAtTheNextFlip) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{0, 0, 320, 192}, 0xFF0000));
  PumpFor(100);
  d->Flip();
  ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(d, 200, 150) == 0xFF0000u; }, 2000));
  EXPECT_NE(ScreenPixel(d, 5, 5), 0xFF0000u);
  d->SetOptions(TDXDrawOptions{doCenter, doStretch, doWaitVBlank});
  d->Flip();
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(d, 5, 5) == 0xFF0000u; }, 2000));
}

// The form's painting presents the back surface again.
TEST_F(DXDrawWindow, PaintingPresentsTheBackSurface) {
  setup.options = TDXDrawOptions{doCenter, doWaitVBlank};
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{0, 0, 320, 192}, 0x00FF00));
  d->Invalidate();
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(d, 200, 150) == 0x00FF00u; }, 2000));
  EXPECT_TRUE(d->NowOptions().Contains(doWaitVBlank));
}

// Painting presents without the vertical-blank wait, but never by taking doWaitVBlank
// out of NowOptions, which another thread may be reading or setting meanwhile.
TEST_F(DXDrawWindow, PaintingLeavesNowOptionsAlone) {
  setup.options = TDXDrawOptions{doCenter, doWaitVBlank};
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  std::atomic<bool> stop{false};
  std::atomic<int> missing{0}, reads{0};
  std::thread reader([&] {
    while (!stop) {
      if (!d->NowOptions().Contains(doWaitVBlank)) ++missing;
      ++reads;
    }
  });
  for (int i = 0; i < 40; ++i) {
    d->Invalidate();
    d->Update();
  }
  stop = true;
  reader.join();
  EXPECT_GT(reads.load(), 0);
  EXPECT_EQ(missing.load(), 0);
}

// The palette-animation threads flip, update the palette and switch live options
// from their own threads while the main thread runs its messages.
TEST_F(DXDrawWindow, FlipsAndPaletteUpdatesFromAnotherThread) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{0, 0, 320, 192}, 0x0000FF));
  std::atomic<bool> done{false};
  std::atomic<int> failures{0};
  std::thread animation([&] {
    for (int i = 0; i < 200; ++i) {
      d->ColorTable[16 + i % 224] = RGBQUAD{static_cast<BYTE>(i), 0, 0, 0};
      d->UpdatePalette();
      d->SetOptions(i % 2 ? TDXDrawOptions{doCenter, doWaitVBlank} : TDXDrawOptions{doCenter});
      if (!d->CanDraw()) ++failures;
      d->Flip();
    }
    done = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return done.load(); }, 20000));
  animation.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(d->Primary()->DXResult(), DD_OK);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(d, 200, 150) == 0x0000FFu; }, 2000));
}

TEST_F(DXDrawWindow, ForegroundPaletteNotificationRestores) {
  TDXDraw* d = MakeShown();
  log.Take();
  EXPECT_TRUE(d->PaletteChanged(true));
  EXPECT_EQ(log.Take(), "RestoreSurface");
  EXPECT_FALSE(d->PaletteChanged(false));
  EXPECT_EQ(log.Take(), "");
}

// A re-created window gets the clipper and the cooperative level again.
TEST_F(DXDrawWindow, WindowCreationRenewsClipperAndCooperativeLevel) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  d->DDraw()->SetDXResult(E_FAIL);
  d->Clipper()->SetDXResult(E_FAIL);
  d->Perform(WM_CREATE, 0, 0);
  EXPECT_EQ(d->DDraw()->DXResult(), DD_OK);
  EXPECT_EQ(d->Clipper()->DXResult(), DD_OK);
  HWND clipped = nullptr;
  ASSERT_EQ(d->Clipper()->IDDClipper()->GetHWnd(&clipped), DD_OK);
  EXPECT_EQ(clipped, d->Handle());
}

TEST_F(DXDrawWindow, DisplaySettingsAreCopied) {
  Make();
  TDXDrawDisplay other(nullptr);
  other.SetWidth(800);
  other.SetHeight(600);
  other.SetBitCount(16);
  other.SetFixedRatio(false);
  form->DXDraw1->SetDisplay(&other);
  EXPECT_EQ(form->DXDraw1->Display()->Width(), 800);
  EXPECT_EQ(form->DXDraw1->Display()->Height(), 600);
  EXPECT_EQ(form->DXDraw1->Display()->BitCount(), 16);
  EXPECT_FALSE(form->DXDraw1->Display()->FixedRatio());
  EXPECT_EQ(form->DXDraw1->Display()->DXDraw(), form->DXDraw1);
}

// With the system colours kept, entry 5 stays the system's and entry 15 takes the new
// colour; the palette is read back from DirectDraw.
TEST_F(DXDrawWindow, UpdatePaletteKeepsTheSystemColours) {
  TDXDraw* d = MakeShown();
  ASSERT_TRUE(d->Initialized());
  ASSERT_NE(d->Palette()->IDDPalette(), nullptr);
  const TDXDrawPaletteEntries system = ScreenSystemPalette();
  d->ColorTable[5] = RGBQUAD{0x33, 0x22, 0x11, 0};
  d->ColorTable[15] = RGBQUAD{0x66, 0x55, 0x44, 0};
  d->UpdatePalette();
  EXPECT_EQ(d->Palette()->DXResult(), DD_OK);
  PALETTEENTRY e[256] = {};
  ASSERT_EQ(d->Palette()->IDDPalette()->GetEntries(0, 0, 256, e), DD_OK);
  EXPECT_EQ(e[5].peRed, system[5].peRed);
  EXPECT_EQ(e[5].peGreen, system[5].peGreen);
  EXPECT_EQ(e[5].peBlue, system[5].peBlue);
  EXPECT_EQ(e[15].peRed, 0x44);
  EXPECT_EQ(e[15].peGreen, 0x55);
  EXPECT_EQ(e[15].peBlue, 0x66);
  // The defaults are the screen's system palette, as the tables start.
  EXPECT_EQ(d->DefColorTable[255].rgbRed, system[255].peRed);
  EXPECT_EQ(d->DefColorTable[5].rgbBlue, system[5].peBlue);
}

// Restore shows DefColorTable while the handler redraws, and ColorTable after it.
class TPaletteWatcher : public TObject {
public:
  TDXDraw* d = nullptr;
  PALETTEENTRY during[256] = {};
  void RestoreSurface(TObject*) { d->Palette()->IDDPalette()->GetEntries(0, 0, 256, during); }
};

TEST_F(DXDrawWindow, RestoreShowsTheDefaultsDuringTheRedraw) {
  setup.autoInitialize = false;
  TDXDraw* d = MakeShown();
  TPaletteWatcher watcher;
  watcher.d = d;
  d->OnRestoreSurface = MakeEvent(&watcher, &TPaletteWatcher::RestoreSurface);
  d->DefColorTable[100] = RGBQUAD{1, 2, 3, 0};
  d->ColorTable[100] = RGBQUAD{7, 8, 9, 0};
  d->Initialize();
  EXPECT_EQ(watcher.during[100].peRed, 3);
  EXPECT_EQ(watcher.during[100].peBlue, 1);
  PALETTEENTRY after[256] = {};
  ASSERT_EQ(d->Palette()->IDDPalette()->GetEntries(0, 0, 256, after), DD_OK);
  EXPECT_EQ(after[100].peRed, 9);
  EXPECT_EQ(after[100].peBlue, 7);
  EXPECT_EQ(after[100].peFlags, PC_RESERVED);
}

TEST_F(DXDrawWindow, PresentingRefusesWhileNotInitialised) {
  TDXDraw* d = Make();
  EXPECT_FALSE(d->CanDraw());
  EXPECT_FALSE(d->RestoreIfLost());
  d->Flip();
  d->UpdatePalette();
  d->Restore();
  d->FlipToGDISurface();
  EXPECT_FALSE(d->Initialized());
}

TEST_F(DXDrawWindow, DriverChoiceIsKeptUnderTheGuidRule) {
  TDXDraw* d = Make();
  GUID g = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
  d->SetDriver(&g);
  ASSERT_NE(d->DriverGUID(), nullptr);
  EXPECT_NE(d->DriverGUID(), &g);
  EXPECT_TRUE(IsEqualGUID(*d->DriverGUID(), g));
  d->SetDriver(nullptr);
  EXPECT_EQ(d->DriverGUID(), nullptr);
  EXPECT_EQ(TCustomDXDraw::Drivers(), DirectDrawDriverList());
  // A window runs on the primary display driver whatever was chosen.
  d->SetDriver(&g);
  form->Show();
  EXPECT_TRUE(d->Initialized());
}

}  // namespace
