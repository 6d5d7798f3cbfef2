// Quorvel, the fractal explorer: the main program block. The windows do the rest; the
// first render starts when the display control first initialises its surfaces.
#include "explorer/app/MainForm.h"
#include "explorer/parameters/ParametersWindow.h"
#include "explorer/app/SystemFacts.h"
#include "explorer/infobox/InfoBox.h"
#include "explorer/print/PrintWindow.h"
#include "explorer/record/RecordWindow.h"
#include "explorer/juliapreview/JuliaPreviewWindow.h"
#include "forms/runtime/Application.h"
#include "forms/comclient/ComClient.h"
#include "forms/runtime/Module.h"

int main() {
  Application->Initialize();
  InitComObj();
  Application->SetTitle("Quorvel");
  if (NeedsMinimizeRestore(ReadWindowsVersion())) {
    Application->Minimize();
    Application->Restore();
  }
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Application->CreateForm(Form3);
  Application->CreateForm(Form4);
  Application->CreateForm(Form5);
  Application->CreateForm(Form6);
  Application->Run();
  FinalizeUnits();
  return 0;
}
