// The frame timer: the idle-slot handler with a clock the test sets, the lag count,
// the state machine over activation and deactivation, loading, two timers sharing the
// one idle slot, and (with the real clock) the message loop running without sleeping.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "display/DXTimer.h"
#include "forms/windows/Forms.h"

namespace {

DWORD fakeNow = 0;
DWORD FakeClock() { return fakeNow; }

// One pass of the application's idle processing, straight into whatever holds the slot.
// Returns the done flag (true when nothing held the slot).
bool IdlePass() {
  bool done = true;
  if (Application->OnIdle) Application->OnIdle(Application, done);
  return done;
}

class TTimerLog : public TObject {
public:
  std::vector<int> lags;
  std::vector<std::string> events;
  DWORD blockFor = 0;  // advances the clock inside the handler, as a slow frame would
  bool fail = false;
  void Timer(TObject*, int lag) {
    lags.push_back(lag);
    fakeNow += blockFor;
    if (fail) throw Exception(std::string("frame failed"));
  }
  void Activate(TObject*) { events.push_back("activate"); }
  void Deactivate(TObject*) { events.push_back("deactivate"); }
};

TDXTimer* FakeTimer(TTimerLog& log, unsigned interval) {
  fakeNow = 5000;
  auto* timer = new TDXTimer(nullptr);
  timer->SetActiveOnly(false);
  timer->SetInterval(interval);
  timer->SetClock(&FakeClock);
  timer->OnTimer = MakeEvent(&log, &TTimerLog::Timer);
  timer->OnActivate = MakeEvent(&log, &TTimerLog::Activate);
  timer->OnDeactivate = MakeEvent(&log, &TTimerLog::Deactivate);
  // Restarted, so that it runs whether or not the application is active now.
  timer->SetEnabled(false);
  timer->SetEnabled(true);
  return timer;
}

// Makes the application inactive or active as WM_ACTIVATEAPP does, hooks included.
void SetApplicationActive(bool active) {
  SendMessageA(Application->Handle(), WM_ACTIVATEAPP, active, 0);
  // Messages only: these tests make every idle pass themselves and count them.
  Application->ProcessMessages();
  ASSERT_EQ(Application->Active(), active);
}

TEST(DXTimer, StartsWithThePartsDefaultsAndRunsWhenMadeInCode) {
  auto* timer = new TDXTimer(nullptr);
  EXPECT_TRUE(timer->ActiveOnly());
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
  EXPECT_EQ(timer->LagDivisor(), 1000u);
  // Enabled reads true, so the timer runs (or waits for activation with ActiveOnly).
  EXPECT_TRUE(timer->Initialized());
  EXPECT_EQ(timer->HoldsIdleSlot(), Application->Active());
  timer->Free();
  EXPECT_FALSE(Application->OnIdle);
}

TEST(DXTimer, IntervalZeroFiresOnEveryIdlePassWithLagAtLeastOne) {
  TTimerLog log;
  TDXTimer* timer = FakeTimer(log, 0);
  EXPECT_EQ(timer->LagDivisor(), 1u);
  ASSERT_TRUE(timer->HoldsIdleSlot());
  EXPECT_FALSE(IdlePass());  // done cleared: the loop does not wait
  EXPECT_FALSE(IdlePass());
  fakeNow += 7;
  EXPECT_FALSE(IdlePass());
  EXPECT_EQ(log.lags, (std::vector<int>{1, 1, 7}));
  timer->Free();
}

TEST(DXTimer, ABlockedFrameReportsTheWholeIntervalsThatPassed) {
  TTimerLog log;
  TDXTimer* timer = FakeTimer(log, 1000);
  fakeNow += 999;
  IdlePass();
  EXPECT_TRUE(log.lags.empty());
  fakeNow += 1;
  log.blockFor = 3500;
  IdlePass();  // the handler blocks for 3.5 s
  log.blockFor = 0;
  IdlePass();
  EXPECT_EQ(log.lags, (std::vector<int>{1, 3}));
  EXPECT_EQ(timer->LastTickTime(), fakeNow);
  timer->Free();
}

TEST(DXTimer, LagCountSurvivesTheClockWrapAndVeryLongGaps) {
  TTimerLog log;
  TDXTimer* timer = FakeTimer(log, 500);
  fakeNow = 0xFFFFFF00u;
  timer->SetClock(&FakeClock);  // measured from here
  fakeNow = 0x00000100u;        // 512 ms later, across the wrap
  IdlePass();
  EXPECT_EQ(log.lags, (std::vector<int>{1}));
  timer->SetInterval(0);
  fakeNow += 0xFFFFFFF0u;  // 49 days of a stalled loop
  IdlePass();
  EXPECT_EQ(log.lags.back(), INT_MAX);
  timer->Free();
}

TEST(DXTimer, IntervalSettersKeepTheDivisorAtLeastOne) {
  TTimerLog log;
  TDXTimer* timer = FakeTimer(log, 1000);
  fakeNow += 600;
  timer->SetInterval(1000);  // unchanged: nothing happens
  EXPECT_EQ(timer->LagDivisor(), 1000u);
  EXPECT_EQ(timer->LastTickTime(), 5000u);
  timer->SetInterval(0);
  EXPECT_EQ(timer->LagDivisor(), 1u);
  timer->SetInterval(40);
  EXPECT_EQ(timer->LagDivisor(), 40u);
  IdlePass();
  EXPECT_EQ(log.lags, (std::vector<int>{15}));
  timer->Free();
}

TEST(DXTimer, ActiveOnlyPausesInTheBackgroundAndMeasuresFromTheResume) {
  SetApplicationActive(true);
  TTimerLog log;
  TDXTimer* timer = FakeTimer(log, 100);
  timer->SetActiveOnly(true);
  EXPECT_TRUE(timer->HoldsIdleSlot());
  SetApplicationActive(false);
  EXPECT_EQ(log.events, (std::vector<std::string>{"deactivate"}));
  EXPECT_TRUE(timer->Initialized());
  EXPECT_FALSE(timer->HoldsIdleSlot());
  fakeNow += 10000;
  EXPECT_TRUE(IdlePass());  // nothing in the slot
  SetApplicationActive(true);
  EXPECT_EQ(log.events, (std::vector<std::string>{"deactivate", "activate"}));
  EXPECT_TRUE(timer->HoldsIdleSlot());
  EXPECT_EQ(timer->LastTickTime(), fakeNow);
  fakeNow += 250;
  IdlePass();
  EXPECT_EQ(log.lags, (std::vector<int>{2}));  // not 102
  timer->Free();
}

TEST(DXTimer, ActiveOnlySwitchedOnInTheBackgroundSuspendsAndOffDoesNotResume) {
  SetApplicationActive(true);
  TTimerLog log;
  TDXTimer* timer = FakeTimer(log, 0);
  SetApplicationActive(false);
  // Activation events come whatever the settings.
  EXPECT_EQ(log.events, (std::vector<std::string>{"deactivate"}));
  EXPECT_TRUE(timer->HoldsIdleSlot());
  timer->SetActiveOnly(true);
  EXPECT_FALSE(timer->HoldsIdleSlot());
  timer->SetActiveOnly(false);
  EXPECT_FALSE(timer->HoldsIdleSlot());
  EXPECT_TRUE(timer->Initialized());
  // Started while inactive with ActiveOnly: suspended at once.
  timer->SetEnabled(false);
  timer->SetActiveOnly(true);
  timer->SetEnabled(true);
  EXPECT_TRUE(timer->Initialized());
  EXPECT_FALSE(timer->HoldsIdleSlot());
  SetApplicationActive(true);
  EXPECT_TRUE(timer->HoldsIdleSlot());
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->Initialized());
  EXPECT_FALSE(Application->OnIdle);
  timer->Free();
}

class TTimerForm : public TForm {
public:
  TDXTimer* timer1;
  TDXTimer* timer2;
  bool startedWhileLoading = false;
  explicit TTimerForm(TComponent* owner) : TForm(owner) {
    TComponentLoader loader(this);
    timer1 = new TDXTimer(this);
    timer1->SetInterval(0);
    timer1->SetActiveOnly(false);
    timer1->SetEnabled(false);
    timer1->SetEnabled(true);
    timer2 = new TDXTimer(this);
    timer2->SetActiveOnly(false);
    timer2->SetEnabled(false);
    startedWhileLoading = timer1->Initialized() || timer2->Initialized();
    loader.Finish();
  }
};

TEST(DXTimer, EnabledSetWhileLoadingTakesEffectInLoaded) {
  auto* form = New<TTimerForm>(nullptr);
  EXPECT_FALSE(form->startedWhileLoading);
  EXPECT_TRUE(form->timer1->Initialized());
  EXPECT_TRUE(form->timer1->HoldsIdleSlot());
  EXPECT_FALSE(form->timer2->Initialized());
  EXPECT_FALSE(form->timer2->Enabled());
  form->Free();  // the form frees its timers, which leave the slot empty
  EXPECT_FALSE(Application->OnIdle);
}

class TOtherIdler : public TObject {
public:
  int calls = 0;
  void Idle(TObject*, bool&) { ++calls; }
};

TEST(DXTimer, TwoTimersShareTheOneIdleSlot) {
  TTimerLog first, second;
  TDXTimer* a = FakeTimer(first, 0);
  TDXTimer* b = FakeTimer(second, 0);
  // The one resumed last gets the idle calls.
  EXPECT_TRUE(b->HoldsIdleSlot());
  EXPECT_FALSE(a->HoldsIdleSlot());
  IdlePass();
  EXPECT_TRUE(first.lags.empty());
  EXPECT_EQ(second.lags.size(), 1u);
  // Stopping the other leaves the holder's handler in place.
  a->SetEnabled(false);
  EXPECT_TRUE(b->HoldsIdleSlot());
  a->SetEnabled(true);
  EXPECT_TRUE(a->HoldsIdleSlot());
  // Stopping the holder empties the slot; the other does not get it back.
  a->SetEnabled(false);
  EXPECT_FALSE(Application->OnIdle);
  EXPECT_TRUE(b->Initialized());
  a->Free();
  b->Free();
}

TEST(DXTimer, SuspendLeavesAnIdleHandlerInstalledAfterIt) {
  SetApplicationActive(true);
  TTimerLog log;
  TDXTimer* timer = FakeTimer(log, 0);
  timer->SetActiveOnly(true);
  TOtherIdler other;
  Application->OnIdle = MakeEvent(&other, &TOtherIdler::Idle);
  SetApplicationActive(false);  // the timer suspends
  IdlePass();
  EXPECT_EQ(other.calls, 1);
  timer->Free();  // and destruction leaves it too
  IdlePass();
  EXPECT_EQ(other.calls, 2);
  Application->OnIdle = nullptr;
  SetApplicationActive(true);
}

TEST(DXTimer, FreedTimerHearsNoMoreActivation) {
  TTimerLog log;
  TDXTimer* timer = FakeTimer(log, 0);
  timer->Free();
  SetApplicationActive(false);
  SetApplicationActive(true);
  EXPECT_TRUE(log.events.empty());
  EXPECT_FALSE(Application->OnIdle);
}

// Frees another timer from its own deactivation handler.
class TFreeingLog : public TTimerLog {
public:
  TDXTimer* victim = nullptr;
  void FreeVictim(TObject*) {
    events.push_back("deactivate");
    FreeAndNil(victim);
  }
};

TEST(DXTimer, ATimerFreedByAnotherHandlerOfTheSameMessageIsNotCalled) {
  SetApplicationActive(true);
  TTimerLog victimLog;
  TFreeingLog killerLog;
  // Hooks added last are asked first: the killer hears the message before the victim.
  TDXTimer* victim = FakeTimer(victimLog, 0);
  TDXTimer* killer = FakeTimer(killerLog, 0);
  killer->OnDeactivate = MakeEvent(&killerLog, &TFreeingLog::FreeVictim);
  killerLog.victim = victim;
  SetApplicationActive(false);
  EXPECT_EQ(killerLog.events, (std::vector<std::string>{"deactivate"}));
  EXPECT_EQ(killerLog.victim, nullptr);
  EXPECT_TRUE(victimLog.events.empty());
  killer->Free();
  SetApplicationActive(true);
}

class TErrorLog : public TObject {
public:
  int errors = 0;
  void OnException(TObject*, const Exception& e) {
    if (e.Message() == "frame failed") ++errors;
  }
};

TEST(DXTimer, AFailingFrameReachesTheApplicationAndTheTimerGoesOn) {
  TTimerLog log;
  log.fail = true;
  TErrorLog errors;
  Application->OnException = MakeEvent(&errors, &TErrorLog::OnException);
  TDXTimer* timer = FakeTimer(log, 0);
  // The application's own loop runs the idle processing (the timer keeps it from waiting).
  for (int i = 0; i < 1000 && errors.errors < 3; ++i) Application->HandleMessage();
  EXPECT_EQ(errors.errors, 3);
  EXPECT_TRUE(timer->HoldsIdleSlot());
  timer->Free();
  Application->OnException = nullptr;
}

class TRealFrames : public TObject {
public:
  int frames = 0;
  int lagTotal = 0;
  void Timer(TObject*, int lag) {
    ++frames;
    lagTotal += lag;
  }
};

TEST(DXTimer, WithTheRealClockTheLoopDoesNotSleep) {
  TRealFrames frames;
  auto* timer = new TDXTimer(nullptr);
  timer->SetActiveOnly(false);
  timer->SetInterval(0);
  timer->OnTimer = MakeEvent(&frames, &TRealFrames::Timer);
  timer->SetEnabled(false);  // restarted: it runs whether or not the application is active
  timer->SetEnabled(true);
  ASSERT_TRUE(timer->HoldsIdleSlot());
  DWORD start = timeGetTime();
  // The application's own loop: with nothing in the queue it would wait without the timer.
  while (timeGetTime() - start < 200) Application->HandleMessage();
  DWORD took = timeGetTime() - start;
  timer->Free();
  EXPECT_GT(frames.frames, 100);
  // Each frame reports the milliseconds since the last one, at least 1.
  EXPECT_GE(frames.lagTotal, frames.frames);
  EXPECT_LE(frames.lagTotal, static_cast<int>(took) + frames.frames);
}

}  // namespace
