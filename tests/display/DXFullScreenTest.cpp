// Display modes for real: Wine's mode list, best-fit switching in exclusive full
// screen, and an 8-bit primary surface whose palette is set and read back. Needs a
// Wine virtual desktop (mode switches are not implemented on a bare X display).
#include <gtest/gtest.h>

#include "tests/display/DirectDrawTestSupport.h"
#include "display/DXDrawDisplay.h"
#include "display/DirectDrawPalette.h"

namespace {

class TOwner : public TDXDrawDisplayOwner {
public:
  TDirectDraw* ddraw = nullptr;
  TDirectDraw* DisplayDDraw() const override { return ddraw; }
  GUID* DisplayDriverGUID() const override { return nullptr; }
};

DDSURFACEDESC CurrentMode(TDirectDraw* dd) {
  DDSURFACEDESC d{};
  d.dwSize = sizeof d;
  dd->GetIDDraw()->GetDisplayMode(&d);
  return d;
}

TEST(DXDrawDisplayFullScreen, SwitchesModesAndShowsAn8BitPalette) {
  const int desktopWidth = GetSystemMetrics(SM_CXSCREEN);
  const int desktopHeight = GetSystemMetrics(SM_CYSCREEN);
  TDirectDrawTestForm* form = New<TDirectDrawTestForm>(nullptr);
  form->Show();
  PumpFor(50);
  TOwner owner;
  {
    // Before the control has an object, the list comes through a temporary one.
    TDXDrawDisplay display(&owner);
    ASSERT_GT(display.Count(), 0);
    EXPECT_EQ(display.IndexOf(1024, 768, 24), -1);  // Wine offers no 24-bit modes
  }
  owner.ddraw = new TDirectDraw(nullptr, false);
  ASSERT_EQ(owner.ddraw->GetIDDraw()->SetCooperativeLevel(
                form->Handle(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX),
            DD_OK);
  TDXDrawDisplay* display = new TDXDrawDisplay(&owner);
  ASSERT_GT(display->Count(), 0);
  for (int i = 1; i < display->Count(); ++i) {
    TDXDrawDisplayMode* a = display->Modes(i - 1);
    TDXDrawDisplayMode* b = display->Modes(i);
    const bool ascending = a->Width() < b->Width() || (a->Width() == b->Width() && a->Height() < b->Height()) ||
                           (a->Width() == b->Width() && a->Height() == b->Height() && a->BitCount() <= b->BitCount());
    EXPECT_TRUE(ascending) << i;
  }
  for (int bits : {8, 16, 32}) EXPECT_GE(display->IndexOf(640, 480, bits), 0) << bits;

  ASSERT_TRUE(display->SetBestDisplayMode(640, 480, 8)) << std::hex << owner.ddraw->DXResult()
                                                        << " (a Wine virtual desktop is needed)";
  DDSURFACEDESC mode = CurrentMode(owner.ddraw);
  EXPECT_EQ(mode.dwWidth, 640u);
  EXPECT_EQ(mode.dwHeight, 480u);
  EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 8u);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);

  auto* primary = new TDirectDrawSurface(owner.ddraw);
  DDSURFACEDESC d{};
  d.dwSize = sizeof d;
  d.dwFlags = DDSD_CAPS;
  d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  ASSERT_TRUE(primary->CreateSurface(d));
  EXPECT_EQ(primary->BitCount(), 8);
  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = PALETTEENTRY{BYTE(i), BYTE(i ^ 0x55), BYTE(255 - i), 0};
  auto* palette = new TDirectDrawPalette(owner.ddraw);
  ASSERT_TRUE(palette->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries));
  primary->SetPalette(palette);
  EXPECT_EQ(primary->DXResult(), DD_OK);
  PALETTEENTRY fractal[224];
  for (int i = 0; i < 224; ++i) fractal[i] = PALETTEENTRY{BYTE(3 * i), BYTE(2 * i), BYTE(i), PC_RESERVED};
  ASSERT_TRUE(palette->SetEntries(16, 224, fractal));
  PALETTEENTRY read[256] = {};
  ASSERT_EQ(palette->IDDPalette()->GetEntries(0, 0, 256, read), DD_OK);
  for (int i = 0; i < 256; ++i) {
    const PALETTEENTRY& want = (i >= 16 && i < 240) ? fractal[i - 16] : entries[i];
    EXPECT_EQ(read[i].peRed, want.peRed) << i;
    EXPECT_EQ(read[i].peGreen, want.peGreen) << i;
    EXPECT_EQ(read[i].peBlue, want.peBlue) << i;
  }
  // The screen shows index 20 in the colour that entry 20 now holds.
  EXPECT_TRUE(primary->Fill(20));
  PumpFor(200);
  HDC screen = GetDC(nullptr);
  const COLORREF shown = GetPixel(screen, 100, 100);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(shown, RGB(fractal[4].peRed, fractal[4].peGreen, fractal[4].peBlue));
  primary->Free();
  palette->Free();

  // No 24-bit modes here: with any bit count allowed, the best fit at that size is
  // the last count accepted there.
  display->SetFixedBitCount(false);
  ASSERT_TRUE(display->SetBestDisplayMode(800, 600, 24));
  EXPECT_EQ(display->Width(), 800);
  EXPECT_EQ(display->Height(), 600);
  EXPECT_EQ(display->BitCount(), 32);
  mode = CurrentMode(owner.ddraw);
  EXPECT_EQ(mode.dwWidth, 800u);
  EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 32u);

  display->Free();
  owner.ddraw->Free();  // gives the desktop its mode back
  PumpFor(100);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), desktopWidth);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), desktopHeight);
  form->Free();
}

}  // namespace
