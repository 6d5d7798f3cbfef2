// TConfigForm: the lists are filled when the dialog shows, each item carrying its driver
// or display mode; "OK" takes the chosen pair only when both are chosen.
#include "explorer/screen/ConfigForm.h"

#include "explorer/render/ExplorerControlWord.h"
#include "explorer/app/ExplorerState.h"
#include "explorer/screen/WindowSizing.h"
#include "display/DXDraw.h"
#include "display/DXDrawDisplay.h"
#include "display/DXDrivers.h"
#include "forms/controls/ComboBox.h"
#include "forms/core/Consts.h"
#include "forms/controls/StdCtrls.h"
#include "forms/core/SysUtils.h"
#include "forms/runtime/Thread.h"

std::int32_t DriverIndex = 0;

namespace {

TComboBox* NewList(TConfigForm* form, const char* name, int top) {
  auto* box = new TComboBox(form);
  box->SetName(name);
  box->SetParent(form);
  box->SetStyle(csDropDownList);
  box->SetBounds(8, top, 258, 21);
  return box;
}

TLabel* NewLabel(TConfigForm* form, const char* name, const char* caption, int top) {
  auto* label = new TLabel(form);
  label->SetName(name);
  label->SetParent(form);
  label->SetCaption(caption);
  label->SetBounds(8, top, label->Width(), label->Height());
  return label;
}

}  // namespace

TConfigForm::TConfigForm(TComponent* owner) : TForm(owner) {
  TComponentLoader loader(this);
  SetName("ConfigForm");
  SetCaption("Config");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(274);
  SetClientHeight(171);
  Label1 = NewLabel(this, "Label1", "Display Driver", 8);
  DriverBox = NewList(this, "DriverBox", 26);
  Label2 = NewLabel(this, "Label2", "Display mode", 58);
  DisplayModeBox = NewList(this, "DisplayModeBox", 76);
  CheckBox1 = new TCheckBox(this);
  CheckBox1->SetName("CheckBox1");
  CheckBox1->SetParent(this);
  CheckBox1->SetCaption("4:3 Surface Aspect Ratio (LCD)");
  CheckBox1->SetBounds(8, 108, 258, 17);
  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetCaption("OK");
  Button1->SetBounds(99, 136, 75, 25);
  Button1->SetDefault(true);
  Button1->OnClick = MakeEvent(this, &TConfigForm::Button1Click);
  DisplayModeBox->OnChange = MakeEvent(this, &TConfigForm::DisplayModeBoxChange);
  OnShow = MakeEvent(this, &TConfigForm::FormShow);
  loader.Finish();
}

void TConfigForm::FormShow(TObject*) {
  Set8087CW(ExplorerControlWord);
  TDirectXDrivers* drivers = TCustomDXDraw::Drivers();
  DriverBox->Items()->Clear();
  for (int i = 0; drivers && i < drivers->Count(); ++i)
    DriverBox->Items()->AddObject(drivers->Items(i)->Description(), drivers->Items(i));
  DriverBox->SetItemIndex(DriverIndex);

  TDXDrawDisplay* display = DXDraw->Display();
  DisplayModeBox->Items()->Clear();
  for (int i = 0; i < display->Count(); ++i) {
    TDXDrawDisplayMode* mode = display->Modes(i);
    DisplayModeBox->Items()->AddObject(
        Format("%dx%d %dbit", mode->Width(), mode->Height(), mode->BitCount()), mode);
  }
  DisplayModeBox->SetItemIndex(
      display->IndexOf(display->Width(), display->Height(), display->BitCount()));

  CheckBox1->SetEnabled(!IsFourByThree(display->Width(), display->Height()));
  CheckBox1->SetChecked(WideScreen43 && CheckBox1->Enabled());
}

void TConfigForm::DisplayModeBoxChange(TObject*) {
  const int index = DisplayModeBox->ItemIndex();
  if (index < 0) return;
  auto* mode = static_cast<TDXDrawDisplayMode*>(DisplayModeBox->Items()->Objects(index));
  CheckBox1->SetEnabled(!IsFourByThree(mode->Width(), mode->Height()));
}

void TConfigForm::Button1Click(TObject*) {
  const int driver = DriverBox->ItemIndex();
  const int modeIndex = DisplayModeBox->ItemIndex();
  // Without both choices nothing is taken, not even the driver.
  if (driver < 0) throw EListError(SListIndexError, driver);
  if (modeIndex < 0) throw EListError(SListIndexError, modeIndex);
  auto* chosen = static_cast<TDirectXDriver*>(DriverBox->Items()->Objects(driver));
  auto* mode = static_cast<TDXDrawDisplayMode*>(DisplayModeBox->Items()->Objects(modeIndex));
  DXDraw->SetDriver(chosen->GUID());
  DriverIndex = driver;
  TDXDrawDisplay* display = DXDraw->Display();
  display->SetWidth(mode->Width());
  display->SetHeight(mode->Height());
  display->SetBitCount(mode->BitCount());
  WideScreen43 = CheckBox1->Checked();
  Close();
}
