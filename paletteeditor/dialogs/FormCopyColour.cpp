// The Copy and Exchange tools' dialog (see FormCopyColour.h).
#include "paletteeditor/dialogs/FormCopyColour.h"

#include "paletteeditor/dialogs/DialogParts.h"

TFrmCopyColours* FrmCopyColours = nullptr;

TFrmCopyColours::TFrmCopyColours(TComponent* owner) : TForm(owner) {
  using namespace dialog;
  TComponentLoader loader(this);
  SetUpDialogForm(this, "Copy Colours", 278, 233);
  Label1 = MakeLabel(this, this, "Copy colours ", 16, 12);
  Label3 = MakeLabel(this, this, "From:", 24, 36);
  StartColour = MakeIndexEdit(this, this, 64, 32, 0, 255, 0);
  Label4 = MakeLabel(this, this, "To:", 144, 36);
  EndColour = MakeIndexEdit(this, this, 176, 32, 0, 255, 15);
  Label2 = MakeLabel(this, this, "Paste colours", 16, 80);
  Label5 = MakeLabel(this, this, "From:", 24, 104);
  StartColour2 = MakeIndexEdit(this, this, 64, 100, 0, 255, 16);
  Label6 = MakeLabel(this, this, "To:", 144, 104);
  SpinEdit1 = MakeIndexEdit(this, this, 176, 100, 0, 255, 16);
  SpinEdit1->SetEnabled(false);
  Button1 = MakeButton(this, this, "OK", 56, 188, mrOk);
  Button2 = MakeButton(this, this, "Cancel", 148, 188, mrCancel);
  Button2->SetCancel(true);
  StartColour->OnChange = MakeEvent(this, &TFrmCopyColours::StartColourChange);
  EndColour->OnChange = MakeEvent(this, &TFrmCopyColours::EndColourChange);
  StartColour2->OnChange = MakeEvent(this, &TFrmCopyColours::StartColour2Change);
  OnShow = MakeEvent(this, &TFrmCopyColours::FormShow);
  loader.Finish();
}

// The spin edit clamps the shown end into 0..255; the tool itself stops at entry 255.
void TFrmCopyColours::ShowTargetEnd() {
  SpinEdit1->SetValue(StartColour2->Value() + EndColour->Value() - StartColour->Value());
}

void TFrmCopyColours::FormShow(TObject*) { ShowTargetEnd(); }
void TFrmCopyColours::StartColourChange(TObject*) { ShowTargetEnd(); }
void TFrmCopyColours::EndColourChange(TObject*) { ShowTargetEnd(); }
void TFrmCopyColours::StartColour2Change(TObject*) { ShowTargetEnd(); }
