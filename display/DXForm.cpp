// TDXForm's placement store.
#include "display/DXForm.h"

TDXForm::TDXForm(TComponent* owner) : TForm(owner) {}

TDXForm::~TDXForm() = default;

void TDXForm::CreateParams(TCreateParams& params) { TForm::CreateParams(params); }

void TDXForm::WMSysCommand(TMessage& m) { TForm::WMSysCommand(m); }

void TDXForm::StorePlacement() {
  placement_.length = sizeof placement_;
  storedPlacement_ = GetWindowPlacement(Handle(), &placement_) != FALSE;
}

void TDXForm::RestorePlacement() {
  if (!storedPlacement_) return;
  // The placement is given back once, whether or not the system takes it.
  SetWindowPlacement(Handle(), &placement_);
  storedPlacement_ = false;
}
