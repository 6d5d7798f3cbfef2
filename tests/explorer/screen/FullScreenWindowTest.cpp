// Window sizing, full screen and the configuration dialog on the real main window,
// inside the Wine virtual desktop where display modes really change: the resize rule
// on real size changes, into and out of full screen at 8, 16 and 32 bits with the set
// rendered on the screen each time, a minimised full screen that renders again once,
// "Always on top", "Buffer in SysMem", a mode the display cannot set, and the
// configuration dialog's lists, 4:3 box and OK.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "explorer/screen/ConfigForm.h"
#include "explorer/files/paramfile/ParamFile.h"
#include "explorer/record/RecordWindow.h"
#include "tests/support/FileDrop.h"
#include "tests/support/UserInput.h"
#include "explorer/parameters/MyTrackBar.h"
#include "tests/explorer/parameters/ParametersWindowFixture.h"
#include "explorer/render/RenderState.h"
#include "tests/support/TextFit.h"
#include "explorer/juliapreview/JuliaPreviewWindow.h"
#include "explorer/screen/WindowSizing.h"
#include "display/DXDraw.h"
#include "display/DXDrawDisplay.h"
#include "display/DXTimer.h"
#include "forms/controls/ComboBox.h"
#include "forms/windows/Menus.h"
#include "forms/controls/Panel.h"
#include "forms/controls/StdCtrls.h"

namespace {

class FullScreenWindow : public ParametersWindowFixture {
protected:
  void SetUp() override {
    ParametersWindowFixture::SetUp();
    desktopWidth_ = GetSystemMetrics(SM_CXSCREEN);
    desktopHeight_ = GetSystemMetrics(SM_CYSCREEN);
  }
  void TearDown() override {
    if (form && form->DXDraw1->Options().Contains(doFullScreen)) {
      form->Fullscreen2Click(form);
      Settle();
    }
    ParametersWindowFixture::TearDown();
    PumpFor(50);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), desktopWidth_);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), desktopHeight_);
  }

  void SetDisplay(int width, int height, int bits) {
    TDXDrawDisplay* d = form->DXDraw1->Display();
    d->SetWidth(width);
    d->SetHeight(height);
    d->SetBitCount(bits);
  }

  // The screen's pixels of a row a quarter down a rectangle: how many are black and how
  // many are not.
  static void CountRow(const RECT& r, int& black, int& coloured) {
    black = coloured = 0;
    HDC screen = GetDC(nullptr);
    const int y = r.top + (r.bottom - r.top) / 4;
    for (int x = r.left + 2; x < r.right - 2; x += 3) {
      const COLORREF c = GetPixel(screen, x, y) & 0xFFFFFF;
      if (c == 0) ++black;
      else ++coloured;
    }
    ReleaseDC(nullptr, screen);
  }

  // The Mandelbrot set of the default view on the screen: the row whose imaginary part is 0.6
  // crosses the black set and coloured outside points on both sides.
  void ExpectSetOnScreen(const RECT& r, const std::string& where) {
    int black = 0, coloured = 0;
    auto shown = [&] {
      CountRow(r, black, coloured);
      const int total = black + coloured;
      return black > total / 20 && coloured > total / 2;
    };
    // The last presentation reaches the screen after the render has ended.
    PumpUntil(shown, 3000);
    EXPECT_TRUE(shown()) << where << ": " << black << " black, " << coloured << " coloured";
  }

  void ExpectSetOnFullScreenSurface(int bits) {
    const std::vector<std::uint32_t> pixels = SurfacePixels();
    ASSERT_EQ(pixels.size(), 640u * 480u);
    int black = 0, coloured = 0;
    for (int x = 2; x < 638; x += 3) {
      const std::uint32_t v = pixels[120 * 640 + x];
      const RGBQUAD c = form->DXDraw1->ColorTable[v & 0xFF];
      const bool isBlack = bits == 8 ? c.rgbRed == 0 && c.rgbGreen == 0 && c.rgbBlue == 0 : v == 0;
      if (isBlack) ++black;
      else ++coloured;
    }
    const int total = black + coloured;
    EXPECT_GT(black, total / 20) << bits;
    EXPECT_GT(coloured, total / 2) << bits;
  }

  RECT ClientOnScreen() {
    RECT r;
    GetClientRect(form->DXDraw1->Handle(), &r);
    MapWindowPoints(form->DXDraw1->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  int desktopWidth_ = 0, desktopHeight_ = 0;
};

TEST_F(FullScreenWindow, SizeChangesKeepTheClientIn4PixelStepsAnd43) {
  Open(320, 240);
  const TFrameMetrics m{GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU),
                        GetSystemMetrics(SM_CYSIZEFRAME), GetSystemMetrics(SM_CXSIZEFRAME)};
  const int frameH = m.CaptionHeight + m.MenuHeight + 2 * m.SizeFrameHeight;
  const int side = 2 * m.SizeFrameWidth;
  ASSERT_TRUE(form->Force43window1->Checked());
  form->SetBounds(form->Left(), form->Top(), side + 643, frameH + 300);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(form->Width(), side + 640);
  EXPECT_EQ(form->Height(), frameH + 480);
  EXPECT_EQ(LastFrameHeight, frameH + 480);
  form->Force43window1->Click();
  EXPECT_FALSE(form->Force43window1->Checked());
  form->SetBounds(form->Left(), form->Top(), side + 403, frameH + 403);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(form->Width(), side + 400);
  EXPECT_EQ(form->Height(), frameH + 400);
  // The docked parameters window keeps its room below the client area.
  Form2->Show();
  ASSERT_TRUE(Form2->ManualDock(form->Panel1));
  form->SetBounds(form->Left(), form->Top(), side + 400, frameH + 100 + 322);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(form->Height(), frameH + 100 + 320);
  EXPECT_EQ(form->DXDraw1->Height(), 320);
  form->Force43window1->Click();
}

TEST_F(FullScreenWindow, IntoAndOutOfFullScreenAtEachDepthRendersAndRestoresTheWindow) {
  Open(320, 240);
  RECT before;
  GetWindowRect(form->Handle(), &before);
  ExpectSetOnScreen(ClientOnScreen(), "window at start");
  for (int bits : {8, 16, 32}) {
    SetDisplay(640, 480, bits);
    const int starts = renderStarts;
    form->Fullscreen2->Click();
    ASSERT_TRUE(Settle()) << bits;
    ASSERT_TRUE(WaitForRender()) << bits;
    EXPECT_GT(renderStarts, starts) << bits;
    EXPECT_TRUE(form->DXDraw1->NowOptions().Contains(doFullScreen)) << bits;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640) << bits;
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480) << bits;
    EXPECT_EQ(form->DXDraw1->Surface()->BitCount(), bits);
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(RenderWidth, 640);
    EXPECT_EQ(RenderHeight, 480);
    // Wine's GDI reads an exclusive mode back as black now and then: in full screen the
    // set is checked on the surface (through the palette at 8 bits).
    ExpectSetOnFullScreenSurface(bits);

    form->Fullscreen2->Click();
    ASSERT_TRUE(Settle()) << bits;
    ASSERT_TRUE(WaitForRender()) << bits;
    EXPECT_FALSE(form->DXDraw1->NowOptions().Contains(doFullScreen)) << bits;
    EXPECT_EQ(form->Menu(), form->MainMenu1);
    EXPECT_EQ(form->BorderStyle(), bsSizeable);
    RECT after;
    GetWindowRect(form->Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << bits << ": " << after.left << "," << after.top
                                            << " " << after.right << "," << after.bottom;
    ExpectSetOnScreen(ClientOnScreen(), "window after " + std::to_string(bits));
  }
}

// The screen shows the back surface's picture over the whole display control: sampled
// on a grid, every pixel on the screen is the surface's (a black screen is not).
::testing::AssertionResult ScreenShowsSurface(TForm1* form, DWORD timeoutMs) {
  TDXDraw* d = form->DXDraw1;
  int wrong = 0, samples = 0;
  std::string first;
  auto compare = [&] {
    wrong = samples = 0;
    first.clear();
    const int width = d->SurfaceWidth(), height = d->SurfaceHeight();
    const std::vector<std::uint32_t> pixels = SurfacePixels(d, width, height);
    if (pixels.empty()) {
      first = "the surface cannot be read";
      return false;
    }
    const int bits = d->Surface()->BitCount();
    HDC screen = GetDC(nullptr);
    const POINT origin = d->ClientToScreen(POINT{0, 0});
    for (int y = height / 24; y < height; y += height / 12)
      for (int x = width / 32; x < width; x += width / 16) {
        std::uint32_t v = pixels[static_cast<size_t>(y) * width + x];
        if (bits == 8) {
          const RGBQUAD c = d->ColorTable[v & 0xFF];
          v = (c.rgbRed << 16) | (c.rgbGreen << 8) | c.rgbBlue;
        } else if (bits == 16) {
          v = ((v >> 11 & 31) * 255 / 31) << 16 | ((v >> 5 & 63) * 255 / 63) << 8 | (v & 31) * 255 / 31;
        }
        const COLORREF shown = GetPixel(screen, origin.x + x, origin.y + y);
        const std::uint32_t onScreen = GetRValue(shown) << 16 | GetGValue(shown) << 8 | GetBValue(shown);
        ++samples;
        auto close = [](std::uint32_t a, std::uint32_t b, int shift) {
          return std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) <= 8;
        };
        if (!close(v, onScreen, 0) || !close(v, onScreen, 8) || !close(v, onScreen, 16)) {
          if (wrong++ == 0) {
            char text[96];
            std::snprintf(text, sizeof text, "at %d,%d the surface has %06X, the screen %06X", x, y, v, onScreen);
            first = text;
          }
        }
      }
    ReleaseDC(nullptr, screen);
    return wrong == 0;
  };
  if (PumpUntil(compare, timeoutMs)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << wrong << " of " << samples << " pixels differ, " << first
                                       << (d->FormActive() ? "" : "; the window is not active") << " origin "
                                       << d->ClientToScreen(POINT{0, 0}).x << "," << d->ClientToScreen(POINT{0, 0}).y
                                       << " size " << d->Width() << "x" << d->Height() << " surface "
                                       << d->SurfaceWidth() << "x" << d->SurfaceHeight();
}

// Everything the switch saves and restores, after a round trip into full screen and back
// at each depth, once by the menu item and once by Alt+Enter typed on the window: the
// client area and the display control on it, the z-order and "Always on top", the menu
// and the border, the docked parameters window, files dropped on the window, and the
// picture on the screen, in full screen and back in the window.
TEST_F(FullScreenWindow, ARoundTripGivesTheWholeWindowBack) {
  Open(800, 600);
  Form5 = New<TForm5>(Application);
  Form2->Show();
  ASSERT_TRUE(Form2->ManualDock(form->Panel1));
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(WaitForRender());
  const int clientWidth = form->ClientWidth(), clientHeight = form->ClientHeight();
  const int displayWidth = form->DXDraw1->Width(), displayHeight = form->DXDraw1->Height();
  ASSERT_EQ(displayWidth, clientWidth);
  ASSERT_EQ(displayHeight, clientHeight - DockedHeight);
  RECT windowBefore;
  GetWindowRect(form->Handle(), &windowBefore);
  const LONG styleBefore = GetWindowLongA(form->Handle(), GWL_STYLE);
  const LONG exStyleBefore = GetWindowLongA(form->Handle(), GWL_EXSTYLE);
  ASSERT_TRUE(exStyleBefore & WS_EX_ACCEPTFILES);
  ASSERT_FALSE(exStyleBefore & WS_EX_TOPMOST);

  // A parameter file of another iteration limit to drop on the window afterwards.
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "qv-roundtrip.qvl";
  ParamFile f;
  f.MaxIterations = 150;
  f.Bailout = 4;
  f.ViewLeft = ViewLeft;
  f.ViewTop = ViewTop;
  f.ViewWidth = ViewWidth;
  f.ViewHeight = ViewHeight;

  enum Way { ByMenu, ByAltEnter };
  auto toggle = [&](Way way) {
    if (way == ByMenu) {
      SendMessageA(form->Handle(), WM_COMMAND, form->Fullscreen2->Command(), 0);
    } else {
      HWND focused = GetFocus() ? GetFocus() : form->Handle();
      THeldKey alt(focused, VK_MENU);
      SendMessageA(focused, WM_SYSKEYDOWN, VK_RETURN, 0x20000001);
      SendMessageA(focused, WM_SYSKEYUP, VK_RETURN, 0xE0000001);
    }
  };
  int n = 0;
  for (const int bits : {8, 16, 32}) {
    for (const Way way : {ByMenu, ByAltEnter}) {
      const std::string what = std::to_string(bits) + (way == ByMenu ? " bits by the menu" : " bits by Alt+Enter");
      SetDisplay(640, 480, bits);
      toggle(way);
      ASSERT_TRUE(Settle()) << what;
      ASSERT_TRUE(WaitForRender()) << what;
      ASSERT_TRUE(form->DXDraw1->NowOptions().Contains(doFullScreen)) << what;
      // In full screen the screen reads back black now and then after the switch (see
      // ExpectSetOnFullScreenSurface): the picture is checked on the surface there, and
      // on the screen back in the window.
      ExpectSetOnFullScreenSurface(bits);

      toggle(way);
      ASSERT_TRUE(Settle()) << what;
      ASSERT_TRUE(WaitForRender()) << what;
      ASSERT_FALSE(form->DXDraw1->NowOptions().Contains(doFullScreen)) << what;
      EXPECT_EQ(form->ClientWidth(), clientWidth) << what;
      EXPECT_EQ(form->ClientHeight(), clientHeight) << what;
      EXPECT_EQ(form->DXDraw1->Width(), displayWidth) << what;
      EXPECT_EQ(form->DXDraw1->Height(), displayHeight) << what;
      EXPECT_EQ(form->DXDraw1->SurfaceWidth(), displayWidth) << what;
      EXPECT_EQ(form->DXDraw1->SurfaceHeight(), displayHeight) << what;
      EXPECT_EQ(RenderWidth, displayWidth) << what;
      RECT windowAfter;
      GetWindowRect(form->Handle(), &windowAfter);
      EXPECT_TRUE(EqualRect(&windowBefore, &windowAfter)) << what;
      EXPECT_EQ(form->Menu(), form->MainMenu1) << what;
      EXPECT_EQ(GetMenu(form->Handle()), form->MainMenu1->Handle()) << what;
      EXPECT_EQ(form->BorderStyle(), bsSizeable) << what;
      EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & (WS_THICKFRAME | WS_CAPTION | WS_SYSMENU),
                styleBefore & (WS_THICKFRAME | WS_CAPTION | WS_SYSMENU)) << what;
      const LONG exStyle = GetWindowLongA(form->Handle(), GWL_EXSTYLE);
      EXPECT_FALSE(exStyle & WS_EX_TOPMOST) << what << ": topmost with \"Always on top\" off";
      EXPECT_EQ(AlwaysOnTop, 0) << what;
      EXPECT_FALSE(GetMenuState(GetSystemMenu(form->Handle(), FALSE), 2, MF_BYCOMMAND) & MF_CHECKED) << what;
      EXPECT_TRUE(exStyle & WS_EX_ACCEPTFILES) << what;
      EXPECT_EQ(Form2->Parent(), form->Panel1) << what;
      EXPECT_EQ(ParamsDocked, -1) << what;
      EXPECT_TRUE(ScreenShowsSurface(form, 2000)) << what << ", back in the window";

      // A file dropped on the display opens.
      f.MaxIterations = 200 + ++n;
      const std::vector<std::uint8_t> bytes = WriteParamFile(f);
      std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
      const POINT middle = form->DXDraw1->ClientToScreen(POINT{displayWidth / 2, displayHeight / 2});
      EXPECT_NE(DropFilesAt(middle, {file}), nullptr) << what << ": no window under the point takes files";
      ASSERT_TRUE(Settle()) << what;
      EXPECT_EQ(MaxIterations, 200 + n) << what;
      ASSERT_TRUE(WaitForRender()) << what;
    }
  }
  // "Always on top" chosen before a round trip is there after it.
  SendMessageA(form->Handle(), WM_SYSCOMMAND, 2, 0);
  ASSERT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  toggle(ByMenu);
  ASSERT_TRUE(WaitForRender());
  toggle(ByMenu);
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(WaitForRender());
  EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetMenuState(GetSystemMenu(form->Handle(), FALSE), 2, MF_BYCOMMAND) & MF_CHECKED);
  SendMessageA(form->Handle(), WM_SYSCOMMAND, 2, 0);
  EXPECT_FALSE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  DeleteFileA(file.c_str());
  Form5->Free();
  EXPECT_EQ(Form5, nullptr);
}

TEST_F(FullScreenWindow, TheWideScreen43SurfaceIsCentredAndTheDockedWindowComesBack) {
  Open(320, 240);
  SetDisplay(800, 600, 32);
  Form2->Show();
  ASSERT_TRUE(Form2->ManualDock(form->Panel1));
  ASSERT_TRUE(Settle());
  WideScreen43 = true;
  // 800 x 600 is 4:3 already: the surface takes the whole display.
  form->Fullscreen2->Click();
  ASSERT_TRUE(WaitForRender());
  EXPECT_EQ(RenderWidth, 800);
  EXPECT_EQ(RenderHeight, 600);
  EXPECT_EQ(ParamsDocked, 0);
  EXPECT_EQ(ParamsDockedBeforeFullScreen, -1);
  EXPECT_EQ(Form2->Parent(), nullptr);
  form->Fullscreen2->Click();
  ASSERT_TRUE(WaitForRender());
  EXPECT_EQ(Form2->Parent(), form->Panel1);
  EXPECT_EQ(ParamsDocked, -1);
  EXPECT_EQ(ParamsDockedBeforeFullScreen, 0);
  // Back in a window the surface follows the client area again.
  EXPECT_TRUE(form->DXDraw1->AutoSize());
  EXPECT_EQ(RenderWidth, form->DXDraw1->Width());
}

TEST_F(FullScreenWindow, TheJuliaPreviewEndsAtEverySwitch) {
  Open(320, 240);
  SetDisplay(640, 480, 32);
  Form6 = New<TForm6>(Application);
  for (int way = 0; way < 2; ++way) {
    form->JuliaSetPreviewJ1->Click();
    ASSERT_TRUE(Form6->Visible()) << way;
    form->Fullscreen2->Click();
    ASSERT_TRUE(WaitForRender()) << way;
    EXPECT_FALSE(Form6->Visible()) << way;
    EXPECT_FALSE(form->JuliaSetPreviewJ1->Checked()) << way;
    EXPECT_FALSE(form->JuliaSetPreviewJ2->Checked()) << way;
  }
  Form6->Free();
  Form6 = nullptr;
}

TEST_F(FullScreenWindow, AMinimisedFullScreenRendersOnceWhenRestored) {
  Open(320, 240);
  SetDisplay(640, 480, 32);
  form->Fullscreen2->Click();
  ASSERT_TRUE(WaitForRender());
  ASSERT_TRUE(Settle());
  const int starts = renderStarts;
  ShowWindow(form->Handle(), SW_MINIMIZE);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(RenderOnNextPaint, -1);
  EXPECT_FALSE(form->DXTimer1->Enabled());
  ShowWindow(form->Handle(), SW_RESTORE);
  ASSERT_TRUE(Settle());
  ASSERT_TRUE(WaitForRender());
  PumpFor(200);
  EXPECT_EQ(renderStarts, starts + 1);
  EXPECT_EQ(RenderOnNextPaint, 0);
}

TEST_F(FullScreenWindow, ColourOkOnAnEightBitSurfaceChangesOnlyThePalette) {
  Open(320, 240);
  SetDisplay(640, 480, 8);
  form->Fullscreen2->Click();
  ASSERT_TRUE(WaitForRender());
  ASSERT_TRUE(Settle());
  ASSERT_EQ(form->DXDraw1->Surface()->BitCount(), 8);
  const std::vector<std::uint32_t> indices = SurfacePixels();
  const std::uint32_t renderStart = RenderStartTime;
  const int starts = renderStarts;
  PaletteOffset = 5;
  Form2->Show();
  ASSERT_TRUE(Settle());
  Form2->TrackBar1->SetPosition(40);
  Form2->TrackBar2->SetPosition(0);
  Form2->TrackBar3->SetPosition(2);
  Click(Form2->Button2);
  EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
  EXPECT_EQ(renderStarts, starts);
  EXPECT_EQ(RenderStartTime, renderStart);
  EXPECT_EQ(RecolorRequest, 0);
  EXPECT_EQ(PaletteOffset, 0);
  // The same colour indices, shown through the new gradient.
  EXPECT_EQ(SurfacePixels(), indices);
  const RGBQUAD* table = form->DXDraw1->ColorTable;
  for (int i : {1, 3, 6}) {
    EXPECT_EQ(table[16 + i].rgbRed, 40 * i) << i;
    EXPECT_EQ(table[16 + i].rgbGreen, 0) << i;
    EXPECT_EQ(table[16 + i].rgbBlue, 2 * i) << i;
  }
  Form2->Close();
  RedSlope = 8;
  GreenSlope = 16;
  BlueSlope = 24;
}

TEST_F(FullScreenWindow, AlwaysOnTopTwiceReturnsToTheNormalOrder) {
  Open(320, 240);
  ASSERT_NE(SystemMenuHandle, nullptr);
  auto topmost = [&] { return (GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  EXPECT_FALSE(topmost());
  SendMessageA(form->Handle(), WM_SYSCOMMAND, 2, 0);
  EXPECT_TRUE(topmost());
  EXPECT_EQ(AlwaysOnTop, -1);
  EXPECT_TRUE(GetMenuState(SystemMenuHandle, 2, MF_BYCOMMAND) & MF_CHECKED);
  SendMessageA(form->Handle(), WM_SYSCOMMAND, 2, 0);
  EXPECT_FALSE(topmost());
  EXPECT_EQ(AlwaysOnTop, 0);
  EXPECT_FALSE(GetMenuState(SystemMenuHandle, 2, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(FullScreenWindow, BufferInSysMemTogglesTheOptionAndRendersAgain) {
  Open(320, 240);
  const bool was = form->DXDraw1->Options().Contains(doSystemMemory);
  const int starts = renderStarts;
  form->BuffersinSysMem1->Click();
  ASSERT_TRUE(WaitForRender());
  EXPECT_GT(renderStarts, starts);
  EXPECT_EQ(form->DXDraw1->Options().Contains(doSystemMemory), !was);
  EXPECT_EQ(form->BufferinSysMem1->Checked(), !was);
  EXPECT_EQ(form->BuffersinSysMem1->Checked(), !was);
  form->BufferinSysMem1->Click();
  ASSERT_TRUE(WaitForRender());
  EXPECT_EQ(form->DXDraw1->Options().Contains(doSystemMemory), was);
}

TEST_F(FullScreenWindow, AModeThatCannotBeSetLeavesAWorkingWindow) {
  Open(320, 240);
  RECT before;
  GetWindowRect(form->Handle(), &before);
  SetDisplay(4000, 3000, 32);
  form->DXDraw1->Display()->SetFixedSize(true);
  const int starts = renderStarts;
  // Through the menu command's message, as a user's choice arrives.
  SendMessageA(form->Handle(), WM_COMMAND, form->Fullscreen2->Command(), 0);
  ASSERT_TRUE(Settle());
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Display mode cannot be changed (4000x3000 32bit)");
  EXPECT_FALSE(form->DXDraw1->Options().Contains(doFullScreen));
  EXPECT_EQ(form->Menu(), form->MainMenu1);
  EXPECT_EQ(form->BorderStyle(), bsSizeable);
  EXPECT_TRUE(form->DXDraw1->Initialized());
  ASSERT_TRUE(WaitForRender());
  EXPECT_GT(renderStarts, starts);
  RECT after;
  GetWindowRect(form->Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  // The colour-table lock is free for the animation threads.
  bool entered = false;
  std::thread([&] {
    entered = TryEnterCriticalSection(&PaletteLock) != FALSE;
    if (entered) LeaveCriticalSection(&PaletteLock);
  }).join();
  EXPECT_TRUE(entered);
  ExpectSetOnScreen(ClientOnScreen(), "window after the failed switch");
}

TEST_F(FullScreenWindow, ConfigurationDialogListsModesAndTakesTheChoice) {
  Open(320, 240);
  SetDisplay(800, 600, 32);
  WideScreen43 = true;
  TConfigForm* config = New<TConfigForm>(form);
  config->DXDraw = form->DXDraw1;
  config->Show();
  ASSERT_TRUE(Settle());
  EXPECT_EQ(config->Caption(), "Config");
  const auto misfits = TextMisfits(config);
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);
  EXPECT_EQ(config->ClientWidth(), 274);
  EXPECT_EQ(config->ClientHeight(), 171);
  EXPECT_GE(config->DriverBox->Items()->Count(), 1);
  EXPECT_EQ(config->DriverBox->ItemIndex(), 0);
  TStringList* modes = config->DisplayModeBox->Items();
  ASSERT_EQ(modes->Count(), form->DXDraw1->Display()->Count());
  const int current = modes->IndexOf("800x600 32bit");
  ASSERT_GE(current, 0);
  EXPECT_EQ(config->DisplayModeBox->ItemIndex(), current);
  // 800 x 600 is 4:3: the box is off and cannot be switched on.
  EXPECT_FALSE(config->CheckBox1->Enabled());
  EXPECT_FALSE(config->CheckBox1->Checked());
  // Choosing a mode of another shape by the keyboard enables it.
  const int wide = modes->IndexOf("320x200 8bit");
  ASSERT_EQ(wide, 0);  // the list ascends by width, height and bit count
  config->DisplayModeBox->SetFocus();
  SendMessageA(config->DisplayModeBox->Handle(), WM_KEYDOWN, VK_HOME, 0);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(config->DisplayModeBox->ItemIndex(), wide);
  EXPECT_TRUE(config->CheckBox1->Enabled());

  // OK without a mode changes nothing and says why.
  config->DisplayModeBox->SetItemIndex(-1);
  config->CheckBox1->SetChecked(false);
  Click(config->Button1);
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "List index out of bounds (-1)");
  EXPECT_EQ(form->DXDraw1->Display()->Width(), 800);
  EXPECT_TRUE(WideScreen43);
  EXPECT_TRUE(config->Visible());

  config->DisplayModeBox->SetItemIndex(wide);
  Click(config->Button1);
  EXPECT_EQ(form->DXDraw1->Display()->Width(), 320);
  EXPECT_EQ(form->DXDraw1->Display()->Height(), 200);
  EXPECT_EQ(form->DXDraw1->Display()->BitCount(), 8);
  EXPECT_FALSE(WideScreen43);
  EXPECT_EQ(DriverIndex, 0);
  EXPECT_FALSE(config->Visible());
  config->Free();
}

TEST_F(FullScreenWindow, ConfigurationDialogEnablesTheBoxForAWideCurrentMode) {
  Open(320, 240);
  SetDisplay(1280, 720, 32);
  WideScreen43 = true;
  TConfigForm* config = New<TConfigForm>(form);
  config->DXDraw = form->DXDraw1;
  config->Show();
  ASSERT_TRUE(Settle());
  EXPECT_TRUE(config->CheckBox1->Enabled());
  EXPECT_TRUE(config->CheckBox1->Checked());
  config->Free();
}

}  // namespace
