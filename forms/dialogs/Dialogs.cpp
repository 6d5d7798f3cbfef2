// The common dialogs: Execute through the responder, and the system dialogs.
#include "forms/dialogs/Dialogs.h"

#include <commdlg.h>

#include <vector>

#include "forms/runtime/Application.h"
#include "forms/windows/Forms.h"
#include "forms/dialogs/Responder.h"

bool ForceCurrentDirectory = false;

bool TCommonDialog::Execute() {
  HWND owner = GetActiveWindow();
  if (!owner && Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
    owner = Application->MainForm()->Handle();
  if (OnShow) OnShow(this);
  bool accepted = UserResponder().ExecuteDialog(*this, owner);
  if (OnClose) OnClose(this);
  return accepted;
}

bool TOpenDialog::RunSystemDialog(HWND owner) {
  std::string filter = Filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  std::vector<char> file(32768, '\0');
  FileName.copy(file.data(), file.size() - 1);
  std::string initialDir = InitialDir;
  if (initialDir.empty() && ForceCurrentDirectory) {
    char current[MAX_PATH] = "";
    if (GetCurrentDirectoryA(MAX_PATH, current)) initialDir = current;
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = instance;
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn.lpfnHook = &HookProc;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if (!TemplateName.empty() && FindResourceA(instance, TemplateName.c_str(), MAKEINTRESOURCEA(5))) {
    ofn.Flags |= OFN_ENABLETEMPLATE;
    ofn.lpTemplateName = TemplateName.c_str();
  }
  static const struct { TOpenOption option; DWORD flag; } flags[] = {
      {ofOverwritePrompt, OFN_OVERWRITEPROMPT}, {ofHideReadOnly, OFN_HIDEREADONLY},
      {ofNoChangeDir, OFN_NOCHANGEDIR},         {ofPathMustExist, OFN_PATHMUSTEXIST},
      {ofFileMustExist, OFN_FILEMUSTEXIST},     {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {ofEnableSizing, OFN_ENABLESIZING}};
  for (const auto& f : flags)
    if (Options.Contains(f.option)) ofn.Flags |= f.flag;
  BOOL ok = IsSaveDialog() ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  FileName = file.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

void TOpenDialog::DoShow(HWND) {}

void TOpenDialog::DoClose(HWND) {}

UINT_PTR CALLBACK TOpenDialog::HookProc(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    return 0;
  }
  auto* self = reinterpret_cast<TOpenDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!self) return 0;
  // An exception must not unwind through the system's dialog code that called us.
  try {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) self->DoShow(dialog);
    else if (msg == WM_DESTROY) self->DoClose(dialog);
  } catch (...) {
    if (Application) Application->HandleException(self);
  }
  return 0;
}

bool TColorDialog::RunSystemDialog(HWND owner) {
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = ColorToRGB(Color);
  cc.lpCustColors = CustomColors;
  cc.Flags = CC_RGBINIT;
  if (Options.Contains(cdFullOpen)) cc.Flags |= CC_FULLOPEN;
  if (Options.Contains(cdAnyColor)) cc.Flags |= CC_ANYCOLOR;
  if (!ChooseColorA(&cc)) return false;
  Color = static_cast<TColor>(cc.rgbResult);
  return true;
}
