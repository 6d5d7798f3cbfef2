// The Rotate and Reverse tools' dialog (see RangeDialog.h).
#include "paletteeditor/dialogs/RangeDialog.h"

#include "paletteeditor/dialogs/DialogParts.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  using namespace dialog;
  TComponentLoader loader(this);
  SetUpDialogForm(this, "Rotate Tool", 253, 177);
  Label1 = MakeLabel(this, this, "From:", 16, 20);
  SpinEdit1 = MakeIndexEdit(this, this, 56, 16, 0, 255, 0);
  Label2 = MakeLabel(this, this, "To:", 136, 20);
  SpinEdit2 = MakeIndexEdit(this, this, 168, 16, 0, 255, 255);
  RadioGroup1 = new TRadioGroup(this);
  RadioGroup1->SetParent(this);
  RadioGroup1->SetBounds(16, 52, 221, 41);
  RadioGroup1->SetCaption("Direction");
  RadioGroup1->SetColumns(2);
  RadioGroup1->Items()->Add("Left");
  RadioGroup1->Items()->Add("Right");
  RadioGroup1->SetItemIndex(0);
  Label3 = MakeLabel(this, this, "Amount:", 16, 108);
  SpinEdit3 = MakeIndexEdit(this, this, 72, 104, 1, 255, 1);
  Button1 = MakeButton(this, this, "OK", 40, 140, mrOk);
  // Escape confirms this dialog: OK is also its cancel button.
  Button1->SetCancel(true);
  Button2 = MakeButton(this, this, "Cancel", 136, 140, mrCancel);
  loader.Finish();
}
