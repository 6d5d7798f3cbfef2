// The switch between a window and the full screen, and the full-screen configuration
// dialog. The switch holds the colour-table lock from before the palette animation stops
// until the display control is initialised again; a mode the display cannot set leaves
// the window as it was, with the error shown.
#include "explorer/screen/ConfigForm.h"
#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/palette/PaletteLockHolder.h"
#include "explorer/parameters/ParametersWindow.h"
#include "explorer/juliapreview/JuliaPreviewWindow.h"
#include "explorer/screen/VisualStyles.h"
#include "explorer/screen/WindowSizing.h"
#include "display/DXDraw.h"
#include "display/DXDrawDisplay.h"
#include "forms/windows/Menus.h"
#include "forms/controls/Panel.h"

void TForm1::Fullscreen1Click(TObject*) {
  TConfigForm* config = New<TConfigForm>(this);
  try {
    config->DXDraw = DXDraw1;
    config->ShowModal();
  } catch (...) {
    config->Free();
    throw;
  }
  config->Free();
}

void TForm1::LeaveFullScreenState() {
  if (ThemesOnAtStart) SetThemesOn();
  RestorePlacement();
  if (ParamsDockedBeforeFullScreen != 0) {
    Form2->ManualDock(Panel1);
    ParamsDockedBeforeFullScreen = 0;
  }
  SetBorderStyle(bsSizeable);
  TDXDrawOptions options = DXDraw1->Options();
  options.Exclude(doFullScreen);
  DXDraw1->SetOptions(options);
  SetMenu(MainMenu1);
  DXDraw1->SetAutoSize(true);
  ClipCursor(nullptr);
  // The exclusive mode made the window topmost; "Always on top" decides again.
  SetWindowPos(Handle(), AlwaysOnTop != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::Fullscreen2Click(TObject*) {
  TPaletteLockHolder lock;
  AnimStop = 1;
  PaletteAnimation1->SetChecked(false);
  PaletteAnimation2->SetChecked(false);
  DXDraw1->Finalize();
  const bool toFullScreen = !DXDraw1->Options().Contains(doFullScreen);
  if (!toFullScreen) {
    LeaveFullScreenState();
  } else {
    TDXDrawDisplay* display = DXDraw1->Display();
    if (ThemesOnAtStart && display->BitCount() == 8) SetThemesOff();
    StorePlacement();
    if (ParamsDocked != 0 && Form2) {
      Form2->ManualDock(nullptr);
      ParamsDockedBeforeFullScreen = -1;
    }
    SetBorderStyle(bsNone);
    TDXDrawOptions options = DXDraw1->Options();
    options.Include(doFullScreen);
    DXDraw1->SetOptions(options);
    SetMenu(nullptr);
    if (WideScreen43) {
      DXDraw1->SetAutoSize(false);
      const TWindowSize surface = WideScreenSurface(display->Width(), display->Height());
      DXDraw1->SetSurfaceWidth(surface.Width);
      DXDraw1->SetSurfaceHeight(surface.Height);
    }
  }
  if (Form6) Form6->Close();
  JuliaSetPreviewJ2->SetChecked(false);
  try {
    DXDraw1->Initialize();
  } catch (...) {
    // A mode the display cannot set: back to the window, which renders again, and the
    // error goes to the application's handler.
    if (toFullScreen) {
      LeaveFullScreenState();
      DXDraw1->Initialize();
    }
    throw;
  }
}
