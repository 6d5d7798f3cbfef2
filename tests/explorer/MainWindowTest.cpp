// The main window in process under wine, with the real forms: the first render and its
// caption, the start values of the create handler, the processor flags against the host,
// the registry association, the settings file written at close, and the one-processor
// case through the processor-count seam.
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "ColorSettings.h"
#include "ExplorerState.h"
#include "MainWindowFixture.h"
#include "RenderSettings.h"
#include "forms/Menus.h"
#include "forms/SysUtils.h"

namespace {

class MainWindow : public MainWindowFixture {
protected:
  void SetUp() override { DeleteFileA(TForm1::SettingsFileName().c_str()); }
};

std::string RegistryDefault(const char* key) {
  char value[1024] = "";
  LONG size = sizeof value;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) return "<missing>";
  return value;
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
  if (HasSSE) EXPECT_EQ(UseSSE2, 0);
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

// The flags of the first processor in /proc/cpuinfo, through drive Z:.
std::set<std::string> HostCpuFlags() {
  std::ifstream in("Z:\\proc\\cpuinfo");
  std::set<std::string> flags;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("flags", 0) != 0) continue;
    std::istringstream words(line.substr(line.find(':') + 1));
    std::string w;
    while (words >> w) flags.insert(w);
    break;
  }
  return flags;
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
