// TTimer: SetTimer on the timer's utility window, set again after every change of
// Enabled or Interval.
#include "forms/runtime/Timer.h"

#include "forms/core/SysUtils.h"
#include "forms/runtime/UtilityWindow.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd(MakeEvent(this, &TTimer::WndProc));
  try {
    UpdateTimer();
  } catch (...) {
    DeallocateHWnd(window_);
    throw;
  }
}

TTimer::~TTimer() {
  if (running_) KillTimer(window_, kTimerId);
  running_ = false;
  DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (running_) KillTimer(window_, kTimerId);
  running_ = false;
  if (!enabled_ || interval_ == 0) return;
  if (!SetTimer(window_, kTimerId, interval_, nullptr)) throw EOutOfResources(SNoTimers);
  running_ = true;
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& m) {
  if (m.Msg == WM_TIMER) {
    // The utility window passes an exception on to the application's handler.
    Timer();
    return;
  }
  m.Result = DefWindowProcA(window_, m.Msg, m.WParam, m.LParam);
}
