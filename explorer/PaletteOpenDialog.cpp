// The palette-map open dialog (see PaletteOpenDialog.h). The system dialog is run here
// rather than by the base class, because only an explorer-style dialog with a hook and a
// child template can take the extra panel.
#include "PaletteOpenDialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cmath>
#include <vector>

#include "forms/Edit.h"
#include "forms/Forms.h"
#include "forms/Label.h"
#include "forms/Panel.h"
#include "forms/SysUtils.h"

namespace {

constexpr int kPlaceholderId = 1119;  // stc32: where the system puts its own controls
constexpr int kMinOffset = 0;
constexpr int kMaxOffset = 255;

// A panel whose window is a child of a window outside the class library (the dialog).
class TDialogPanel : public TPanel {
public:
  using TPanel::TPanel;
  HWND ParentWindow = nullptr;

protected:
  void CreateParams(TCreateParams& params) override {
    TPanel::CreateParams(params);
    if (!Parent() && ParentWindow) params.WndParent = ParentWindow;
  }
};

int ScreenScale() {
  return static_cast<int>(std::nearbyint(Screen->PixelsPerInch() / 96.0));
}

}  // namespace

tpaletteopendialog::tpaletteopendialog(TComponent* owner) : TOpenDialog(owner) {
  panel_ = new TDialogPanel(nullptr);
  panel_->SetName("Panel1");
  panel_->Font()->SetName("Arial");
  panel_->SetCaption("");
  panel_->SetBevelOuter(bvRaised);
  panel_->SetBorderWidth(6);

  label_ = new TLabel(nullptr);
  label_->SetName("Label1");
  label_->SetCaption("Palette Offset:");
  label_->SetAlign(alTop);
  label_->SetAutoSize(true);
  label_->SetParentFont(true);
  label_->SetParent(panel_);

  edit_ = new TEdit(nullptr);
  edit_->SetName("edit1");
  edit_->SetMaxLength(3);
  edit_->SetParentFont(true);
  const int s = ScreenScale();
  edit_->SetBounds(6, 28 * s, 38 * s, 20);
  edit_->SetText("0");
  edit_->OnChange = MakeEvent(this, &tpaletteopendialog::EditChange);
  edit_->SetParent(panel_);

  InitialDir = "palette_maps";
  Filter =
      "Fractint palette map files (*.map)|*.map|Paint Shop Pro JASC palette files(*.pal)|*.pal|"
      "All files (*.*)|*.*";
  Options = TOpenOptions{ofHideReadOnly, ofEnableSizing, ofNoChangeDir};
}

tpaletteopendialog::~tpaletteopendialog() {
  if (upDown_) DestroyWindow(upDown_);
  edit_->OnChange = nullptr;
  edit_->Free();
  label_->Free();
  panel_->Free();
}

int tpaletteopendialog::Position() const {
  if (upDown_) return static_cast<int>(SendMessageA(upDown_, UDM_GETPOS32, 0, 0));
  return position_;
}

void tpaletteopendialog::SetPosition(int value) {
  position_ = value < kMinOffset ? kMinOffset : value > kMaxOffset ? kMaxOffset : value;
  if (upDown_) SendMessageA(upDown_, UDM_SETPOS32, 0, position_);
}

void tpaletteopendialog::EditChange(TObject*) {
  if (placing_) return;
  long long value = 0;
  if (TryStrToInt(edit_->Text(), value)) {
    SetPosition(static_cast<int>(value < kMinOffset ? kMinOffset : value > kMaxOffset ? kMaxOffset : value));
  } else {
    placing_ = true;
    edit_->SetText(std::to_string(Position()));
    placing_ = false;
  }
}

bool tpaletteopendialog::Execute() {
  TemplateName = "DLGTEMPLATE";
  const bool accepted = TOpenDialog::Execute();
  MapOffset = Position();
  return accepted;
}

void tpaletteopendialog::MakeUpDown() {
  static bool commonControls = false;
  if (!commonControls) {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_UPDOWN_CLASS;
    commonControls = InitCommonControlsEx(&icc) != FALSE;
  }
  upDown_ = CreateWindowExA(0, UPDOWN_CLASSA, "Updown1",
                            WS_CHILD | WS_VISIBLE | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                                UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                            0, 0, 0, 0, panel_->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!upDown_) RaiseLastOSError();
  SendMessageA(upDown_, UDM_SETRANGE32, kMinOffset, kMaxOffset);
  SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_->Handle()), 0);
  SendMessageA(upDown_, UDM_SETPOS32, 0, position_);
}

void tpaletteopendialog::DoShow(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  RECT placeholder{};
  if (HWND stc = GetDlgItem(dialog, kPlaceholderId)) {
    GetWindowRect(stc, &placeholder);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placeholder), 2);
  }
  static_cast<TDialogPanel*>(panel_)->ParentWindow = dialog;
  panel_->SetBounds(placeholder.right - 1, client.top + 33, client.right - 4 - (placeholder.right - 1),
                    client.bottom - 68 - (client.top + 33));
  panel_->HandleNeeded();
  MakeUpDown();
}

UINT_PTR CALLBACK tpaletteopendialog::HookProc(HWND dialog, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, static_cast<LONG_PTR>(ofn->lCustData));
    return 0;
  }
  auto* self = reinterpret_cast<tpaletteopendialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!self) return 0;
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
    try {
      self->DoShow(dialog);
    } catch (...) {
      // The dialog still works without its panel; the offset then stays as it was.
    }
  } else if (msg == WM_DESTROY) {
    // The panel's windows go with the dialog; the position is kept for MapOffset.
    if (self->upDown_) self->position_ = static_cast<int>(SendMessageA(self->upDown_, UDM_GETPOS32, 0, 0));
    self->upDown_ = nullptr;
  }
  return 0;
}

bool tpaletteopendialog::RunSystemDialog(HWND owner) {
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
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn.lpfnHook = &HookProc;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  // A program built without the template still opens maps, only without the offset field.
  if (!TemplateName.empty() && FindResourceA(instance, TemplateName.c_str(), MAKEINTRESOURCEA(5))) {
    ofn.Flags |= OFN_ENABLETEMPLATE;
    ofn.lpTemplateName = TemplateName.c_str();
  }
  if (Options.Contains(ofHideReadOnly)) ofn.Flags |= OFN_HIDEREADONLY;
  if (Options.Contains(ofNoChangeDir)) ofn.Flags |= OFN_NOCHANGEDIR;
  if (Options.Contains(ofEnableSizing)) ofn.Flags |= OFN_ENABLESIZING;
  if (Options.Contains(ofFileMustExist)) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (Options.Contains(ofPathMustExist)) ofn.Flags |= OFN_PATHMUSTEXIST;
  const BOOL ok = GetOpenFileNameA(&ofn);
  upDown_ = nullptr;
  if (!ok) return false;
  FileName = file.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}
