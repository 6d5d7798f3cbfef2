// TCustomDXTimer / TDXTimer: the frame timer that drives per-frame work from the
// application's idle loop instead of a window timer. While it runs the idle loop never
// sleeps, and OnTimer fires whenever at least Interval milliseconds have passed, with
// the number of intervals that were due. With ActiveOnly it pauses while the
// application is in the background.
//
// The application has one idle slot: a timer that resumes takes it from whoever held
// it, and a timer that suspends clears it only while it still holds its own handler.
#pragma once

#include <windows.h>

#include "forms/core/Component.h"
#include "forms/windows/Messages.h"

// Sender, LagCount: the whole intervals that passed since the last event, at least 1.
using TDXTimerEvent = TEvent<TObject*, int>;
// The millisecond clock the timer reads (timeGetTime unless a test sets another).
using TDXTimerClock = DWORD (*)();

class TCustomDXTimer : public TComponent {
public:
  // ActiveOnly and Enabled true, Interval 1000. A timer made in code, outside a form's
  // loading bracket, starts at once; one made while a form is loaded starts in Loaded.
  explicit TCustomDXTimer(TComponent* owner);
  ~TCustomDXTimer() override;

  bool ActiveOnly() const { return activeOnly_; }
  // Switching it on while the application is inactive suspends a started timer;
  // switching it off does not resume a suspended one.
  void SetActiveOnly(bool value);
  bool Enabled() const { return enabled_; }
  // Starts or stops the timer, except while the component is being loaded.
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  unsigned LagDivisor() const { return lagDivisor_; }

  // Started (running or suspended).
  bool Initialized() const { return initialized_; }
  // The application's idle slot holds this timer's handler now.
  bool HoldsIdleSlot() const;
  DWORD LastTickTime() const { return lastTickTime_; }
  void SetClock(TDXTimerClock clock);

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TDXTimerEvent OnTimer;

protected:
  void Loaded() override;
  // Each raises its event when a handler is assigned.
  virtual void DoActivate();
  virtual void DoDeactivate();
  virtual void DoTimer(int lagCount);

private:
  void Start();
  void Stop();
  void Resume();
  void Suspend();
  void AppOnIdle(TObject* sender, bool& done);
  void AppProc(TMessage& message, bool& handled);

  bool activeOnly_ = true;
  bool enabled_ = true;
  bool initialized_ = false;
  unsigned interval_ = 1000;
  unsigned lagDivisor_ = 1000;
  DWORD lastTickTime_ = 0;
  TDXTimerClock clock_;
  bool periodRaised_ = false;
};

class TDXTimer : public TCustomDXTimer {
public:
  using TCustomDXTimer::TCustomDXTimer;
};
