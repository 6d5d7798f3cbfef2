// The DirectDraw wrappers against Wine's DirectDraw in a window: creation in both
// modes, the interface getters, sizing, the counted lock (also between threads),
// fills, blits, colour keys, the canvas (also between threads), bitmap transfers,
// palettes and clippers.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/display/DirectDrawTestSupport.h"
#include "tests/support/TestSupport.h"
#include "dib/DIB.h"
#include "display/DirectDrawClipper.h"
#include "display/DirectDrawPalette.h"
#include "forms/graphics/Bitmap.h"
#include "forms/graphics/Picture.h"
#include "forms/core/StringList.h"

namespace {

TEST(DirectDraw, MadeInDirectX7ModeHoldsAllThreeInterfaces) {
  TDirectDraw* dd = new TDirectDraw(nullptr);
  EXPECT_NE(dd->IDDraw(), nullptr);
  EXPECT_NE(dd->IDDraw4(), nullptr);
  EXPECT_NE(dd->GetIDDraw7(), nullptr);
  EXPECT_EQ(dd->DXResult(), DD_OK);
  EXPECT_EQ(dd->DriverCaps().dwSize, sizeof(DDCAPS));
  EXPECT_EQ(dd->HELCaps().dwSize, sizeof(DDCAPS));
  dd->Free();
}

TEST(DirectDraw, MadeWithoutDirectX7ModeHasNoSeventhInterface) {
  TDirectDraw* dd = new TDirectDraw(nullptr, false);
  EXPECT_NE(dd->GetIDDraw(), nullptr);
  EXPECT_EQ(TDirectDraw::GetIDDraw4(dd), dd->IDDraw4());
  EXPECT_NE(dd->IDDraw4(), nullptr);
  EXPECT_EQ(dd->IDDraw7(), nullptr);
  EXPECT_EQ(MessageOf([&] { dd->GetIDDraw7(); }), Format(SDXNotMade, SIDirectDraw7));
  EXPECT_EQ(TDirectDraw::GetIDDraw4(nullptr), nullptr);
  dd->Free();
}

TEST(DirectDraw, EmulationOnlyIsAcceptedInPlaceOfADriver) {
  TDirectDraw* dd = new TDirectDraw(DDCREATE_EMULATIONONLY_GUID, false);
  EXPECT_NE(dd->IDDraw(), nullptr);
  dd->Free();
}

TEST(DirectDraw, FreesItsSurfacesPalettesAndClippers) {
  WindowedDirectDraw w;
  TDirectDraw* dd = w.ddraw;
  w.ddraw = nullptr;
  auto* a = new TDirectDrawSurface(dd);
  auto* b = new TDirectDrawSurface(dd);
  new TDirectDrawPalette(dd);
  new TDirectDrawClipper(dd);
  a->SetSize(8, 8);
  b->SetSize(8, 8);
  ASSERT_EQ(dd->Surfaces().size(), 2u);
  a->Free();
  EXPECT_EQ(dd->Surfaces(), std::vector<TDirectDrawSurface*>{b});
  EXPECT_EQ(dd->Palettes().size(), 1u);
  EXPECT_EQ(dd->Clippers().size(), 1u);
  dd->Free();  // frees b, the palette and the clipper with it
}

TEST(DirectDrawSurface, AnEmptyWrapperHasNoSizeAndRaisesForItsInterfaces) {
  TDirectDraw* dd = new TDirectDraw(nullptr, false);
  auto* s = new TDirectDrawSurface(dd);
  EXPECT_EQ(s->Width(), 0);
  EXPECT_EQ(s->Height(), 0);
  EXPECT_EQ(s->IDDSurface(), nullptr);
  EXPECT_EQ(IDDSurfaceOf(nullptr), nullptr);
  EXPECT_EQ(IDDSurface7Of(nullptr), nullptr);
  EXPECT_EQ(MessageOf([&] { s->GetIDDSurface(); }), Format(SDXNotMade, SIDirectDrawSurface));
  EXPECT_EQ(MessageOf([&] { s->GetIDDSurface4(); }), Format(SDXNotMade, SIDirectDrawSurface4));
  EXPECT_EQ(MessageOf([&] { s->GetIDDSurface7(); }), Format(SDXNotMade, SIDirectDrawSurface7));
  DDSURFACEDESC d{};
  EXPECT_FALSE(s->Lock(d));
  s->Unlock();
  EXPECT_FALSE(s->Fill(0));
  EXPECT_FALSE(s->Restore());
  EXPECT_EQ(s->IsLost(), DD_OK);
  dd->Free();
}

TEST(DirectDrawSurface, SetSizeMakesAnOffscreenSurfaceAndZeroEmptiesIt) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(100, 50);
  ASSERT_NE(s->IDDSurface(), nullptr);
  EXPECT_NE(s->IDDSurface4(), nullptr);
  EXPECT_EQ(s->IDDSurface7(), nullptr);  // the owner has no IDirectDraw7
  EXPECT_EQ(s->Width(), 100);
  EXPECT_EQ(s->Height(), 50);
  EXPECT_EQ(s->ClientRect().right, 100);
  EXPECT_EQ(s->SurfaceDesc().dwSize, sizeof(DDSURFACEDESC));
  EXPECT_TRUE(s->SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN);
  EXPECT_EQ(s->BitCount(), 32);  // the desktop's format
  EXPECT_FALSE(s->SystemMemory());
  for (auto size : {std::pair<int, int>{0, 10}, {10, 0}, {-3, 5}}) {
    s->SetSize(size.first, size.second);
    EXPECT_EQ(s->IDDSurface(), nullptr);
    EXPECT_EQ(s->Width(), 0);
  }
}

TEST(DirectDrawSurface, HoldsTheSeventhInterfaceWhenItsOwnerDoes) {
  WindowedDirectDraw w(true);
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(4, 4);
  EXPECT_NE(s->GetIDDSurface7(), nullptr);
}

TEST(DirectDrawSurface, EveryNewSurfaceHasSourceColourKeyZero) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(16, 16);
  DDCOLORKEY key{1, 1};
  ASSERT_EQ(s->IDDSurface()->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
  EXPECT_EQ(key.dwColorSpaceLowValue, 0u);
  EXPECT_EQ(key.dwColorSpaceHighValue, 0u);
  s->TransparentColor(0x123456);
  ASSERT_EQ(s->IDDSurface()->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
  EXPECT_EQ(key.dwColorSpaceLowValue, 0x123456u);
  EXPECT_EQ(key.dwColorSpaceHighValue, 0x123456u);
}

TEST(DirectDrawSurface, NestedLocksShareTheOutermostLock) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(32, 32);
  DDSURFACEDESC first{}, second{};
  ASSERT_TRUE(s->Lock(first));
  ASSERT_TRUE(s->Lock(second));
  EXPECT_EQ(s->LockCount(), 2);
  EXPECT_EQ(first.lpSurface, second.lpSurface);
  EXPECT_EQ(first.lPitch, second.lPitch);
  EXPECT_EQ(first.dwSize, sizeof(DDSURFACEDESC));
  s->Unlock();
  EXPECT_EQ(s->LockCount(), 1);
  EXPECT_FALSE(DirectDrawCanLock(s->IDDSurface()));  // still locked
  s->Unlock();
  EXPECT_EQ(s->LockCount(), 0);
  EXPECT_EQ(s->DXResult(), DD_OK);
  EXPECT_EQ(s->LockedDesc().lpSurface, first.lpSurface);
  EXPECT_TRUE(DirectDrawCanLock(s->IDDSurface()));
  s->Unlock();  // no lock held: nothing happens
  EXPECT_EQ(s->LockCount(), 0);
  EXPECT_EQ(s->DXResult(), DD_OK);
}

TEST(DirectDrawSurface, ReplacingALockedSurfaceUnlocksItFirst) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(16, 16);
  Microsoft::WRL::ComPtr<IDirectDrawSurface> old = s->IDDSurface();
  DDSURFACEDESC d{};
  ASSERT_TRUE(s->Lock(d));
  ASSERT_TRUE(s->Lock(d));
  s->SetIDDSurface(old.Get());  // the same surface: nothing changes
  EXPECT_EQ(s->LockCount(), 2);
  s->SetSize(8, 8);
  EXPECT_EQ(s->LockCount(), 0);
  EXPECT_TRUE(DirectDrawCanLock(old.Get()));
  ASSERT_TRUE(s->Lock(d));
  Microsoft::WRL::ComPtr<IDirectDrawSurface> second = s->IDDSurface();
  s->SetIDDSurface(nullptr);
  EXPECT_TRUE(DirectDrawCanLock(second.Get()));
}

TEST(DirectDrawSurface, ThreadsLockingTheSameSurfaceKeepTheCountRight) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(64, 64);
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        DDSURFACEDESC d{};
        if (!s->Lock(d)) {
          ++failures;
          continue;
        }
        static_cast<uint32_t*>(d.lpSurface)[t] = static_cast<uint32_t>(i);
        if (i % 3 == 0) {  // nesting inside another thread's outermost lock
          DDSURFACEDESC inner{};
          if (!s->Lock(inner) || inner.lpSurface != d.lpSurface) ++failures;
          s->Unlock();
        }
        s->Unlock();
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(s->LockCount(), 0);
  EXPECT_TRUE(DirectDrawCanLock(s->IDDSurface()));
  for (int t = 0; t < 4; ++t) EXPECT_EQ(PixelAt(s, t, 0), 1999u);
}

TEST(DirectDrawSurface, FillAndBltWriteRawPixels) {
  WindowedDirectDraw w;
  auto* a = new TDirectDrawSurface(w.ddraw);
  auto* b = new TDirectDrawSurface(w.ddraw);
  a->SetSize(20, 10);
  b->SetSize(20, 10);
  ASSERT_TRUE(a->Fill(0x00336699));
  EXPECT_EQ(PixelAt(a, 0, 0), 0x336699u);
  EXPECT_EQ(PixelAt(a, 19, 9), 0x336699u);
  ASSERT_TRUE(b->Fill(0));
  RECT dest = Rect(5, 2, 10, 6);
  RECT src = Rect(0, 0, 5, 4);
  ASSERT_TRUE(b->Blt(&dest, &src, DDBLT_WAIT, nullptr, a));
  EXPECT_EQ(PixelAt(b, 5, 2), 0x336699u);
  EXPECT_EQ(PixelAt(b, 9, 5), 0x336699u);
  EXPECT_EQ(PixelAt(b, 4, 2), 0u);
  EXPECT_EQ(PixelAt(b, 10, 6), 0u);
}

TEST(DirectDrawSurface, CanvasDrawsThroughTheSurfacesDeviceContext) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(40, 30);
  s->Fill(0);
  TDirectDrawSurfaceCanvas* canvas = s->Canvas();
  EXPECT_EQ(s->Canvas(), canvas);
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect(Rect(10, 10, 20, 20));
  EXPECT_NE(canvas->DC(), nullptr);
  canvas->Release();
  EXPECT_EQ(canvas->DC(), nullptr);
  EXPECT_FALSE(canvas->HandleAllocated());
  EXPECT_EQ(PixelAt(s, 15, 15), 0xFF0000u);  // X8R8G8B8
  EXPECT_EQ(PixelAt(s, 5, 5), 0u);
  canvas->Release();  // nothing held: nothing happens
}

// The palette animation draws its frame-rate text through the surface's canvas while the
// main thread copies the surface for an image or an AVI frame: every draw and every copy
// succeeds, and no device context is left behind to keep the surface from locking.
TEST(DirectDrawSurface, TwoThreadsDrawAndCopyThroughTheOneCanvas) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(160, 40);
  s->Fill(0);
  std::atomic<int> drawFailures{0}, copyFailures{0};
  std::thread animation([&] {
    for (int i = 0; i < 1500; ++i) {
      TDirectDrawSurfaceCanvas* canvas = s->Canvas();
      try {
        canvas->Brush()->SetColor(clBlack);
        canvas->Font()->SetColor(clYellow);
        canvas->TextOut(0, 0, "fps " + IntToStr(i));
      } catch (const Exception&) {
        ++drawFailures;
      }
      canvas->Release();
    }
  });
  TBitmap copy;
  copy.SetPixelFormat(pf24bit);
  copy.SetSize(160, 40);
  for (int i = 0; i < 1500; ++i) {
    TDirectDrawSurfaceCanvas* canvas = s->Canvas();
    try {
      copy.Canvas()->CopyRect(Rect(0, 0, 160, 40), canvas, Rect(0, 0, 160, 40));
    } catch (const Exception&) {
      ++copyFailures;
    }
    canvas->Release();
  }
  animation.join();
  EXPECT_EQ(drawFailures.load(), 0);
  EXPECT_EQ(copyFailures.load(), 0);
  EXPECT_EQ(s->Canvas()->DC(), nullptr);
  s->Canvas()->Release();
  EXPECT_TRUE(DirectDrawCanLock(s->IDDSurface()));
  // The text reached the surface.
  bool yellow = false;
  for (int x = 0; x < 160 && !yellow; ++x)
    for (int y = 0; y < 40 && !yellow; ++y) yellow = PixelAt(s, x, y) == 0xFFFF00u;
  EXPECT_TRUE(yellow);
}

TEST(DirectDrawSurface, CopiesItselfIntoA24BitDIB) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(100, 50);
  s->Fill(0x00204080);
  SetPixelAt(s, 99, 49, 0x00FFFFFF);
  TDIB dib;
  dib.Assign(s);
  EXPECT_EQ(dib.Width(), 100);
  EXPECT_EQ(dib.Height(), 50);
  EXPECT_EQ(dib.BitCount(), 24);
  const uint8_t* p = dib.ScanLine(0);
  EXPECT_EQ(p[0], 0x80);  // blue, green, red
  EXPECT_EQ(p[1], 0x40);
  EXPECT_EQ(p[2], 0x20);
  const uint8_t* last = dib.ScanLine(49) + 99 * 3;
  EXPECT_EQ(last[0], 0xFF);
  EXPECT_EQ(s->Canvas()->DC(), nullptr);  // the device context went back
}

TEST(DirectDrawSurface, LoadsADIBAtItsSizeOrStretched) {
  WindowedDirectDraw w;
  TDIB dib;
  dib.SetSize(8, 4, 24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      uint8_t* p = dib.ScanLine(y) + x * 3;
      p[0] = 0x10; p[1] = 0x20; p[2] = x < 4 ? 0xF0 : 0x00;
    }
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->Assign(&dib);
  EXPECT_EQ(s->Width(), 8);
  EXPECT_EQ(s->Height(), 4);
  EXPECT_EQ(PixelAt(s, 0, 0), 0xF02010u);
  EXPECT_EQ(PixelAt(s, 7, 3), 0x002010u);
  s->LoadFromGraphicRect(&dib, 16, 0, Rect(0, 0, 4, 4));  // the left half, twice as wide
  EXPECT_EQ(s->Width(), 16);
  EXPECT_EQ(s->Height(), 4);
  EXPECT_EQ(PixelAt(s, 15, 3), 0xF02010u);
}

TEST(DirectDrawSurface, AssignDuplicatesOrEmpties) {
  WindowedDirectDraw w;
  auto* a = new TDirectDrawSurface(w.ddraw);
  auto* b = new TDirectDrawSurface(w.ddraw);
  auto* empty = new TDirectDrawSurface(w.ddraw);
  a->SetSize(10, 10);
  a->Fill(0x00ABCDEF);
  b->Assign(a);
  ASSERT_NE(b->IDDSurface(), nullptr);
  EXPECT_NE(b->IDDSurface(), a->IDDSurface());
  EXPECT_EQ(b->Width(), 10);
  EXPECT_EQ(b->Height(), 10);
  b->Assign(empty);
  EXPECT_EQ(b->IDDSurface(), nullptr);
  a->Assign(nullptr);
  EXPECT_EQ(a->IDDSurface(), nullptr);
  TStringList notAGraphic;
  EXPECT_THROW(a->Assign(&notAGraphic), EConvertError);
}

class TCountingSurface : public TDirectDrawSurface {
public:
  using TDirectDrawSurface::TDirectDrawSurface;
  int failures = 0;

protected:
  void DoDXResult() override { ++failures; }
};

TEST(DirectX, EveryNonzeroResultPassesDoDXResult) {
  TDirectDraw* dd = new TDirectDraw(nullptr, false);
  auto* s = new TCountingSurface(dd);
  s->SetDXResult(DD_OK);
  EXPECT_EQ(s->failures, 0);
  s->SetDXResult(DDERR_SURFACELOST);
  EXPECT_EQ(s->failures, 1);
  EXPECT_EQ(s->DXResult(), DDERR_SURFACELOST);
  dd->Free();
}

TEST(DirectDrawPalette, SetsEntriesOnlyOnceMade) {
  WindowedDirectDraw w;
  auto* p = new TDirectDrawPalette(w.ddraw);
  PALETTEENTRY entries[256] = {};
  EXPECT_FALSE(p->SetEntries(0, 256, entries));
  EXPECT_EQ(MessageOf([&] { p->GetIDDPalette(); }), Format(SDXNotMade, SIDirectDrawPalette));
  for (int i = 0; i < 256; ++i) entries[i] = PALETTEENTRY{BYTE(i), BYTE(255 - i), BYTE(i / 2), 0};
  ASSERT_TRUE(p->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries));
  EXPECT_EQ(w.ddraw->DXResult(), DD_OK);
  PALETTEENTRY changed[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
  ASSERT_TRUE(p->SetEntries(10, 2, changed));
  PALETTEENTRY read[256] = {};
  ASSERT_EQ(p->IDDPalette()->GetEntries(0, 0, 256, read), DD_OK);
  EXPECT_EQ(read[9].peRed, 9);
  EXPECT_EQ(read[10].peBlue, 3);
  EXPECT_EQ(read[11].peGreen, 5);
  EXPECT_EQ(read[200].peGreen, 55);
  EXPECT_FALSE(p->CreatePalette(0x7FFF0000, entries));  // flags DirectDraw rejects
  EXPECT_NE(p->DXResult(), DD_OK);
  EXPECT_EQ(p->DXResult(), w.ddraw->DXResult());
  EXPECT_EQ(p->IDDPalette(), nullptr);
}

TEST(DirectDrawClipper, ClipsThePrimarySurfaceToAWindow) {
  WindowedDirectDraw w;
  auto* clipper = new TDirectDrawClipper(w.ddraw);
  ASSERT_NE(clipper->GetIDDClipper(), nullptr);
  clipper->SetHWnd(w.form->Handle());
  EXPECT_EQ(clipper->DXResult(), DD_OK);
  HWND window = nullptr;
  clipper->IDDClipper()->GetHWnd(&window);
  EXPECT_EQ(window, w.form->Handle());

  auto* primary = new TDirectDrawSurface(w.ddraw);
  DDSURFACEDESC d{};
  d.dwSize = sizeof d;
  d.dwFlags = DDSD_CAPS;
  d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  ASSERT_TRUE(primary->CreateSurface(d));
  EXPECT_FALSE(primary->HasClipper());
  primary->SetClipper(clipper);
  EXPECT_TRUE(primary->HasClipper());
  primary->SetIDDSurface(nullptr);
  EXPECT_FALSE(primary->HasClipper());
}

}  // namespace

namespace {

TEST(DirectDrawSurface, LoadsOtherGraphicsAtTheirSizeOrThroughAStretchedCopy) {
  WindowedDirectDraw w;
  TBitmap bitmap;
  bitmap.SetSize(6, 6);
  bitmap.Canvas()->Brush()->SetColor(clBlue);
  bitmap.Canvas()->FillRect(Rect(0, 0, 6, 6));
  bitmap.Canvas()->Brush()->SetColor(clLime);
  bitmap.Canvas()->FillRect(Rect(3, 0, 6, 6));
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->Assign(&bitmap);
  EXPECT_EQ(s->Width(), 6);
  EXPECT_EQ(PixelAt(s, 0, 0), 0x0000FFu);
  EXPECT_EQ(PixelAt(s, 5, 5), 0x00FF00u);
  s->LoadFromGraphicRect(&bitmap, 12, 12, Rect(3, 0, 6, 6));  // the green half, stretched
  EXPECT_EQ(s->Width(), 12);
  EXPECT_EQ(PixelAt(s, 0, 0), 0x00FF00u);
  EXPECT_EQ(PixelAt(s, 11, 11), 0x00FF00u);
  EXPECT_EQ(s->Canvas()->DC(), nullptr);
}

TEST(DirectDrawSurface, EmptyGraphicsPicturesAndSurfacesTransferNothing) {
  WindowedDirectDraw w;
  auto* s = new TDirectDrawSurface(w.ddraw);
  s->SetSize(4, 4);
  TBitmap empty;
  s->Assign(&empty);
  EXPECT_EQ(s->IDDSurface(), nullptr);
  s->SetSize(4, 4);
  TPicture picture;
  s->Assign(&picture);
  EXPECT_EQ(s->IDDSurface(), nullptr);
  TDIB dib;
  dib.SetSize(3, 3, 24);
  dib.Assign(s);
  EXPECT_EQ(dib.Width(), 0);
  EXPECT_TRUE(dib.Empty());
}

}  // namespace
