// The print window's fields: the width and height with their aspect locks, the enabling
// of the direct-rendering controls by mode and by "Render to File", and the choice of the
// output file.
#include "explorer/app/MainForm.h"
#include "explorer/print/PrintGeometry.h"
#include "explorer/print/PrintWindow.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/controls/StdCtrls.h"
#include "forms/core/SysUtils.h"

namespace {

// The number reader's answer: a whole number, or none (an empty text included).
bool WholeNumber(const std::string& text, long long& value) { return TryStrToInt(text, value); }

}  // namespace

void TForm4::SizeFieldChanged(TEdit* field, TEdit* other, bool fromWidth) {
  if (clearingField_) return;
  long long value = 0;
  if (!WholeNumber(field->Text(), value)) {
    clearingField_ = true;
    field->SetText("");
    clearingField_ = false;
    return;
  }
  // Only the field being typed in sets the other one, so the other never sets it back.
  if (!field->Focused()) return;
  long double ratio = 0;
  if (CheckBox2->Checked()) ratio = Ratio43;
  else if (CheckBox3->Checked()) ratio = Ratio1610;
  else if (CheckBox4->Checked()) ratio = Ratio169;
  else return;
  other->SetText(IntToStr(fromWidth ? Nearest(value * ratio) : Nearest(value / ratio)));
}

void TForm4::Edit2Change(TObject*) { SizeFieldChanged(Edit2, Edit3, true); }

void TForm4::Edit3Change(TObject*) { SizeFieldChanged(Edit3, Edit2, false); }

void TForm4::AspectLockClicked(TCheckBox* box, long double ratio) {
  if (!box->Checked()) return;
  for (TCheckBox* lock : {CheckBox2, CheckBox3, CheckBox4})
    if (lock != box) lock->SetChecked(false);
  long long width = 0;
  if (WholeNumber(Edit2->Text(), width) && width > 0) Edit3->SetText(IntToStr(Nearest(width * ratio)));
}

void TForm4::CheckBox2Click(TObject*) { AspectLockClicked(CheckBox2, Ratio43); }

void TForm4::CheckBox3Click(TObject*) { AspectLockClicked(CheckBox3, Ratio1610); }

void TForm4::CheckBox4Click(TObject*) { AspectLockClicked(CheckBox4, Ratio169); }

void TForm4::RadioButton1Click(TObject*) {
  for (TWinControl* c : {static_cast<TWinControl*>(Edit2), static_cast<TWinControl*>(Edit3),
                         static_cast<TWinControl*>(Edit4), static_cast<TWinControl*>(CheckBox1),
                         static_cast<TWinControl*>(CheckBox2), static_cast<TWinControl*>(CheckBox3),
                         static_cast<TWinControl*>(CheckBox4), static_cast<TWinControl*>(Button3)})
    c->SetEnabled(false);
}

void TForm4::RadioButton2Click(TObject*) {
  for (TWinControl* c : {static_cast<TWinControl*>(Edit2), static_cast<TWinControl*>(Edit3),
                         static_cast<TWinControl*>(CheckBox2), static_cast<TWinControl*>(CheckBox3),
                         static_cast<TWinControl*>(CheckBox4)})
    c->SetEnabled(true);
  // Without a printer "Render to File" stays checked and disabled.
  if (RadioButton1->Enabled()) CheckBox1->SetEnabled(true);
  Button3->SetEnabled(CheckBox1->Checked());
  Edit4->SetEnabled(CheckBox1->Checked());
}

void TForm4::CheckBox1Click(TObject*) {
  Button3->SetEnabled(CheckBox1->Checked());
  Edit4->SetEnabled(CheckBox1->Checked());
}

void TForm4::Button3Click(TObject*) {
  ForceCurrentDirectory = true;
  TSaveDialog* dialog = Form1 != nullptr ? Form1->SaveDialog2 : nullptr;
  if (dialog != nullptr && dialog->Execute()) Edit4->SetText(dialog->FileName);
}
