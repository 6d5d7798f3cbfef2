// TControlSubClass: the forwarder and the exact restore of the previous procedure.
#include "display/ControlSubClass.h"

TControlSubClass::TControlSubClass(TControl* control, TControlSubClassProc callback, void* callbackData)
    : control_(control), callback_(callback), callbackData_(callbackData) {
  defWndProc_ = control_->WindowProc;
  control_->WindowProc = MakeEvent(this, &TControlSubClass::WndProc);
}

TControlSubClass::~TControlSubClass() { control_->WindowProc = defWndProc_; }

void TControlSubClass::WndProc(TMessage& message) { callback_(callbackData_, message, defWndProc_); }
