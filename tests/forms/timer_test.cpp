// The window timer: ticks while enabled, stops for Enabled false and Interval 0, keeps
// going after a handler's exception, and leaves nothing behind when freed.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/GuiTest.h"
#include "forms/runtime/Timer.h"

namespace {

class TTickLog : public TObject {
public:
  int ticks = 0;
  bool fail = false;
  TObject* sender = nullptr;
  void Tick(TObject* s) {
    sender = s;
    ++ticks;
    if (fail) throw Exception(std::string("tick failed"));
  }
};

TEST(Timer, TicksWhileEnabledAndStopsForEnabledFalseOrIntervalZero) {
  TTickLog log;
  TTimer* timer = new TTimer(nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
  EXPECT_TRUE(timer->Running());
  timer->SetInterval(10);
  timer->OnTimer = MakeEvent(&log, &TTickLog::Tick);
  ASSERT_TRUE(PumpUntil([&] { return log.ticks >= 3; }, 2000));
  EXPECT_EQ(log.sender, timer);

  timer->SetEnabled(false);
  EXPECT_FALSE(timer->Running());
  PumpFor(30);
  int stopped = log.ticks;
  PumpFor(100);
  EXPECT_EQ(log.ticks, stopped);

  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return log.ticks > stopped; }, 2000));
  timer->SetInterval(0);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_FALSE(timer->Running());
  PumpFor(30);
  stopped = log.ticks;
  PumpFor(100);
  EXPECT_EQ(log.ticks, stopped);
  timer->Free();
}

class TErrorLog : public TObject {
public:
  int errors = 0;
  void OnException(TObject*, const Exception& e) {
    if (e.Message() == "tick failed") ++errors;
  }
};

TEST(Timer, HandlerExceptionReachesTheApplicationAndTheTimerGoesOn) {
  TTickLog log;
  log.fail = true;
  TErrorLog errors;
  Application->OnException = MakeEvent(&errors, &TErrorLog::OnException);
  TTimer* timer = new TTimer(nullptr);
  timer->SetInterval(10);
  timer->OnTimer = MakeEvent(&log, &TTickLog::Tick);
  EXPECT_TRUE(PumpUntil([&] { return errors.errors >= 2; }, 2000));
  EXPECT_GE(log.ticks, 2);
  timer->Free();
  Application->OnException = nullptr;
}

TEST(Timer, FreedTimerLeavesNoTickBehind) {
  TTickLog log;
  TTimer* timer = new TTimer(nullptr);
  timer->SetInterval(1);
  timer->OnTimer = MakeEvent(&log, &TTickLog::Tick);
  Sleep(30);  // a WM_TIMER is due now
  timer->Free();
  int before = log.ticks;
  PumpFor(50);
  EXPECT_EQ(log.ticks, before);
}

}  // namespace
