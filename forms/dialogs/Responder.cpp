// The real responder and the installation of another.
#include "forms/dialogs/Responder.h"

#include "forms/runtime/Application.h"
#include "forms/dialogs/Dialogs.h"

int TUserResponder::MessageBox(HWND owner, const std::string& text, const std::string& caption,
                               UINT flags) {
  // The global function: inside this class the name (MessageBox is a macro for it) is
  // the member itself.
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

bool TUserResponder::ExecuteDialog(TCommonDialog& dialog, HWND owner) { return dialog.RunSystemDialog(owner); }

namespace {
TUserResponder realResponder;
TUserResponder* current = nullptr;
}  // namespace

TUserResponder& UserResponder() { return current ? *current : realResponder; }

TUserResponder* SetUserResponder(TUserResponder* responder) {
  TUserResponder* previous = current;
  current = responder;
  return previous;
}

int ShowMessageBox(const std::string& text, UINT flags) {
  return Application->MessageBox(text, Application->Title(), flags);
}

void ShowMessage(const std::string& text) { ShowMessageBox(text, MB_OK); }
