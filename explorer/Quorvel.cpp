// Quorvel, the fractal explorer: the main program block. The windows do the rest; the
// first render starts when the display control first initialises its surfaces.
#include "MainForm.h"
#include "ParametersForm.h"
#include "SystemFacts.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "forms/Application.h"
#include "forms/ComClient.h"
#include "forms/Module.h"

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
