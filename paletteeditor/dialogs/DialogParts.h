// The pieces every tool dialog is built from: labels, index spin edits of at most three
// characters, and the OK and Cancel buttons with their modal results.
#pragma once

#include <string>

#include "forms/controls/Button.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/controls/SpinEdit.h"

namespace dialog {

// Fixed single border, system menu only, Tahoma 8 point, centred on the main window.
void SetUpDialogForm(TForm* form, const std::string& caption, int clientWidth, int clientHeight);
TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const std::string& caption, int left, int top);
TSpinEdit* MakeIndexEdit(TComponent* owner, TWinControl* parent, int left, int top, int minValue,
                         int maxValue, int value);
TButton* MakeButton(TComponent* owner, TWinControl* parent, const std::string& caption, int left, int top,
                    TModalResult result);

}  // namespace dialog
