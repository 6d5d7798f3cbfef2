// The editor program's start-up (see EditorStartup.h).
#include "paletteeditor/app/EditorStartup.h"

#include "paletteeditor/app/EditorStartMode.h"
#include "paletteeditor/dialogs/FormAbout.h"
#include "paletteeditor/dialogs/FormCopyColour.h"
#include "paletteeditor/dialogs/FormGradient.h"
#include "paletteeditor/mainwindow/FormMain.h"
#include "paletteeditor/dialogs/RangeDialog.h"
#include "paletteeditor/preview/PreviewWindow.h"
#include "paletteeditor/dialogs/CopyPaletteDialog.h"
#include "forms/runtime/Application.h"
#include "forms/runtime/Module.h"

inline constexpr char EditorApplicationTitle[] = "Palette Editor";

void MakeEditorWindows() {
  Application->CreateForm(FrmMain);
  Application->CreateForm(FrmAbout);
  Application->CreateForm(FrmGradient);
  Application->CreateForm(FrmCopyColours);
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->CreateForm(Form4);
}

int RunEditor() {
  Application->Initialize();
  int exitCode = 0;
  if (StartEditorServer && !StartEditorServer(exitCode)) {
    FinalizeUnits();
    return exitCode;
  }
  Application->SetTitle(EditorApplicationTitle);
  MakeEditorWindows();
  if (AttachEditorServer) AttachEditorServer();
  Application->Run();
  FinalizeUnits();
  return 0;
}
