// TTimer: a window timer on a hidden utility window of its own, raising OnTimer every
// Interval milliseconds while it is enabled. The display components' frame timer,
// which runs in the idle loop instead, is display/DXTimer.h.
#pragma once

#include <windows.h>

#include "forms/core/Component.h"
#include "forms/windows/Messages.h"

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  // 0 stops the timer (as Enabled false does) without changing Enabled.
  void SetInterval(unsigned value);
  // Whether the system timer is set now (enabled with a non-zero interval).
  bool Running() const { return running_; }

  TNotifyEvent OnTimer;

protected:
  virtual void Timer();

private:
  void UpdateTimer();
  void WndProc(TMessage& message);

  HWND window_ = nullptr;
  bool enabled_ = true;
  bool running_ = false;
  unsigned interval_ = 1000;
};
