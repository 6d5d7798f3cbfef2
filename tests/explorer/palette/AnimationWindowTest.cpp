// Palette animation and the negative image on the real main window under wine: the
// 32-bit animation recolouring the surface from IterBuffer on one thread and on the
// even/odd pair, direction and speed, the stops (the command, a re-render, the close)
// ending the threads before the surface, lock and events go, the frame-rate text, and
// the 8-bit rotation of the colour table in full screen inside the virtual desktop.
#include <cstring>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/app/ExplorerState.h"
#include "tests/explorer/MainWindowFixture.h"
#include "explorer/palette/PaletteCycling.h"
#include "explorer/palette/PaletteLockHolder.h"
#include "explorer/render/PixelPacking.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "display/DirectDrawPalette.h"
#include "display/DirectDrawSurface.h"
#include "forms/windows/Menus.h"

namespace {


bool ThreadsEnded() {
  for (HANDLE h : AnimThreadHandles)
    if (h && WaitForSingleObject(h, 0) != WAIT_OBJECT_0) return false;
  return true;
}

class Animation : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    AnimDirection = 0;
    AnimDelay = 10;
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    UseMultiThreading = 0;
    PaletteOffset = 0;
    PaletteLoaded = 0;
    AnimDirection = 0;
    AnimDelay = 10;
  }

  void Open() {
    OpenWindow(320, 240);
    ASSERT_EQ(form->DXDraw1->Surface()->BitCount(), 32);
  }

  // Runs the animation for about ms milliseconds through the menu command, then stops it.
  void Animate(DWORD ms) {
    form->PaletteAnimation1Click(form->PaletteAnimation1);
    ASSERT_TRUE(form->PaletteAnimation1->Checked());
    ASSERT_TRUE(form->PaletteAnimation2->Checked());
    PumpFor(ms);
    form->PaletteAnimation1Click(form->PaletteAnimation1);
    EXPECT_FALSE(form->PaletteAnimation1->Checked());
    EXPECT_FALSE(form->PaletteAnimation2->Checked());
    EXPECT_EQ(AnimStop.load(), 1);
    EXPECT_EQ(WaitForSingleObject(form->AnimIdleEvent, 0), WAIT_OBJECT_0);
    ASSERT_TRUE(PumpUntil(ThreadsEnded, 5000));
  }

  // Every outside pixel shows the animation's colour of its count at the reached offset;
  // inside pixels keep the render's (black).
  void ExpectFrameOfOffset(std::int32_t offset) {
    const std::vector<std::uint32_t> pixels = SurfacePixels(form->DXDraw1, 320, 240);
    ASSERT_EQ(pixels.size(), 320u * 240u);
    const TAnimColoring c =
        CurrentAnimColoring(offset, reinterpret_cast<const ColorTableEntry*>(form->DXDraw1->ColorTable));
    int outside = 0;
    for (int i = 0; i < 320 * 240; ++i) {
      const std::int32_t n = IterBuffer[i];
      const std::uint32_t expected = n == 0 ? 0u : AnimPixelValue(n, c) & 0xFFFFFF;
      outside += n != 0;
      ASSERT_EQ(pixels[i], expected) << "pixel " << i % 320 << "," << i / 320 << " count " << n;
    }
    EXPECT_GT(outside, 1000);
  }
};

TEST_F(Animation, ThirtyTwoBitThreadRecoloursEveryOutsidePixelWithTheRunningOffset) {
  Open();
  Animate(400);
  // One offset step per frame, counted from zero.
  EXPECT_GT(PaletteOffset, 3);
  EXPECT_EQ(std::uint32_t(PaletteOffset), FpsFrames.load());
  ExpectFrameOfOffset(PaletteOffset);
  EXPECT_EQ(PaletteLoaded, 0);
}

TEST_F(Animation, ThePairDrawsEvenAndOddRowsOfTheSameFrame) {
  Open();
  UseMultiThreading = -1;
  Animate(400);
  ASSERT_GT(PaletteOffset, 3);
  ExpectFrameOfOffset(PaletteOffset);
}

TEST_F(Animation, TableColoursCycleWhenAPaletteIsLoaded) {
  Open();
  PaletteLoaded = -1;
  Animate(300);
  ASSERT_GT(PaletteOffset, 0);
  ExpectFrameOfOffset(PaletteOffset);
}

TEST_F(Animation, DirectionOneStepsTheOffsetDownAndChangeDirectionTurnsIt) {
  Open();
  form->ChangeDirection1Click(form->ChangeDirection1);
  EXPECT_EQ(AnimDirection.load(), 1);
  Animate(300);
  EXPECT_LT(PaletteOffset, -2);
  ExpectFrameOfOffset(PaletteOffset);
  // The popup twin shares the handler.
  form->ChangeDirection2->Click();
  EXPECT_EQ(AnimDirection.load(), 0);
  const std::int32_t reached = PaletteOffset;
  Animate(300);
  EXPECT_GT(PaletteOffset, reached);
}

TEST_F(Animation, SpeedStepsBoundTheDelayAndSetTheFramePace) {
  Open();
  AnimDelay = 100;
  form->DecreaseAnimSpeed1Click(form);
  EXPECT_EQ(AnimDelay.load(), 100);
  Animate(600);
  const std::int32_t slow = PaletteOffset;
  EXPECT_LE(slow, 8);  // at most one frame per 100 ms

  for (int i = 0; i < 12; ++i) form->IncreaseAnimSpeed2->Click();
  EXPECT_EQ(AnimDelay.load(), 0);
  FpsFrames = 77;
  form->IncreaseAnimSpeed1Click(form);
  EXPECT_EQ(AnimDelay.load(), 0);
  EXPECT_EQ(FpsFrames.load(), 0u);  // the count restarts
  PaletteOffset = 0;
  Animate(600);
  EXPECT_GT(PaletteOffset, 2 * slow);
}

TEST_F(Animation, ARerenderStopsTheThirtyTwoBitAnimationBeforeTheSurfaceGoes) {
  Open();
  form->PaletteAnimation1Click(form);
  PumpFor(150);
  ASSERT_TRUE(form->PaletteAnimation1->Checked());
  const int starts = renderStarts;
  form->DXDraw1->SetSize(320, 240);
  EXPECT_EQ(AnimStop.load(), 1);
  EXPECT_TRUE(ThreadsEnded());  // already when the surface was finalised
  EXPECT_FALSE(form->PaletteAnimation1->Checked());
  EXPECT_FALSE(form->PaletteAnimation2->Checked());
  EXPECT_TRUE(WaitForRender());
  EXPECT_GT(renderStarts, starts);
}

TEST_F(Animation, CloseEndsTheThreadsBeforeTheLockAndEventsGo) {
  Open();
  UseMultiThreading = -1;
  form->PaletteAnimation1Click(form);
  PumpFor(150);
  HANDLE threads[2] = {nullptr, nullptr};
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), AnimThreadHandles[0], GetCurrentProcess(),
                              &threads[0], 0, FALSE, DUPLICATE_SAME_ACCESS));
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), AnimThreadHandles[1], GetCurrentProcess(),
                              &threads[1], 0, FALSE, DUPLICATE_SAME_ACCESS));
  form->Close();
  EXPECT_EQ(form->AnimIdleEvent, nullptr);
  EXPECT_EQ(form->AnimStartEvent, nullptr);
  EXPECT_EQ(form->AnimHalfDoneEvent, nullptr);
  EXPECT_EQ(AnimThreadHandles[0], nullptr);
  EXPECT_EQ(AnimThreadHandles[1], nullptr);
  for (HANDLE h : threads) {
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(h, &code));
    EXPECT_EQ(code, 13u);
    CloseHandle(h);
  }
}

TEST_F(Animation, NegativeImageRecoloursTheSurfaceAndTwiceRestoresIt) {
  Open();
  const std::vector<std::uint32_t> before = SurfacePixels(form->DXDraw1, 320, 240);
  RGBQUAD table[256];
  std::memcpy(table, form->DXDraw1->ColorTable, sizeof table);
  const int starts = renderStarts;

  form->NegativeImage2->Click();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(PaletteLoaded, -1);
  EXPECT_EQ(InsideColor, 0xFFFFFFu);
  EXPECT_EQ(RecolorRequest, 0);
  const std::vector<std::uint32_t> negative = SurfacePixels(form->DXDraw1, 320, 240);
  for (int i = 0; i < 320 * 240; i += 97) {
    // Inside white; outside the inverted table colour of the count.
    const std::int32_t n = IterBuffer[i];
    const RGBQUAD e = table[n == 0 ? 240 : 16 + Mod224(std::uint32_t(n))];
    const std::uint32_t expected = std::uint32_t(255 - e.rgbRed) << 16 |
                                   std::uint32_t(255 - e.rgbGreen) << 8 | (255 - e.rgbBlue);
    ASSERT_EQ(negative[i], expected) << i << " count " << n;
  }

  form->NegativeImage1Click(form);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(InsideColor, 0u);
  EXPECT_EQ(std::memcmp(table, form->DXDraw1->ColorTable, sizeof table), 0);
  EXPECT_EQ(SurfacePixels(form->DXDraw1, 320, 240), before);
  EXPECT_EQ(renderStarts, starts + 2);  // two surface starts, both only recolouring
}

TEST_F(Animation, FrameRateTextIsDrawnOnTheSurfaceBeforeTheFlip) {
  Open();
  form->ShowFPS2->Click();
  EXPECT_TRUE(form->ShowFPS1->Checked());
  EXPECT_TRUE(form->ShowFPS2->Checked());
  Animate(300);
  const std::vector<std::uint32_t> pixels = SurfacePixels(form->DXDraw1, 320, 240);
  int yellow = 0, black = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      yellow += pixels[y * 320 + x] == 0xFFFF00;
      black += pixels[y * 320 + x] == 0;
    }
  EXPECT_GT(yellow, 10);
  EXPECT_GT(black, 100);  // the solid background behind the digits
  form->ShowFPS1Click(form);
  EXPECT_FALSE(form->ShowFPS2->Checked());
}

TEST_F(Animation, VerticalSyncItemsStayTogetherAndTheThreadsLeaveTheOptionOff) {
  Open();
  EXPECT_TRUE(form->EnableVSync1->Checked());
  form->EnableVSync2->Click();
  EXPECT_FALSE(form->EnableVSync1->Checked());
  EXPECT_FALSE(form->EnableVSync2->Checked());
  form->EnableVSync1Click(form);
  EXPECT_TRUE(form->EnableVSync2->Checked());
  Animate(200);
  EXPECT_FALSE(form->DXDraw1->Options().Contains(doWaitVBlank));
  EXPECT_FALSE(form->DXDraw1->NowOptions().Contains(doWaitVBlank));
}

// Full screen at 8 bits inside the virtual desktop: the display control re-initialised
// with the main window's options and the mode, and the first render of it done.
class EightBitAnimation : public Animation {
protected:
  void OpenEightBit() {
    OpenWindow(320, 240);
    TDXDraw* d = form->DXDraw1;
    d->Finalize();
    d->SetOptions(d->Options() + TDXDrawOptions{doFullScreen});
    d->Display()->SetWidth(640);
    d->Display()->SetHeight(480);
    d->Display()->SetBitCount(8);
    d->Display()->SetFixedSize(true);
    const int starts = renderStarts;
    d->Initialize();
    ASSERT_TRUE(d->Initialized());
    ASSERT_EQ(d->Surface()->BitCount(), 8);
    ASSERT_TRUE(PumpUntil([&] { return renderStarts > starts && RenderIdle(); }, 30000));
  }
  void TearDown() override {
    if (form && form->DXDraw1->Initialized()) form->DXDraw1->Finalize();
    Animation::TearDown();
  }
  // Gives the 224 fractal entries colours that differ from each other (the default
  // gradient repeats every 32 entries), so that a rotation shows by how many entries.
  void DistinctFractalColours(RGBQUAD* copy) {
    TDXDraw* d = form->DXDraw1;
    {
      TPaletteLockHolder lock;
      for (int i = 0; i < 224; ++i)
        d->ColorTable[16 + i] = RGBQUAD{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i ^ 0x55), 0};
      d->UpdatePalette();
    }
    std::memcpy(copy, d->ColorTable, 256 * sizeof(RGBQUAD));
  }
};

TEST_F(EightBitAnimation, RotatesTheColourTableAndLeavesThePixels) {
  OpenEightBit();
  TDXDraw* d = form->DXDraw1;
  const int w = d->SurfaceWidth(), h = d->SurfaceHeight();
  const std::vector<std::uint32_t> before = SurfacePixels(d, w, h);
  RGBQUAD table[256];
  DistinctFractalColours(table);

  Animate(400);
  const std::uint32_t frames = FpsFrames.load();
  ASSERT_GT(frames, 3u);
  EXPECT_EQ(PaletteLoaded, -1);  // the rotated table is the colouring from now on
  EXPECT_EQ(PaletteOffset, 0);
  for (int i = 0; i < 224; ++i) {
    const RGBQUAD now = d->ColorTable[16 + i], was = table[16 + (i + frames) % 224];
    ASSERT_EQ(std::memcmp(&now, &was, sizeof now), 0) << "entry " << 16 + i;
  }
  for (int i : {0, 14, 15, 240, 241, 255})
    EXPECT_EQ(std::memcmp(&d->ColorTable[i], &table[i], sizeof table[i]), 0) << i;
  // The palette shows the rotated table.
  PALETTEENTRY shown[256] = {};
  ASSERT_EQ(d->Palette()->IDDPalette()->GetEntries(0, 0, 256, shown), DD_OK);
  for (int i = 16; i < 240; i += 13) {
    EXPECT_EQ(shown[i].peRed, d->ColorTable[i].rgbRed) << i;
    EXPECT_EQ(shown[i].peBlue, d->ColorTable[i].rgbBlue) << i;
  }
  EXPECT_EQ(SurfacePixels(d, w, h), before);
}

TEST_F(EightBitAnimation, UpwardRotationAndARerenderThatTheAnimationSurvives) {
  OpenEightBit();
  TDXDraw* d = form->DXDraw1;
  AnimDirection = 1;
  RGBQUAD table[256];
  DistinctFractalColours(table);
  form->PaletteAnimation2->Click();
  PumpFor(150);
  d->SetSize(d->SurfaceWidth(), d->SurfaceHeight());
  EXPECT_TRUE(form->PaletteAnimation1->Checked());
  EXPECT_EQ(AnimStop.load(), 0);
  ASSERT_TRUE(WaitForRender());
  const std::uint32_t early = FpsFrames.load();
  PumpFor(150);
  EXPECT_GT(FpsFrames.load(), early);  // still running
  form->PaletteAnimation2->Click();
  ASSERT_TRUE(PumpUntil(ThreadsEnded, 5000));
  // The render's end restarted the frame count: find the shift from the colours. Upward,
  // entry 16 + i holds what entry 16 + i - k held.
  const int k = (224 - d->ColorTable[16].rgbBlue) % 224;
  EXPECT_GT(k, 3);
  for (int i = 0; i < 224; ++i) {
    const RGBQUAD now = d->ColorTable[16 + i], was = table[16 + (i + 224 - k) % 224];
    ASSERT_EQ(std::memcmp(&now, &was, sizeof now), 0) << "entry " << 16 + i;
  }
}

TEST_F(EightBitAnimation, TurningTheFrameRateOffErasesTheCornerOfTheWindow) {
  OpenEightBit();
  form->ShowFPS1Click(form);
  Animate(300);
  HWND window = form->DXDraw1->Handle();
  auto corner = [&] {
    std::vector<COLORREF> v;
    HDC dc = GetDC(window);
    for (int y = 0; y < 20; y += 2)
      for (int x = 0; x < 50; x += 2) v.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return v;
  };
  auto yellowIn = [](const std::vector<COLORREF>& v) {
    int n = 0;
    for (COLORREF c : v) n += c == RGB(255, 255, 0);
    return n;
  };
  EXPECT_GT(yellowIn(corner()), 0);
  form->ShowFPS2->Click();
  PumpFor(50);
  EXPECT_EQ(yellowIn(corner()), 0);
}

TEST_F(EightBitAnimation, SixteenBitSurfaceDoesNotAnimate) {
  OpenWindow(320, 240);
  TDXDraw* d = form->DXDraw1;
  d->Finalize();
  d->SetOptions(d->Options() + TDXDrawOptions{doFullScreen});
  d->Display()->SetWidth(640);
  d->Display()->SetHeight(480);
  d->Display()->SetBitCount(16);
  d->Display()->SetFixedSize(true);
  d->Initialize();
  ASSERT_TRUE(d->Initialized());
  ASSERT_EQ(d->Surface()->BitCount(), 16);
  EXPECT_FALSE(form->PaletteAnimation1->Enabled());
  form->PaletteAnimation1Click(form);
  EXPECT_FALSE(form->PaletteAnimation1->Checked());
  EXPECT_EQ(AnimThreadHandles[0], nullptr);
}

}  // namespace
