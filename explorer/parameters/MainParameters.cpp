// The main window's side of the parameters window: ShowParameters after every change of
// the view or the settings, the two "Parameters" commands (the resident window without
// modality, a modal one of its own from the popup menu) and the docking panel Panel1.
#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/parameters/ParametersWindow.h"
#include "explorer/screen/WindowSizing.h"
#include "forms/windows/Docking.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Panel.h"

void TForm1::ShowParameters() {
  // Start-up can open a parameter file before the parameters window exists.
  if (Form2) Form2->ShowSettings();
}

void TForm1::Parameters1Click(TObject*) { Form2->Show(); }

void TForm1::parameters2Click(TObject*) {
  TForm2* form = New<TForm2>(this);
  try {
    form->SetCaption(JuliaMode != 0 ? "Parameters - Julia set" : "Parameters - Mandelbrot set");
    form->ShowModal();
  } catch (...) {
    form->Free();
    throw;
  }
  form->Free();
  ReconfineInFullScreen();
  ShowParameters();
}

void TForm1::Panel1DockDrop(TObject*, TDragDockObject*, int, int) {
  DockedHeight = DockedPanelHeight(Screen->PixelsPerInch());
  ParamsDocked = -1;
  Panel1->SetAutoSize(false);
  Panel1->SetHeight(DockedHeight);
}

void TForm1::Panel1UnDock(TObject*, TControl*, TWinControl*, bool&) {
  DockedHeight = 0;
  ParamsDocked = 0;
  // The leaving window is still the panel's child here, and an auto-sizing panel would
  // take its height again: the panel closes to 0 and sizes itself once the window has
  // gone (the parameters window's close switches auto-size on).
  Panel1->SetAutoSize(false);
  Panel1->SetHeight(0);
}
