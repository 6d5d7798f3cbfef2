// The palette editor's server start step and the binding to its main window.
#include "TintaryServer.h"

#include "Tintarycom.h"
#include "forms/Application.h"
#include "forms/ComServ.h"
#include "forms/Forms.h"

bool TintaryServerStart(int& exitCode) {
  exitCode = 0;
  TComServer& server = ComServerInstance();
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

void TintaryServerAttach(TCustomForm* mainForm, std::uint32_t* palette, TNotifyEvent onPaletteChanged) {
  TintarycomPalette.palette = palette;
  TintarycomPalette.OnPaletteChanged = onPaletteChanged;
  ComServerInstance().HookCloseQuery(mainForm);
}

void TintaryServerDetach() { TintarycomPalette = TTintarycomBinding(); }

bool TintaryStartedByCom() { return ComServerInstance().StartMode() == smAutomation; }
