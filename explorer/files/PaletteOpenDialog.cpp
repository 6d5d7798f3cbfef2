// The palette-map open dialog (see PaletteOpenDialog.h): the class library's open dialog
// with the program's child template, and the panel placed on it when it shows.
#include "explorer/files/PaletteOpenDialog.h"

#include <commctrl.h>

#include <cmath>

#include "forms/controls/CommonControls.h"
#include "forms/controls/Edit.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/controls/Panel.h"
#include "forms/core/SysUtils.h"

namespace {

constexpr int kPlaceholderId = 1119;  // stc32: where the system puts its own controls
constexpr int kMinOffset = 0;
constexpr int kMaxOffset = 255;

int ScreenScale() {
  return static_cast<int>(std::nearbyint(Screen->PixelsPerInch() / 96.0));
}

}  // namespace

tpaletteopendialog::tpaletteopendialog(TComponent* owner) : TOpenDialog(owner) {
  panel_ = new TPanel(nullptr);
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
  InitCommonControlClasses(ICC_UPDOWN_CLASS);
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
  panel_->SetParentWindow(dialog);
  panel_->SetBounds(placeholder.right - 1, client.top + 33, client.right - 4 - (placeholder.right - 1),
                    client.bottom - 68 - (client.top + 33));
  panel_->HandleNeeded();
  MakeUpDown();
  TOpenDialog::DoShow(dialog);
}

void tpaletteopendialog::DoClose(HWND) {
  if (upDown_) position_ = static_cast<int>(SendMessageA(upDown_, UDM_GETPOS32, 0, 0));
  upDown_ = nullptr;
}
