// The main window's create and show handlers: where every shared setting of the explorer
// gets its start value, in the order the settings depend on each other, and the system
// menu's "Always on top" item.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/ExplorerControlWord.h"
#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/files/PaletteOpenDialog.h"
#include "explorer/render/ProcessorCount.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/screen/StartupSizing.h"
#include "explorer/app/SystemFacts.h"
#include "display/DXDraw.h"
#include "display/DXDrawDisplay.h"
#include "forms/runtime/Application.h"
#include "forms/windows/Forms.h"
#include "forms/windows/Menus.h"
#include "forms/core/SysUtils.h"
#include "forms/runtime/Thread.h"

namespace {

// The system-menu command of "Always on top".
constexpr UINT AlwaysOnTopCommand = 2;

HANDLE NewEvent(bool manualReset, bool signalled) {
  HANDLE event = CreateEventA(nullptr, manualReset, signalled, nullptr);
  if (!event) RaiseLastOSError();
  return event;
}

// The first command-line argument, "" when there is none.
std::string FirstArgument() { return __argc > 1 && __argv[1] ? __argv[1] : ""; }

}  // namespace

// Also after a display change (wmdisplaychange).
void TForm1::ReplaceScreenCursors() {
  Screen->SetCursors(crHandPoint, LoadCursor(nullptr, IDC_HAND));
  Screen->SetCursors(crDrag, LoadCursor(nullptr, IDC_APPSTARTING));
  Screen->SetCursors(crMultiDrag, LoadCursor(nullptr, IDC_APPSTARTING));
  Screen->SetCursors(crVSplit, LoadCursor(nullptr, IDC_SIZENS));
  Screen->SetCursors(crHSplit, LoadCursor(nullptr, IDC_SIZEWE));
  Screen->SetCursors(crNoDrop, LoadCursor(nullptr, IDC_NO));
  Screen->SetCursors(crSQLWait, LoadCursor(nullptr, IDC_WAIT));
}

std::string TForm1::SettingsFileName() {
  return ExtractFilePath(Application->ExeName()) + "quorvel.ini";
}

void TForm1::FormCreate(TObject*) {
  // A new main window has no sizing history: the resize rule refuses nothing yet.
  LastFrameHeight = 0;
  ReplaceScreenCursors();

  CpuCount = ProcessorCount();

  const TWindowsVersion version = ReadWindowsVersion();
  WinNT6OrLater = IsNT6OrLater(version) ? 1 : 0;
  ThemesOnAtStart = VisualStylesOn(version) ? 1 : 0;

  BufferinSysMem1->SetChecked(SystemMemoryBufferDefault(version));
  ReadSettings();

  TDXDrawOptions options = DXDraw1->Options();
  if (BufferinSysMem1->Checked())
    options.Include(doSystemMemory);
  else
    options.Exclude(doSystemMemory);
  DXDraw1->SetOptions(options);

  Set8087CW(ExplorerControlWord);

  InitializeCriticalSection(&PaletteLock);
  paletteLockMade_ = true;
  AnimIdleEvent = NewEvent(true, true);
  AnimStartEvent = NewEvent(false, false);
  AnimHalfDoneEvent = NewEvent(false, false);

  DXDraw1->Display()->SetWidth(Screen->Width());
  DXDraw1->Display()->SetHeight(Screen->Height());

  DecimalSeparator = '.';

  try {
    RegisterFileType();
  } catch (...) {
    // The association is a convenience: the explorer runs without it.
  }

  ProgramDir = ExtractFilePath(Application->ExeName());

  SizeWindow();

  Info1->SetRightJustify(true);
  Info1->SetCaption("&Info");

  PaletteDialog = new tpaletteopendialog(this);

  const TProcessorFeatures features = DetectProcessorFeatures();
  HasSSE = features.HasSSE;
  HasSSE2 = features.HasSSE2;
  Has3DNow = features.Has3DNow;

  HideDrawing = -1;
  RenderPass = 1;
  const TKernelSwitches kernels = StartingKernelSwitches(features);
  UseSSE = kernels.UseSSE;
  Use3DNow = kernels.Use3DNow;
  // The colouring's start values; the offset and the table switch keep what they hold.
  TColorSettings colors = DefaultColorSettings;
  colors.PaletteOffset = PaletteOffset;
  colors.PaletteLoaded = PaletteLoaded;
  SetColorSettings(colors);
  MaxIterations = 150;
  Bailout = 4.0L;
  SetView(DefaultView());
  SavedView.View = DefaultView();
  SavedView.JuliaC = TExtendedComplex{};
  JuliaC = TExtendedComplex{};
  JuliaMode = 0;
  DockedHeight = 0;
  AlwaysOnTop = 0;

  BuildDefaultPalette();

  const std::string parameterFile = FirstArgument();
  if (!parameterFile.empty()) LoadParamFile(parameterFile);

  const TKernelSwitches guarded = StartupPrecision(
      ViewWidth, ViewHeight, TKernelSwitches{UseSSE2, UseSSE, Use3DNow}, HasSSE2);
  UseSSE2 = guarded.UseSSE2;
  UseSSE = guarded.UseSSE;
  Use3DNow = guarded.Use3DNow;

  ColorScale100 = ColorScale == 1.0 ? 0 : -1;
}

void TForm1::SizeWindow() {
  TStartupMetrics m;
  m.ScreenWidth = Screen->Width();
  m.ScreenHeight = Screen->Height();
  m.CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
  m.MenuHeight = GetSystemMetrics(SM_CYMENU);
  m.FrameHeight = GetSystemMetrics(SM_CYSIZEFRAME);
  const bool force43 = Force43window1->Checked();
  SetClientWidth(StartupClientWidth(m, force43));
  SetClientHeight(StartupClientHeight(m, force43, ClientWidth()));
}

void TForm1::FormShow(TObject*) {
  DragAcceptFiles(Handle(), TRUE);
  SystemMenuHandle = GetSystemMenu(Handle(), FALSE);
  // Shown again (after a change of border the window is new), the menu keeps one item.
  if (SystemMenuHandle && GetMenuState(SystemMenuHandle, AlwaysOnTopCommand, MF_BYCOMMAND) == UINT(-1)) {
    AppendMenuA(SystemMenuHandle, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(SystemMenuHandle, MF_STRING, AlwaysOnTopCommand, "Always on top");
  }
  if (AlwaysOnTop != 0) {
    if (SystemMenuHandle) CheckMenuItem(SystemMenuHandle, AlwaysOnTopCommand, MF_BYCOMMAND | MF_CHECKED);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}
