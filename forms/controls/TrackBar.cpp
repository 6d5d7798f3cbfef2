// TTrackBar: the window is told every property; the position read back after each
// scroll notification is the one the user left it at.
#include "forms/controls/TrackBar.h"

#include <commctrl.h>

#include "forms/controls/CommonControls.h"

TTrackBar::TTrackBar(TComponent* owner) : TSystemControl(owner) {
  SetBounds(Left(), Top(), 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params) {
  InitCommonControlClasses(ICC_BAR_CLASSES);
  TSystemControl::CreateParams(params);
  CreateSubClass(params, TRACKBAR_CLASSA);
  params.Style |= TBS_FIXEDLENGTH | TBS_ENABLESELRANGE | TBS_HORZ;
  if (tickStyle_ == tsNone) params.Style |= TBS_NOTICKS;
  else if (tickStyle_ == tsAuto) params.Style |= TBS_AUTOTICKS;
  if (tickMarks_ == tmBoth) params.Style |= TBS_BOTH;
  else if (tickMarks_ == tmTopLeft) params.Style |= TBS_TOP;
}

void TTrackBar::CreateWnd() {
  TSystemControl::CreateWnd();
  HWND window = Handle();
  SendMessageA(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumbLength_), 0);
  // An arrow key moves the thumb by one, Page Up and Page Down by two.
  SendMessageA(window, TBM_SETLINESIZE, 0, 1);
  SendMessageA(window, TBM_SETPAGESIZE, 0, 2);
  ApplyRange();
}

void TTrackBar::ApplyRange() {
  if (!HandleAllocated()) return;
  HWND window = Handle();
  SendMessageA(window, TBM_SETRANGEMIN, FALSE, min_);
  SendMessageA(window, TBM_SETRANGEMAX, FALSE, max_);
  SendMessageA(window, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
  SendMessageA(window, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Recreate() {
  if (!HandleAllocated()) return;
  DestroyHandle();
  HandleNeeded();
}

void TTrackBar::SetMin(int value) {
  if (value == min_) return;
  min_ = value;
  if (max_ < min_) max_ = min_;
  int clamped = position_ < min_ ? min_ : position_;
  bool moved = clamped != position_;
  position_ = clamped;
  ApplyRange();
  if (moved && !Loading()) Changed();
}

void TTrackBar::SetMax(int value) {
  if (value == max_) return;
  max_ = value;
  if (min_ > max_) min_ = max_;
  int clamped = position_ > max_ ? max_ : position_;
  bool moved = clamped != position_;
  position_ = clamped;
  ApplyRange();
  if (moved && !Loading()) Changed();
}

void TTrackBar::SetPosition(int value) {
  if (value < min_) value = min_;
  if (value > max_) value = max_;
  if (value == position_) return;
  position_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), TBM_SETPOS, TRUE, value);
  if (!Loading()) Changed();
}

void TTrackBar::SetFrequency(int value) {
  if (value == frequency_) return;
  frequency_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetThumbLength(int value) {
  if (value == thumbLength_) return;
  thumbLength_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetTickMarks(TTickMark value) {
  if (value == tickMarks_) return;
  tickMarks_ = value;
  Recreate();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
  if (value == tickStyle_) return;
  tickStyle_ = value;
  Recreate();
}

void TTrackBar::ScrollNotified() {
  int now = static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0));
  if (now == position_) return;
  position_ = now;
  if (!Loading()) Changed();
}

void TTrackBar::CNHScroll(TMessage&) { ScrollNotified(); }

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}
