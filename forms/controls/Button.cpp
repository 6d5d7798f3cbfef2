// TButton over the system's BUTTON class.
#include "forms/controls/Button.h"

TButton::TButton(TComponent* owner) : TSystemControl(owner) {
  SetBounds(Left(), Top(), 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  if (HandleAllocated())
    SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& params) {
  TSystemControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TSystemControl::Click();
}

void TButton::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) Click();
}
