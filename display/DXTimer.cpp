// TCustomDXTimer: the state machine (stopped, running, suspended) over the
// application's idle slot and its activation messages.
#include "display/DXTimer.h"

#include <mmsystem.h>

#include <climits>

#include "forms/runtime/Application.h"

namespace {
DWORD SystemClock() { return timeGetTime(); }
}  // namespace

TCustomDXTimer::TCustomDXTimer(TComponent* owner) : TComponent(owner), clock_(&SystemClock) {
  // The millisecond clock is exact to one millisecond while a timer exists.
  periodRaised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  Application->HookMainWindow(MakeEvent(this, &TCustomDXTimer::AppProc));
  // Made in code, no Loaded() will come: a timer that reads Enabled runs.
  if (!ComponentState().Contains(csLoading) && enabled_) Start();
}

TCustomDXTimer::~TCustomDXTimer() {
  Stop();
  if (Application) Application->UnhookMainWindow(MakeEvent(this, &TCustomDXTimer::AppProc));
  if (periodRaised_) timeEndPeriod(1);
}

void TCustomDXTimer::Loaded() {
  TComponent::Loaded();
  if (!ComponentState().Contains(csDesigning) && enabled_) Start();
}

void TCustomDXTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  TComponentState state = ComponentState();
  if (state.Contains(csLoading) || state.Contains(csReading)) return;
  if (value) Start();
  else Stop();
}

void TCustomDXTimer::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  lagDivisor_ = value > 1 ? value : 1;
}

void TCustomDXTimer::SetActiveOnly(bool value) {
  if (value == activeOnly_) return;
  activeOnly_ = value;
  if (initialized_ && activeOnly_ && !Application->Active()) Suspend();
}

void TCustomDXTimer::SetClock(TDXTimerClock clock) {
  clock_ = clock ? clock : &SystemClock;
  // Intervals are measured on one clock only.
  lastTickTime_ = clock_();
}

bool TCustomDXTimer::HoldsIdleSlot() const {
  return Application && Application->OnIdle == MakeEvent(const_cast<TCustomDXTimer*>(this), &TCustomDXTimer::AppOnIdle);
}

void TCustomDXTimer::Start() {
  Stop();
  if (!activeOnly_ || Application->Active()) Resume();
  initialized_ = true;
}

void TCustomDXTimer::Stop() {
  if (!initialized_) return;
  Suspend();
  initialized_ = false;
}

void TCustomDXTimer::Resume() {
  lastTickTime_ = clock_();
  Application->OnIdle = MakeEvent(this, &TCustomDXTimer::AppOnIdle);
}

void TCustomDXTimer::Suspend() {
  // Another component may have taken the slot since: its handler stays.
  if (HoldsIdleSlot()) Application->OnIdle = nullptr;
}

void TCustomDXTimer::AppOnIdle(TObject*, bool& done) {
  done = false;  // no waiting for the next message: the loop comes straight back
  DWORD now = clock_();
  DWORD elapsed = now - lastTickTime_;  // unsigned: the clock's wrap-around does no harm
  if (elapsed < interval_) return;
  lastTickTime_ = now;
  DWORD lag = elapsed / lagDivisor_;
  if (lag < 1) lag = 1;
  // Very long gaps at Interval 0 would not fit the event's signed count.
  DoTimer(lag > static_cast<DWORD>(INT_MAX) ? INT_MAX : static_cast<int>(lag));
}

void TCustomDXTimer::AppProc(TMessage& m, bool& handled) {
  // Other hooks and the application's own handling see every message too.
  handled = false;
  if (m.Msg == CM_ACTIVATE) {
    DoActivate();
    if (initialized_ && activeOnly_) Resume();
  } else if (m.Msg == CM_DEACTIVATE) {
    DoDeactivate();
    if (initialized_ && activeOnly_) Suspend();
  }
}

void TCustomDXTimer::DoActivate() {
  if (OnActivate) OnActivate(this);
}

void TCustomDXTimer::DoDeactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomDXTimer::DoTimer(int lagCount) {
  if (OnTimer) OnTimer(this, lagCount);
}
