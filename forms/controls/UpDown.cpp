// TUpDown: the library does the stepping itself and refuses the control's own change, so
// that Position, wrapping and the associate's text follow one rule on every system.
#include "forms/controls/UpDown.h"

#include <commctrl.h>

#include "forms/controls/CommonControls.h"

#include "forms/controls/Edit.h"
#include "forms/core/SysUtils.h"

TUpDown::TUpDown(TComponent* owner) : TSystemControl(owner) {
  SetBounds(Left(), Top(), 17, 21);
}

void TUpDown::CreateParams(TCreateParams& params) {
  InitCommonControlClasses(ICC_UPDOWN_CLASS);
  TSystemControl::CreateParams(params);
  CreateSubClass(params, UPDOWN_CLASSA);
  params.Style |= UDS_ARROWKEYS;
}

void TUpDown::CreateWnd() {
  TSystemControl::CreateWnd();
  SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageA(Handle(), UDM_SETPOS32, 0, position_);
  // The Up and Down keys in the associate reach the arrows through the buddy link.
  if (associate_ != nullptr)
    SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
}

void TUpDown::SetAssociate(TWinControl* control) {
  if (control == associate_) return;
  if (associate_ != nullptr) associate_->RemoveFreeNotification(this);
  associate_ = control;
  if (associate_ == nullptr) {
    if (HandleAllocated()) SendMessageA(Handle(), UDM_SETBUDDY, 0, 0);
    return;
  }
  associate_->FreeNotification(this);
  PlaceBesideAssociate();
  ShowPosition();
  if (HandleAllocated() && associate_->HandleAllocated())
    SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
}

void TUpDown::PlaceBesideAssociate() {
  SetBounds(associate_->Left() + associate_->Width(), associate_->Top(), Width(),
            associate_->Height());
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TSystemControl::Notification(component, operation);
  if (operation == opRemove && component == associate_) associate_ = nullptr;
}

void TUpDown::SetMin(int value) {
  min_ = value;
  if (max_ < min_) max_ = min_;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SetPosition(position_);
}

void TUpDown::SetMax(int value) {
  max_ = value;
  if (min_ > max_) min_ = max_;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SetPosition(position_);
}

void TUpDown::SetPosition(int value) {
  if (value < min_) value = min_;
  if (value > max_) value = max_;
  position_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETPOS32, 0, value);
  ShowPosition();
}

void TUpDown::ShowPosition() {
  if (associate_ == nullptr) return;
  const std::string text = IntToStr(position_);
  if (auto* edit = dynamic_cast<TCustomEdit*>(associate_)) edit->SetText(text);
  else associate_->SetCaption(text);
}

void TUpDown::TakeTypedPosition() {
  auto* edit = dynamic_cast<TCustomEdit*>(associate_);
  long long typed = 0;
  if (edit != nullptr && TryStrToInt(Trim(edit->Text()), typed) && typed >= min_ && typed <= max_)
    position_ = static_cast<int>(typed);
}

void TUpDown::Step(TUDBtnType button) {
  TakeTypedPosition();
  const long long step = button == btNext ? increment_ : -static_cast<long long>(increment_);
  long long next = position_ + step;
  if (next > max_) next = wrap_ ? min_ : max_;
  if (next < min_) next = wrap_ ? max_ : min_;
  SetPosition(static_cast<int>(next));
  Click(button);
}

void TUpDown::CNNotify(TMessage& m) {
  auto* change = reinterpret_cast<NMUPDOWN*>(m.LParam);
  if (change->hdr.code != UDN_DELTAPOS) return;
  if (change->iDelta != 0) Step(change->iDelta > 0 ? btNext : btPrev);
  m.Result = 1;  // the control's own position change is refused: Step has done it
}

void TUpDown::Click(TUDBtnType button) {
  if (OnClick) OnClick(this, button);
}
