// The main window's file commands: its three file dialogs, the bindings of the File menu
// and popup items to their handlers, and the two ways a parameter file is opened after
// start-up, the "Open" command and a file dropped on the window.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/files/PaletteOpenDialog.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/ColorSettings.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/windows/Menus.h"

void TForm1::BuildFileCommands() {
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->DefaultExt = "qvl";
  OpenDialog1->Filter = "Quorvel files (*.qvl)|*.qvl|All files (*.*)|*.*";
  OpenDialog1->InitialDir = "quorvel_files";
  OpenDialog1->Options = TOpenOptions{ofHideReadOnly, ofNoChangeDir, ofEnableSizing};

  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->DefaultExt = "qvl";
  SaveDialog1->FileName = "velmar";
  SaveDialog1->Filter = "Quorvel files (*.qvl)|*.qvl";
  SaveDialog1->InitialDir = "quorvel_files";
  SaveDialog1->Options =
      TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofEnableSizing};

  SaveDialog2 = new TSaveDialog(this);
  SaveDialog2->SetName("SaveDialog2");
  SaveDialog2->DefaultExt = "bmp";
  SaveDialog2->FileName = "velmar";
  SaveDialog2->Filter = "Windows Bitmap files (*.bmp)|*.bmp|JPEG files (*.jpg)|*.jpg";
  SaveDialog2->Options =
      TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofEnableSizing};

  for (TMenuItem* item : {Open1, Open2}) item->OnClick = MakeEvent(this, &TForm1::Open1Click);
  for (TMenuItem* item : {Save1, Save2}) item->OnClick = MakeEvent(this, &TForm1::Save1Click);
  for (TMenuItem* item : {Openpalettemap1, OpenPaletteMap2})
    item->OnClick = MakeEvent(this, &TForm1::Openpalettemap1Click);
  for (TMenuItem* item : {SaveImageAs1, SaveImageAs2})
    item->OnClick = MakeEvent(this, &TForm1::SaveImageAs1Click);

  formWindowProc_ = WindowProc;
  WindowProc = MakeEvent(this, &TForm1::FormFilesWindowProc);
}

void TForm1::FormFilesWindowProc(TMessage& message) {
  if (message.Msg == WM_DROPFILES) {
    wmdropfiles(message);
    return;
  }
  formWindowProc_(message);
}

void TForm1::ShowLoadedParamFile(bool reconfine) {
  PrecisionGuard(reconfine);
  ColorScale100 = ColorScale == 1.0 ? 0 : -1;
  RestartRender();
  ShowParameters();
}

void TForm1::Open1Click(TObject*) {
  ForceCurrentDirectory = true;
  if (OpenDialog1->Execute()) {
    LoadParamFile(OpenDialog1->FileName);
    ShowLoadedParamFile(true);
  }
  ReconfineInFullScreen();
}

void TForm1::wmdropfiles(TMessage& message) {
  HDROP drop = reinterpret_cast<HDROP>(message.WParam);
  message.Result = 0;
  // The name's own length: a fixed buffer would cut a long path and open another file.
  const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
  std::vector<char> name(length + 1, '\0');
  const UINT copied = length ? DragQueryFileA(drop, 0, name.data(), length + 1) : 0;
  DragFinish(drop);
  if (copied == 0) return;
  // Only the first of several files is opened, whatever its extension: the signature
  // decides whether it is a parameter file.
  LoadParamFile(std::string(name.data()));
  ShowLoadedParamFile(false);
  SetForegroundWindow(Handle());
}
