// The one seam through which the library asks the user something: message boxes and
// common dialogs. The real responder shows them; a test installs its own to answer.
#pragma once

#include <windows.h>

#include <string>

class TCommonDialog;

class TUserResponder {
public:
  virtual ~TUserResponder() = default;
  // MessageBoxA's contract: returns IDOK, IDYES, ... (0 when it could not be shown).
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);
  // Runs the dialog; true when the user accepted it (the dialog then holds the answer).
  virtual bool ExecuteDialog(TCommonDialog& dialog, HWND owner);
};

// The responder in use (the real one unless one was installed).
TUserResponder& UserResponder();
// Installs a responder (nil: the real one again); returns the one it replaces.
TUserResponder* SetUserResponder(TUserResponder* responder);

// A message box with the application's title as caption.
int ShowMessageBox(const std::string& text, UINT flags);
void ShowMessage(const std::string& text);
