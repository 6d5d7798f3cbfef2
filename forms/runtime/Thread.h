// TThread: a worker running Execute on its own thread, with Terminate/Terminated,
// WaitFor (which, on the main thread, runs the worker's pending Synchronize calls so
// that neither waits for the other), FreeOnTerminate and Suspend/Resume. Every thread
// loads the process's default x87 control word at its start: Windows and Wine give new
// threads a control word of their own, not the creator's.
#pragma once

#include <windows.h>

#include <atomic>

#include "forms/core/Events.h"
#include "forms/core/SysUtils.h"

// The main thread: the one that initialised the program.
extern DWORD MainThreadID;

// The x87 control word that every TThread loads at its start; at program start the
// main thread's word. Set8087CW loads Word on the calling thread and makes it the default.
extern unsigned short Default8087CW;
void Set8087CW(unsigned short word);
unsigned short Get8087CW();  // the calling thread's current word (fnstcw)

using TThreadMethod = TEvent<>;


class TThread : public TObject {
public:
  // The system thread is made suspended; it starts in AfterConstruction (so construct
  // with New<T>(...)) unless CreateSuspended, in which case Resume starts it.
  explicit TThread(bool createSuspended);
  // A running thread is told to terminate and waited for (a suspended one resumed
  // first); then the handle is closed.
  ~TThread() override;
  void AfterConstruction() override;

  void Resume();
  void Suspend();
  void Terminate() { terminated_ = true; }
  // Waits until Execute has returned and OnTerminate has run; returns ReturnValue.
  unsigned WaitFor();

  bool Terminated() const { return terminated_; }
  bool Suspended() const { return suspended_; }
  bool Finished() const { return finished_; }
  HANDLE Handle() const { return handle_; }
  DWORD ThreadID() const { return threadId_; }
  bool FreeOnTerminate() const { return freeOnTerminate_; }
  void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
  int ReturnValue() const { return returnValue_; }
  // The message of an exception that ended Execute, "" when it ended normally.
  const std::string& FatalMessage() const { return fatalMessage_; }

  // Raised on the main thread (through Synchronize) after Execute returns.
  TNotifyEvent OnTerminate;

protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  // Runs Method on the main thread and waits for it; an exception it raises is raised
  // again here. On the main thread it simply calls Method.
  void Synchronize(TThreadMethod method);
  void SetReturnValue(int value) { returnValue_ = value; }

private:
  static unsigned __stdcall ThreadProc(void* self);
  void CallOnTerminate();

  HANDLE handle_ = nullptr;
  unsigned threadId_ = 0;
  bool createSuspended_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> suspended_{true};
  std::atomic<bool> finished_{false};
  bool freeOnTerminate_ = false;
  int returnValue_ = 0;
  std::string fatalMessage_;
};

// A plain thread procedure started the way the runtime starts one: no security
// attributes, the default stack size, no creation flags, and Default8087CW loaded first,
// as a TThread loads it. Its result is the thread's exit code.
using TThreadFunc = unsigned (*)(void* parameter);
// Starts func(parameter) over the C runtime's thread start, so that the runtime's
// per-thread data is set up and released with the thread; the thread's handle (the
// caller closes it), or nullptr when no thread could be made.
HANDLE BeginThread(TThreadFunc func, void* parameter);

// Runs the Synchronize calls that workers are waiting on; main thread only. Returns
// whether any ran. The message loop calls it when idle and when woken for it.
bool CheckSynchronize();
// Called by a worker that has queued a Synchronize call, to wake the main thread's
// message loop (the application sets it; nil when there is none).
extern void (*WakeMainThread)();
