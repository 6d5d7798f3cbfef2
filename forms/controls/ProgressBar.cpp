// TProgressBar: the window keeps the position, so that steps posted by other threads
// and those made here add up in one place.
#include "forms/controls/ProgressBar.h"

#include <commctrl.h>

#include "forms/controls/CommonControls.h"

TProgressBar::TProgressBar(TComponent* owner) : TSystemControl(owner) {
  SetBounds(Left(), Top(), 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& params) {
  InitCommonControlClasses(ICC_PROGRESS_CLASS);
  TSystemControl::CreateParams(params);
  CreateSubClass(params, PROGRESS_CLASSA);
  if (smooth_) params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
  TSystemControl::CreateWnd();
  ApplyRange();
}

void TProgressBar::ApplyRange() {
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
  SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int value) {
  min_ = value;
  if (max_ < min_) max_ = min_;
  position_ = Position();
  if (position_ < min_) position_ = min_;
  ApplyRange();
}

void TProgressBar::SetMax(int value) {
  max_ = value;
  if (min_ > max_) min_ = max_;
  position_ = Position();
  if (position_ > max_) position_ = max_;
  ApplyRange();
}

int TProgressBar::Position() {
  if (HandleAllocated()) position_ = static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0));
  return position_;
}

void TProgressBar::SetPosition(int value) {
  if (value < min_) value = min_;
  if (value > max_) value = max_;
  position_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetStep(int value) {
  step_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetSmooth(bool value) {
  if (value == smooth_) return;
  smooth_ = value;
  if (HandleAllocated()) {
    DestroyHandle();
    HandleNeeded();
  }
}

void TProgressBar::StepIt() {
  if (HandleAllocated()) {
    SendMessageA(Handle(), PBM_STEPIT, 0, 0);
    return;
  }
  // Without a window the bar wraps past Max to Min, as the control does.
  position_ += step_;
  if (position_ > max_) position_ = min_ + (position_ - max_);
}
