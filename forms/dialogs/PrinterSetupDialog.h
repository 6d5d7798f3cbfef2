// TPrinterSetupDialog: the system's printer selection and page setup. It opens on the
// printer object's printer and settings; what the user accepts becomes the printer that
// Printer() prints on.
#pragma once

#include "forms/dialogs/Dialogs.h"

class TPrinterSetupDialog : public TCommonDialog {
public:
  using TCommonDialog::TCommonDialog;
  bool RunSystemDialog(HWND owner) override;
};
