// The main window in process under wine, with the real forms: the first render and its
// caption, the start values of the create handler, the processor flags against the host,
// the registry association, the settings file written at close, and the one-processor
// case through the processor-count seam.
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "explorer/render/ColorSettings.h"
#include "explorer/app/ExplorerState.h"
#include "tests/explorer/ExplorerTestSupport.h"
#include "tests/explorer/MainWindowFixture.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/screen/StartupSizing.h"
#include "tests/support/TextFit.h"
#include "tests/support/ManualCheck.h"
#include "display/DirectDrawSurface.h"
#include "forms/windows/Menus.h"
#include "forms/core/SysUtils.h"

namespace {

class MainWindow : public MainWindowFixture {};

std::string RegistryDefault(const char* key) {
  char value[1024] = "";
  LONG size = sizeof value;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) return "<missing>";
  return value;
}

// What one window leaves in the globals (full screen at 4:3, the parameters window
// docked, an animation sped up, a loaded palette, a Julia view) is gone after the reset
// that every fixture starts with.
TEST(ExplorerState, TheResetGivesBackTheProgramsStartValues) {
  WideScreen43 = true;
  ParamsDocked = ParamsDockedBeforeFullScreen = -1;
  DockedHeight = 120;
  AnimDelay = 0;
  AnimDirection = 1;
  AlwaysOnTop = -1;
  SelectionActive = -1;
  PaletteLoaded = -1;
  PaletteOffset = 7;
  RedSlope = 2;
  ColorScale = 0.01;
  InsideColor = 0x00FFFFFF;
  JuliaMode = -1;
  JuliaC = TExtendedComplex{0.25L, 0.5L};
  ViewLeft = 1;
  MaxIterations = 9;
  UseMultiThreading = -1;
  IterBuffer.assign(16, 3);
  RenderWidth = 4;

  ResetExplorerState();

  EXPECT_FALSE(WideScreen43);
  EXPECT_EQ(ParamsDocked, 0);
  EXPECT_EQ(ParamsDockedBeforeFullScreen, 0);
  EXPECT_EQ(DockedHeight, 0);
  EXPECT_EQ(AnimDelay.load(), 10);
  EXPECT_EQ(AnimDirection.load(), 0);
  EXPECT_EQ(AlwaysOnTop, 0);
  EXPECT_EQ(SelectionActive, 0);
  EXPECT_EQ(PaletteLoaded, 0);
  EXPECT_EQ(PaletteOffset, 0);
  EXPECT_EQ(RedSlope, 8.0);
  EXPECT_EQ(ColorScale, 1.0);
  EXPECT_EQ(InsideColor, 0u);
  EXPECT_EQ(JuliaMode, 0);
  EXPECT_EQ(JuliaC.Re, 0.0L);
  EXPECT_EQ(JuliaC.Im, 0.0L);
  EXPECT_EQ(ViewLeft, static_cast<long double>(-2.4));
  EXPECT_EQ(MaxIterations, 150);
  EXPECT_EQ(UseMultiThreading, 0);
  EXPECT_TRUE(IterBuffer.empty());
  EXPECT_EQ(RenderWidth, 0);
}

TEST_F(MainWindow, FirstRenderFinishesWithTheTimeCaption) {
  OpenWindow();
  EXPECT_EQ(renderStarts, 1);
  // Five characters of time: blanks, then at least one digit, a point and two decimals.
  const std::regex caption(R"(Quorvel - Rend\.Time: (?=.{5} sec\.$) *[0-9]+\.[0-9]{2} sec\.)");
  EXPECT_TRUE(std::regex_match(form->Caption(), caption)) << form->Caption();
  EXPECT_EQ(form->DXDraw1->SurfaceWidth(), 640);
  EXPECT_EQ(form->DXDraw1->SurfaceHeight(), 480);
}

TEST_F(MainWindow, CaptionAndMenuBarFitWithTheRealFonts) {
  OpenWindow();
  const auto misfits = TextMisfits(form);
  EXPECT_TRUE(misfits.empty()) << Describe(misfits);
}

// The README is the user's manual: it names every item of the main menu and the popup menu
// as the window shows them.
TEST_F(MainWindow, TheManualNamesEveryMenuCaption) {
  OpenWindow();
  HMENU bar = GetMenu(form->Handle());
  ASSERT_NE(bar, nullptr);
  const auto missingMain = CaptionsMissingFromManual(bar, QV_MANUAL);
  EXPECT_TRUE(missingMain.empty()) << "main menu: " << ::testing::PrintToString(missingMain);
  const auto missingPopup = CaptionsMissingFromManual(form->PopupMenu1->Handle(), QV_MANUAL);
  EXPECT_TRUE(missingPopup.empty()) << "popup menu: " << ::testing::PrintToString(missingPopup);
}

TEST_F(MainWindow, FirstRenderShowsTheSetInTheSlopeColours) {
  OpenWindow();
  // (-2.4, 1.2) escapes at the first iteration: red 8, green 16, blue 24.
  EXPECT_EQ(SurfacePixel(form->DXDraw1, 0, 0), 0x081018u);
  EXPECT_EQ(IterBuffer[0], 1);
  // (-0.2, 0) lies in the main cardioid: inside, black, count 0 in the buffer.
  EXPECT_EQ(SurfacePixel(form->DXDraw1, 440, 240), 0u);
  EXPECT_EQ(IterBuffer[240 * 640 + 440], 0);
  // Every escaped pixel shows the slope colour of its count.
  for (int y = 0; y < 480; y += 37)
    for (int x = 0; x < 640; x += 29) {
      const std::int32_t n = IterBuffer[y * 640 + x];
      const std::uint32_t expected =
          n == 0 ? 0u : std::uint32_t((8 * n & 255) << 16 | (16 * n & 255) << 8 | (24 * n & 255));
      ASSERT_EQ(SurfacePixel(form->DXDraw1, x, y), expected) << x << "," << y << " count " << n;
    }
}

TEST_F(MainWindow, CreateHandlerSetsTheStartValues) {
  form = New<TForm1>(Application);
  EXPECT_EQ(MaxIterations, 150);
  EXPECT_EQ(Bailout, 4.0L);
  EXPECT_EQ(ViewLeft, static_cast<long double>(-2.4));
  EXPECT_EQ(ViewTop, static_cast<long double>(1.2));
  EXPECT_EQ(ViewWidth, static_cast<long double>(3.2));
  EXPECT_EQ(ViewHeight, static_cast<long double>(2.4));
  EXPECT_EQ(SavedView.View.Left, ViewLeft);
  EXPECT_EQ(SavedView.View.Height, ViewHeight);
  EXPECT_EQ(JuliaMode, 0);
  EXPECT_EQ(JuliaC.Re, 0.0L);
  EXPECT_EQ(HideDrawing, -1);
  EXPECT_EQ(RedSlope, 8.0);
  EXPECT_EQ(GreenSlope, 16.0);
  EXPECT_EQ(BlueSlope, 24.0);
  EXPECT_EQ(ColorScale, 1.0);
  EXPECT_EQ(ColorScale100, 0);
  EXPECT_EQ(InsideColor, 0u);
  EXPECT_EQ(DecimalSeparator, '.');
  EXPECT_EQ(ProgramDir, ExtractFilePath(Application->ExeName()));
  // The default control word; bit 6 always reads back set.
  EXPECT_EQ(Default8087CW, 0x133F);
  EXPECT_EQ(Get8087CW() & ~0x40, 0x133F);
  // The kernels: SSE when the processor has it, 3DNow! only without; SSE2 not at the
  // default view.
  EXPECT_EQ(UseSSE, HasSSE ? -1 : 0);
  EXPECT_EQ(Use3DNow, Has3DNow && !HasSSE ? -1 : 0);
  if (HasSSE) {
    EXPECT_EQ(UseSSE2, 0);
  }
  // The default palette: entry 16 + i is the gradient colour of count i.
  const RGBQUAD e = form->DXDraw1->ColorTable[16 + 11];
  EXPECT_EQ(e.rgbBlue, (11 * 24) & 255);
  EXPECT_EQ(e.rgbGreen, 11 * 16);
  EXPECT_EQ(e.rgbRed, 11 * 8);
  EXPECT_EQ(form->DXDraw1->DefColorTable[16 + 11].rgbRed, 11 * 8);
  EXPECT_TRUE(form->Info1->RightJustify());
  EXPECT_EQ(form->Info1->Caption(), "&Info");
  EXPECT_TRUE(form->KeyPreview());
  EXPECT_EQ(form->Constraints().MinWidth, 256);
  EXPECT_EQ(form->Constraints().MinHeight, 192);
}

TEST_F(MainWindow, StartupSizeFollowsTheScreenAndThe43Setting) {
  TStartupMetrics m;
  m.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  m.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  m.CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
  m.MenuHeight = GetSystemMetrics(SM_CYMENU);
  m.FrameHeight = GetSystemMetrics(SM_CYSIZEFRAME);
  for (bool force43 : {true, false}) {
    WritePrivateProfileStringA("Settings", "Force43window", force43 ? "1" : "0",
                               TForm1::SettingsFileName().c_str());
    form = New<TForm1>(Application);
    const int width = StartupClientWidth(m, force43);
    EXPECT_EQ(form->ClientWidth(), width) << force43;
    EXPECT_EQ(form->ClientHeight(), StartupClientHeight(m, force43, width)) << force43;
    form->Close();
    form->Free();
    form = nullptr;
  }
}

TEST_F(MainWindow, MultithreadingAndDefaultsWithoutASettingsFile) {
  form = New<TForm1>(Application);
  EXPECT_EQ(CpuCount, ProcessorCount());
  EXPECT_EQ(UseMultiThreading, CpuCount > 1 ? -1 : 0);
  EXPECT_TRUE(form->Force43window1->Checked());
  EXPECT_TRUE(form->EnableVSync1->Checked());
  EXPECT_TRUE(form->EnableVSync2->Checked());
  EXPECT_FALSE(form->ShowFPS1->Checked());
  EXPECT_FALSE(form->InvertRectinSelection1->Checked());
  // Wine reports NT 6.1, where "Buffer in SysMem" starts off.
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ASSERT_TRUE(GetVersionExA(&v));
#pragma GCC diagnostic pop
  const bool sysMem = v.dwMajorVersion == 6 && v.dwMinorVersion >= 2;
  EXPECT_EQ(form->BufferinSysMem1->Checked(), sysMem);
  EXPECT_EQ(form->BuffersinSysMem1->Checked(), sysMem);
  EXPECT_EQ(form->DXDraw1->Options().Contains(doSystemMemory), sysMem);
}

TEST_F(MainWindow, ProcessorFlagsMatchTheHost) {
  const std::set<std::string> flags = HostCpuFlags();
  ASSERT_FALSE(flags.empty()) << "no Z:\\proc\\cpuinfo";
  form = New<TForm1>(Application);
  EXPECT_EQ(HasSSE, flags.count("sse") ? 1 : 0);
  EXPECT_EQ(HasSSE2, flags.count("sse2") ? 1 : 0);
  EXPECT_EQ(Has3DNow, flags.count("3dnow") ? 1 : 0);
}

TEST_F(MainWindow, RegistersTheParameterFileTypeAtEveryStart) {
  // An association that points elsewhere is rewritten.
  RegSetValueA(HKEY_CLASSES_ROOT, "qvl_auto_file\\shell\\open\\command", REG_SZ, "elsewhere.exe %1", 16);
  form = New<TForm1>(Application);
  EXPECT_EQ(RegistryDefault(".qvl"), "qvl_auto_file");
  EXPECT_EQ(RegistryDefault("qvl_auto_file"), "QVL File");
  EXPECT_EQ(RegistryDefault("qvl_auto_file\\shell\\open\\command"),
            "\"" + Application->ExeName() + "\" \"%1\"");
  HKEY editor = nullptr;
  const bool registered =
      RegOpenKeyExA(HKEY_CLASSES_ROOT, "TINTARY.Tintarycom", 0, KEY_READ, &editor) == ERROR_SUCCESS;
  if (editor) RegCloseKey(editor);
  EXPECT_EQ(form->Tintary1->Enabled(), registered);
}

TEST_F(MainWindow, CloseWritesTheSixKeysInTheirOrder) {
  OpenWindow();
  form->InvertRectinSelection1->SetChecked(true);
  form->Close();
  const std::string text = ReadFileText(TForm1::SettingsFileName());
  std::istringstream lines(text);
  std::string line;
  std::vector<std::string> keys;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) keys.push_back(line);
  }
  const std::string multi = UseMultiThreading ? "1" : "0";
  const std::vector<std::string> expected = {
      "[Settings]",
      std::string("BufferinSysMem=") + (form->BufferinSysMem1->Checked() ? "1" : "0"),
      "Force43window=1",
      "InvertRectinSelection=1",
      "EnableVsync=1",
      "ShowFPS=0",
      "MultiThreading=" + multi};
  EXPECT_EQ(keys, expected) << text;
}

TEST_F(MainWindow, SettingsFileIsReadBackAnyNonZeroBeingOn) {
  const std::string ini = TForm1::SettingsFileName();
  WritePrivateProfileStringA("Settings", "Force43window", "0", ini.c_str());
  WritePrivateProfileStringA("Settings", "ShowFPS", "7", ini.c_str());
  WritePrivateProfileStringA("Settings", "EnableVsync", "0", ini.c_str());
  WritePrivateProfileStringA("Settings", "BufferinSysMem", "1", ini.c_str());
  WritePrivateProfileStringA("Settings", "InvertRectinSelection", "-1", ini.c_str());
  WritePrivateProfileStringA("Settings", "MultiThreading", "0", ini.c_str());
  form = New<TForm1>(Application);
  EXPECT_FALSE(form->Force43window1->Checked());
  EXPECT_TRUE(form->ShowFPS1->Checked());
  EXPECT_TRUE(form->ShowFPS2->Checked());
  EXPECT_FALSE(form->EnableVSync1->Checked());
  EXPECT_FALSE(form->EnableVSync2->Checked());
  EXPECT_TRUE(form->BufferinSysMem1->Checked());
  EXPECT_TRUE(form->BuffersinSysMem1->Checked());
  EXPECT_TRUE(form->DXDraw1->Options().Contains(doSystemMemory));
  EXPECT_TRUE(form->InvertRectinSelection1->Checked());
  EXPECT_EQ(UseMultiThreading, 0);
}

TEST_F(MainWindow, OneProcessorRendersOnTheFrameTimerAndWritesMultithreadingOff) {
  const std::string ini = TForm1::SettingsFileName();
  WritePrivateProfileStringA("Settings", "MultiThreading", "1", ini.c_str());
  ProcessorCountOverride = 1;
  OpenWindow(320, 240);
  EXPECT_EQ(CpuCount, 1);
  EXPECT_EQ(UseMultiThreading, 0);
  EXPECT_TRUE(form->Caption().rfind("Quorvel - Rend.Time: ", 0) == 0) << form->Caption();
  form->Close();
  char value[16] = "";
  GetPrivateProfileStringA("Settings", "MultiThreading", "?", value, sizeof value, ini.c_str());
  EXPECT_STREQ(value, "0");
}

// A stand-in animation thread: it runs until its event is set or its time is up.
struct TStandInThread {
  HANDLE Stop;
  DWORD Lifetime;
  static DWORD WINAPI Run(void* p) {
    auto* self = static_cast<TStandInThread*>(p);
    WaitForSingleObject(self->Stop, self->Lifetime);
    return 13;
  }
  HANDLE Start() { return CreateThread(nullptr, 0, &Run, this, 0, nullptr); }
};

TEST_F(MainWindow, CloseReleasesTheEventsOnceTheAnimationThreadsHaveEnded) {
  form = New<TForm1>(Application);
  TStandInThread thread{CreateEventA(nullptr, TRUE, FALSE, nullptr), 300};
  AnimThreadHandles[0] = thread.Start();
  ASSERT_NE(AnimThreadHandles[0], nullptr);
  form->Close();
  EXPECT_EQ(AnimStop.load(), 1);
  EXPECT_EQ(form->AnimIdleEvent, nullptr);
  EXPECT_EQ(form->AnimStartEvent, nullptr);
  EXPECT_EQ(form->AnimHalfDoneEvent, nullptr);
  EXPECT_EQ(AnimThreadHandles[0], nullptr);
  CloseHandle(thread.Stop);
}

TEST_F(MainWindow, CloseKeepsTheEventsWhileAnAnimationThreadStillRuns) {
  form = New<TForm1>(Application);
  TStandInThread thread{CreateEventA(nullptr, TRUE, FALSE, nullptr), 60000};
  HANDLE running = thread.Start();
  AnimThreadHandles[0] = running;
  form->Close();
  // Better kept than released under a thread that may still wait on them.
  EXPECT_NE(form->AnimIdleEvent, nullptr);
  EXPECT_EQ(AnimThreadHandles[0], running);
  SetEvent(thread.Stop);
  WaitForSingleObject(running, 5000);
  form->Close();  // the thread has ended: now they go
  EXPECT_EQ(form->AnimIdleEvent, nullptr);
  EXPECT_EQ(AnimThreadHandles[0], nullptr);
  CloseHandle(thread.Stop);
}

TEST_F(MainWindow, CloseQueryStopsTheAnimationAndWaitsForItAtMostASecond) {
  form = New<TForm1>(Application);
  AnimStop = 0;
  ResetEvent(form->AnimIdleEvent);  // an animation is running
  const DWORD start = GetTickCount();
  bool canClose = false;
  form->FormCloseQuery(form, canClose);
  const DWORD waited = GetTickCount() - start;
  EXPECT_TRUE(canClose);
  EXPECT_EQ(AnimStop.load(), 1);
  EXPECT_GE(waited, 900u);
  EXPECT_LT(waited, 3000u);
  SetEvent(form->AnimIdleEvent);
}

TEST_F(MainWindow, RestoredThirtyTwoBitSurfaceEnablesTheAnimationItems) {
  AnimStop = 0;
  OpenWindow();
  ASSERT_EQ(form->DXDraw1->Surface()->BitCount(), 32);
  for (TMenuItem* item : {form->PaletteAnimation1, form->PaletteAnimation2, form->IncreaseAnimSpeed1,
                          form->IncreaseAnimSpeed2, form->DecreaseAnimSpeed1,
                          form->DecreaseAnimSpeed2, form->ChangeDirection1, form->ChangeDirection2})
    EXPECT_TRUE(item->Enabled()) << item->Name();
  // Not 8 bits: the animation is told to stop and its items are unchecked.
  EXPECT_EQ(AnimStop.load(), 1);
  EXPECT_FALSE(form->PaletteAnimation1->Checked());
  EXPECT_FALSE(form->PaletteAnimation2->Checked());
}

TEST_F(MainWindow, AlwaysOnTopAtShowMakesTheWindowTopmost) {
  form = New<TForm1>(Application);
  AlwaysOnTop = -1;
  form->Show();
  EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetMenuState(SystemMenuHandle, 2, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
  AlwaysOnTop = 0;
}

// The pixels of the top edge from (300, 200) to (340, 200) and one inside point.
std::vector<COLORREF> SelectionPixels(HWND window) {
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(window);
  for (int x = 300; x < 340; ++x) pixels.push_back(GetPixel(dc, x, 200));
  pixels.push_back(GetPixel(dc, 320, 215));
  ReleaseDC(window, dc);
  return pixels;
}

TEST_F(MainWindow, SelectionRectangleDrawnTwiceIsErased) {
  OpenWindow();
  HWND w = form->DXDraw1->Handle();
  const std::vector<COLORREF> before = SelectionPixels(w);
  for (bool invert : {false, true}) {
    form->InvertRectinSelection1->SetChecked(invert);
    SelStart = TSelPoint{340, 230};  // corners in either order
    SelEnd = TSelPoint{300, 200};
    form->DrawSelectionRect();
    const std::vector<COLORREF> drawn = SelectionPixels(w);
    int changed = 0;
    for (int i = 0; i < 40; ++i) changed += drawn[i] != before[i];
    EXPECT_GE(changed, 13) << "the dotted edge";
    EXPECT_EQ(drawn[40], invert ? (~before[40] & 0xFFFFFF) : before[40]) << "inside";
    form->DrawSelectionRect();
    EXPECT_EQ(SelectionPixels(w), before) << "a second drawing erases the first";
  }
}

TEST_F(MainWindow, SystemMenuGainsAlwaysOnTop) {
  OpenWindow();
  EXPECT_EQ(SystemMenuHandle, GetSystemMenu(form->Handle(), FALSE));
  char text[64] = "";
  EXPECT_GT(GetMenuStringA(SystemMenuHandle, 2, text, sizeof text, MF_BYCOMMAND), 0);
  EXPECT_STREQ(text, "Always on top");
  // Shown again, the window keeps one such item.
  form->Hide();
  form->Show();
  int items = 0;
  for (int i = 0; i < GetMenuItemCount(SystemMenuHandle); ++i)
    if (GetMenuItemID(SystemMenuHandle, i) == 2) ++items;
  EXPECT_EQ(items, 1);
}

}  // namespace
