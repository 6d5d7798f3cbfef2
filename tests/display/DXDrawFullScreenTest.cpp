// The display control in exclusive full screen, on real DirectDraw inside a Wine
// virtual desktop (the only place here where display modes change): the flip driver,
// the flip to the GDI surface on deactivation, the palette of an 8-bit mode, the
// failed mode switch, and the desktop's mode coming back at finalisation.
#include <gtest/gtest.h>

#include <memory>

#include "tests/display/DXDrawTestForm.h"
#include "tests/support/GuiTest.h"
#include "display/DXDrawDriver.h"
#include "display/DXErrors.h"

namespace {

struct FormFreer {
  void operator()(TObject* o) const { o->Free(); }
};
using FormPtr = std::unique_ptr<TDXDrawTestForm, FormFreer>;

// The screen's pixel as 0x00RRGGBB.
DWORD ScreenPixelAt(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF v = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

constexpr HRESULT kUntouched = static_cast<HRESULT>(0x8000FFFF);

TDXDrawFormSetup FullScreenSetup(TDXDrawOptions options, TDXDrawEventLog* log = nullptr) {
  TDXDrawFormSetup s;
  s.options = options;
  s.autoInitialize = false;
  s.log = log;
  return s;
}

FormPtr ShowFullScreen(const TDXDrawFormSetup& setup, int width, int height, int bitCount) {
  FormPtr form(New<TDXDrawTestForm>(nullptr, setup));
  TDXDrawDisplay* display = form->DXDraw1->Display();
  display->SetWidth(width);
  display->SetHeight(height);
  display->SetBitCount(bitCount);
  display->SetFixedSize(true);
  form->Show();
  PumpFor(50);
  return form;
}

class FullScreen : public testing::Test {
protected:
  void SetUp() override {
    desktopWidth_ = GetSystemMetrics(SM_CXSCREEN);
    desktopHeight_ = GetSystemMetrics(SM_CYSCREEN);
  }
  // Every test ends with the desktop's own mode back.
  void TearDown() override {
    PumpFor(50);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), desktopWidth_);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), desktopHeight_);
  }
  int desktopWidth_ = 0, desktopHeight_ = 0;
};

TEST_F(FullScreen, FlipDriverChangesTheModeAndFlipsItsBackBuffer) {
  TDXDrawEventLog log;
  FormPtr form = ShowFullScreen(FullScreenSetup({doFullScreen, doFlip, doAllowReboot}, &log), 640, 480, 32);
  TDXDraw* d = form->DXDraw1;
  ASSERT_NO_THROW(d->Initialize());
  ASSERT_TRUE(d->Initialized());
  EXPECT_EQ(log.Take(), "Initializing Initialize InitializeSurface RestoreSurface");
  EXPECT_NE(dynamic_cast<TDXDrawDriverFlip*>(d->Driver()), nullptr);
  EXPECT_EQ((d->NowOptions() - TDXDrawOptions{doSystemMemory}).Bits(),
            (TDXDrawOptions{doFullScreen, doFlip, doAllowReboot}).Bits());
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
  EXPECT_EQ(d->Display()->Width(), 640);
  ASSERT_NE(d->Surface()->IDDSurface(), nullptr) << "no back buffer attached";
  EXPECT_EQ(d->SurfaceWidth(), 640);
  EXPECT_EQ(d->SurfaceHeight(), 480);
  EXPECT_TRUE(d->CanDraw());
  EXPECT_EQ(d->NowOptions().Contains(doSystemMemory),
            (d->Surface()->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY) != 0);

  // The flip driver's back surface cannot be resized: nothing happens.
  d->SetSize(320, 240);
  EXPECT_EQ(log.Take(), "");
  EXPECT_EQ(d->SurfaceWidth(), 640);

  SetForegroundWindow(form->Handle());
  PumpUntil([&] { return d->FormActive(); }, 2000);
  ASSERT_TRUE(d->FormActive());
  ASSERT_TRUE(FillThroughLock(d->Surface(), RECT{0, 0, 640, 480}, 0xFF0000));
  d->Primary()->SetDXResult(kUntouched);
  d->Flip();
  EXPECT_EQ(d->Primary()->DXResult(), DD_OK);
  EXPECT_TRUE(PumpUntil([] { return ScreenPixelAt(320, 240) == 0xFF0000u; }, 2000));

  d->Finalize();
  EXPECT_EQ(log.Take(), "FinalizeSurface Finalize");
  EXPECT_EQ(d->DDraw(), nullptr);
}

TEST_F(FullScreen, DeactivationFlipsToTheGDISurfaceAndInactiveFlipsShowNothing) {
  FormPtr form = ShowFullScreen(FullScreenSetup({doFullScreen, doFlip}), 640, 480, 32);
  TDXDraw* d = form->DXDraw1;
  ASSERT_NO_THROW(d->Initialize());
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(PumpUntil([&] { return d->FormActive(); }, 2000));

  // A menu about to open brings the GDI surface to the front.
  d->DDraw()->SetDXResult(kUntouched);
  form->Perform(WM_INITMENU, 0, 0);
  EXPECT_EQ(d->DDraw()->DXResult(), DD_OK);

  d->DDraw()->SetDXResult(kUntouched);
  TForm* other = New<TForm>(nullptr);
  other->SetBounds(10, 10, 100, 80);
  other->Show();
  SetForegroundWindow(other->Handle());
  ASSERT_TRUE(PumpUntil([&] { return !d->FormActive(); }, 2000));
  EXPECT_EQ(d->DDraw()->DXResult(), DD_OK) << "no FlipToGDISurface on deactivation";

  d->Primary()->SetDXResult(kUntouched);
  d->Flip();
  EXPECT_EQ(d->Primary()->DXResult(), DD_OK);
  other->Free();
  d->Finalize();
}

// In a window FlipToGDISurface does nothing: there is no flip chain.
TEST_F(FullScreen, WindowedControlsDoNotFlipToTheGDISurface) {
  TDXDrawFormSetup setup;
  setup.autoInitialize = false;
  FormPtr form(New<TDXDrawTestForm>(nullptr, setup));
  TDXDraw* d = form->DXDraw1;
  form->Show();
  d->Initialize();
  d->DDraw()->SetDXResult(kUntouched);
  d->FlipToGDISurface();
  form->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(d->DDraw()->DXResult(), kUntouched);
}

TEST_F(FullScreen, AModeThatCannotBeSetFailsAndFinalises) {
  TDXDrawEventLog log;
  FormPtr form = ShowFullScreen(FullScreenSetup({doFullScreen, doFlip}, &log), 4000, 3000, 32);
  TDXDraw* d = form->DXDraw1;
  try {
    d->Initialize();
    FAIL() << "no exception";
  } catch (const EDXDrawError& e) {
    EXPECT_EQ(e.Message(), "Display mode cannot be changed (4000x3000 32bit)");
  }
  EXPECT_EQ(log.Take(), "Initializing");
  EXPECT_FALSE(d->Initialized());
  EXPECT_FALSE(d->NeedFinalize());
  EXPECT_EQ(d->DDraw(), nullptr);
  EXPECT_EQ(d->Driver(), nullptr);
}

// Full screen without page flipping runs the blit driver on the changed mode.
TEST_F(FullScreen, WithoutFlipTheBlitDriverServesFullScreen) {
  FormPtr form = ShowFullScreen(FullScreenSetup({doFullScreen, doCenter}), 800, 600, 32);
  TDXDraw* d = form->DXDraw1;
  ASSERT_NO_THROW(d->Initialize());
  EXPECT_NE(dynamic_cast<TDXDrawDriverBlt*>(d->Driver()), nullptr);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(d->SurfaceWidth(), 320);
  EXPECT_TRUE(d->CanDraw());
  d->Flip();
  EXPECT_EQ(d->Primary()->DXResult(), DD_OK);
  d->Finalize();
}

// On an 8-bit mode with all 256 entries the control's, entry 5 takes the new colour;
// without doAllowPalette256 it keeps the system's.
TEST_F(FullScreen, EightBitPaletteIsSetAndReadBack) {
  for (bool all256 : {true, false}) {
    SCOPED_TRACE(all256 ? "doAllowPalette256" : "system colours kept");
    TDXDrawOptions options{doFullScreen, doFlip};
    if (all256) options.Include(doAllowPalette256);
    FormPtr form = ShowFullScreen(FullScreenSetup(options), 640, 480, 8);
    TDXDraw* d = form->DXDraw1;
    ASSERT_NO_THROW(d->Initialize());
    ASSERT_EQ(d->Surface()->BitCount(), 8);
    d->ColorTable[5] = RGBQUAD{0x30, 0x20, 0x10, 0};
    d->ColorTable[15] = RGBQUAD{0x60, 0x50, 0x40, 0};
    d->ColorTable[250] = RGBQUAD{0x90, 0x80, 0x70, 0};
    d->UpdatePalette();
    EXPECT_EQ(d->Palette()->DXResult(), DD_OK);
    PALETTEENTRY e[256] = {};
    ASSERT_EQ(d->Palette()->IDDPalette()->GetEntries(0, 0, 256, e), DD_OK);
    const TDXDrawPaletteEntries system = ScreenSystemPalette();
    EXPECT_EQ(e[15].peRed, 0x40);
    EXPECT_EQ(e[15].peBlue, 0x60);
    if (all256) {
      EXPECT_EQ(e[5].peRed, 0x10);
      EXPECT_EQ(e[250].peBlue, 0x90);
    } else {
      EXPECT_EQ(e[5].peRed, system[5].peRed);
      EXPECT_EQ(e[5].peBlue, system[5].peBlue);
      EXPECT_EQ(e[250].peRed, system[250].peRed);
    }
    DWORD caps = 0;
    ASSERT_EQ(d->Palette()->IDDPalette()->GetCaps(&caps), DD_OK);
    EXPECT_EQ((caps & DDPCAPS_ALLOW256) != 0, all256);
    d->Finalize();
  }
}

}  // namespace
