// The palette editor's server start step, its binding to WorkPalette and the main
// window, and the Server menu's commands.
#include "paletteeditor/server/TintaryServer.h"

#include "paletteeditor/app/EditorStartMode.h"
#include "paletteeditor/mainwindow/FormMain.h"
#include "paletteeditor/palette/Palette.h"
#include "paletteeditor/server/Tintarycom.h"
#include "forms/runtime/Application.h"
#include "forms/comserver/ComServ.h"

namespace {

void ShowReplacedPalette(void*, TObject*) {
  // The main window goes with the application's forms; after that nothing shows.
  if (FrmMain && Application && Application->MainForm() == FrmMain) FrmMain->WorkPaletteReplaced();
}

void RegisterServer() { ComServerInstance().UpdateRegistry(true); }
void UnregisterServer() { ComServerInstance().UpdateRegistry(false); }

// Linked into the program, the server takes its place in the editor's start-up.
struct TintaryServerSeams {
  TintaryServerSeams() {
    StartEditorServer = &TintaryServerStart;
    AttachEditorServer = &TintaryServerAttach;
    RegisterEditorServer = &RegisterServer;
    UnregisterEditorServer = &UnregisterServer;
  }
} tintaryServerSeams;

}  // namespace

void TintaryServerBind() {
  TintarycomPalette.palette = WorkPalette.data();
  TintarycomPalette.OnPaletteChanged = TNotifyEvent(&ShowReplacedPalette, nullptr);
}

bool TintaryServerStart(int& exitCode) {
  exitCode = 0;
  TComServer& server = ComServerInstance();
  EditorStartMode = server.StartMode() == smAutomation ? TEditorStartMode::Automation
                                                       : TEditorStartMode::Standalone;
  TintaryServerBind();
  try {
    if (server.Initialize()) return true;
    exitCode = server.ExitCode();
    return false;
  } catch (...) {
    if (server.StartMode() == smAutomation) {
      // COM waits for a class object that will never come: end, and let it report.
      exitCode = 1;
      return false;
    }
    Application->HandleException(Application);
    return true;
  }
}

void TintaryServerAttach() {
  if (FrmMain) ComServerInstance().HookCloseQuery(FrmMain);
}
