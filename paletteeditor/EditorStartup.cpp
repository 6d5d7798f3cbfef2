// The editor program's start-up (see EditorStartup.h).
#include "EditorStartup.h"

#include "EditorStartMode.h"
#include "FormAbout.h"
#include "FormCopyColour.h"
#include "FormGradient.h"
#include "FormMain.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit4.h"
#include "forms/Application.h"
#include "forms/Module.h"

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
