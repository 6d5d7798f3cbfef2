// Threads: WaitFor with a pending Synchronize, the default x87 control word at thread
// start, FreeOnTerminate, Terminate, Suspend and Resume.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

#include "tests/support/GuiTest.h"
#include "forms/runtime/Thread.h"

namespace {

class TSyncThread : public TThread {
public:
  TSyncThread() : TThread(false) {}
  DWORD syncThread = 0;
  unsigned short controlWord = 0;

protected:
  void Execute() override {
    controlWord = Get8087CW();
    Sleep(50);  // the main thread is inside WaitFor by now
    Synchronize(MakeEvent(this, &TSyncThread::OnMain));
    SetReturnValue(42);
  }

private:
  void OnMain() { syncThread = GetCurrentThreadId(); }
};

TEST(Thread, WaitForRunsPendingSynchronizeInsteadOfDeadlocking) {
  auto* thread = New<TSyncThread>();
  EXPECT_EQ(thread->WaitFor(), 42u);
  EXPECT_EQ(thread->syncThread, MainThreadID);
  EXPECT_TRUE(thread->Finished());
  thread->Free();
}

TEST(Thread, StartsWithTheDefaultControlWord) {
  unsigned short saved = Get8087CW();
  Set8087CW(0x133F);
  EXPECT_EQ(Default8087CW, 0x133F);
  auto* thread = New<TSyncThread>();
  thread->WaitFor();
  // Bit 6 of the control word always reads back as 1.
  EXPECT_EQ(thread->controlWord, 0x137F);
  thread->Free();
  Set8087CW(saved);
}

class TCountingThread : public TThread {
public:
  explicit TCountingThread(std::atomic<int>* freed) : TThread(true), freed_(freed) {}
  ~TCountingThread() override { ++*freed_; }
  std::atomic<int> loops{0};

protected:
  void Execute() override {
    while (!Terminated()) {
      ++loops;
      Sleep(1);
    }
  }

private:
  std::atomic<int>* freed_;
};

TEST(Thread, SuspendStopsAndResumeContinues) {
  std::atomic<int> freed{0};
  auto* thread = New<TCountingThread>(&freed);
  EXPECT_TRUE(thread->Suspended());
  Sleep(20);
  EXPECT_EQ(thread->loops, 0);
  thread->Resume();
  ASSERT_TRUE(PumpUntil([&] { return thread->loops > 3; }));
  thread->Suspend();
  CONTEXT context{};
  context.ContextFlags = CONTEXT_INTEGER;
  GetThreadContext(thread->Handle(), &context);  // returns once the thread has stopped
  int frozen = thread->loops;
  Sleep(30);
  EXPECT_EQ(thread->loops, frozen);
  thread->Resume();
  ASSERT_TRUE(PumpUntil([&] { return thread->loops > frozen; }));
  thread->Terminate();
  thread->WaitFor();
  thread->Free();
  EXPECT_EQ(freed, 1);
}

TEST(Thread, FreeOnTerminateFreesItselfAfterOnTerminateOnTheMainThread) {
  std::atomic<int> freed{0};
  auto* thread = New<TCountingThread>(&freed);
  struct Watcher : TObject {
    DWORD thread = 0;
    void Terminated(TObject*) { thread = GetCurrentThreadId(); }
  } watcher;
  thread->OnTerminate = MakeEvent(&watcher, &Watcher::Terminated);
  thread->SetFreeOnTerminate(true);
  thread->Terminate();
  thread->Resume();
  ASSERT_TRUE(PumpUntil([&] { return freed == 1; }));
  EXPECT_EQ(watcher.thread, MainThreadID);
}

TEST(Thread, DestroyingARunningThreadStopsIt) {
  std::atomic<int> freed{0};
  auto* thread = New<TCountingThread>(&freed);
  thread->Resume();
  ASSERT_TRUE(PumpUntil([&] { return thread->loops > 0; }));
  thread->Free();
  EXPECT_EQ(freed, 1);
}

}  // namespace
