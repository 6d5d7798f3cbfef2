// TCheckBox and TRadioButton: the library keeps the state (the buttons are made
// without the AUTO styles) so that a change by the program behaves as a click.
#include "forms/controls/CheckBox.h"

TCheckBox::TCheckBox(TComponent* owner) : TSystemControl(owner) {
  SetBounds(Left(), Top(), 97, 17);
  SetTabStop(true);
}

void TCheckBox::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Loading()) Click();
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TSystemControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_CHECKBOX;
}

void TCheckBox::CreateWnd() {
  TSystemControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) SetChecked(!checked_);
}

TRadioButton::TRadioButton(TComponent* owner) : TSystemControl(owner) {
  SetBounds(Left(), Top(), 113, 17);
}

void TRadioButton::ShowChecked() {
  SetTabStop(checked_);
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  ShowChecked();
  if (!value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling && sibling != this && sibling->checked_) {
        sibling->checked_ = false;
        sibling->ShowChecked();
      }
    }
  }
  if (!Loading()) Click();
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TSystemControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TSystemControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::CNCommand(TMessage& m) {
  WORD code = HIWORD(m.WParam);
  if (code == BN_CLICKED) SetChecked(true);
  else if (code == BN_DOUBLECLICKED) DblClick();
}
