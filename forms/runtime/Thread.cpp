// TThread, plain threads (BeginThread), the Synchronize queue and the default x87
// control word.
#include "forms/runtime/Thread.h"

#include <process.h>

#include <deque>
#include <exception>
#include <new>

#include "forms/core/Consts.h"

unsigned short Get8087CW() {
  unsigned short word;
  __asm__ __volatile__("fnstcw %0" : "=m"(word));
  return word;
}

namespace {
void Load8087CW(unsigned short word) { __asm__ __volatile__("fldcw %0" : : "m"(word)); }

// Both read on the main thread while the program's statics are initialised.
DWORD InitialThreadID() { return GetCurrentThreadId(); }
}  // namespace

DWORD MainThreadID = InitialThreadID();
unsigned short Default8087CW = Get8087CW();
void (*WakeMainThread)() = nullptr;

void Set8087CW(unsigned short word) {
  Default8087CW = word;
  Load8087CW(word);
}

// The Synchronize queue: workers append and wait for their entry's event; the main
// thread runs entries in order. SyncEvent is set while the queue is not empty, so a
// WaitFor on the main thread can wake for it.
namespace {

struct SyncEntry {
  TThreadMethod method;
  HANDLE done;
  std::exception_ptr error;
};

struct SyncQueue {
  CRITICAL_SECTION lock;
  HANDLE pending;  // manual reset
  std::deque<SyncEntry*> entries;
  SyncQueue() {
    InitializeCriticalSection(&lock);
    pending = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
};

SyncQueue& Queue() {
  static SyncQueue* queue = new SyncQueue;  // lives to the end: workers may outlive statics
  return *queue;
}

}  // namespace

bool CheckSynchronize() {
  if (GetCurrentThreadId() != MainThreadID) return false;
  SyncQueue& q = Queue();
  bool ran = false;
  for (;;) {
    EnterCriticalSection(&q.lock);
    if (q.entries.empty()) {
      ResetEvent(q.pending);
      LeaveCriticalSection(&q.lock);
      return ran;
    }
    SyncEntry* entry = q.entries.front();
    q.entries.pop_front();
    LeaveCriticalSection(&q.lock);
    try {
      entry->method();
    } catch (...) {
      entry->error = std::current_exception();
    }
    ran = true;
    SetEvent(entry->done);
  }
}

TThread::TThread(bool createSuspended) : createSuspended_(createSuspended) {
  uintptr_t h = _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &threadId_);
  if (!h) {
    DWORD code = GetLastError();
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                   sizeof text, nullptr);
    throw EThread(SThreadCreateError, std::string(text));
  }
  handle_ = reinterpret_cast<HANDLE>(h);
}

TThread::~TThread() {
  if (handle_ && !finished_) {
    Terminate();
    while (suspended_) Resume();
    WaitFor();
  }
  if (handle_) CloseHandle(handle_);
}

void TThread::AfterConstruction() {
  if (!createSuspended_) Resume();
}

void TThread::Resume() {
  DWORD previous = ResumeThread(handle_);
  if (previous <= 1 || previous == static_cast<DWORD>(-1)) suspended_ = false;
}

void TThread::Suspend() {
  suspended_ = true;
  SuspendThread(handle_);
}

unsigned TThread::WaitFor() {
  if (GetCurrentThreadId() == MainThreadID) {
    HANDLE handles[2] = {handle_, Queue().pending};
    for (;;) {
      DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
      if (r == WAIT_OBJECT_0) break;
      if (r == WAIT_OBJECT_0 + 1) {
        CheckSynchronize();
      } else if (r == WAIT_OBJECT_0 + 2) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers sent messages
      } else {
        break;
      }
    }
  } else {
    WaitForSingleObject(handle_, INFINITE);
  }
  DWORD code = 0;
  GetExitCodeThread(handle_, &code);
  return code;
}

void TThread::Synchronize(TThreadMethod method) {
  if (GetCurrentThreadId() == MainThreadID) {
    method();
    return;
  }
  SyncEntry entry{method, CreateEventA(nullptr, TRUE, FALSE, nullptr), nullptr};
  SyncQueue& q = Queue();
  EnterCriticalSection(&q.lock);
  q.entries.push_back(&entry);
  SetEvent(q.pending);
  LeaveCriticalSection(&q.lock);
  if (WakeMainThread) WakeMainThread();
  WaitForSingleObject(entry.done, INFINITE);
  CloseHandle(entry.done);
  if (entry.error) std::rethrow_exception(entry.error);
}

void TThread::CallOnTerminate() {
  if (OnTerminate) OnTerminate(this);
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize(MakeEvent(this, &TThread::CallOnTerminate));
}

unsigned __stdcall TThread::ThreadProc(void* self) {
  auto* thread = static_cast<TThread*>(self);
  Load8087CW(Default8087CW);
  if (!thread->terminated_) {
    try {
      thread->Execute();
    } catch (const std::exception& e) {
      thread->fatalMessage_ = e.what();
    } catch (...) {
      thread->fatalMessage_ = "exception";
    }
  }
  bool freeThread = thread->freeOnTerminate_;
  unsigned result = static_cast<unsigned>(thread->returnValue_);
  try {
    thread->DoTerminate();
  } catch (...) {
  }
  thread->finished_ = true;
  if (freeThread) thread->Free();
  return result;
}

// Plain threads.

namespace {

struct TThreadStart {
  TThreadFunc func;
  void* parameter;
};

unsigned __stdcall PlainThreadEntry(void* p) {
  const TThreadStart start = *static_cast<TThreadStart*>(p);
  delete static_cast<TThreadStart*>(p);
  Load8087CW(Default8087CW);
  return start.func(start.parameter);  // returning ends the thread through _endthreadex
}

}  // namespace

HANDLE BeginThread(TThreadFunc func, void* parameter) {
  auto* start = new (std::nothrow) TThreadStart{func, parameter};
  if (!start) return nullptr;
  const uintptr_t handle = _beginthreadex(nullptr, 0, &PlainThreadEntry, start, 0, nullptr);
  if (handle == 0) {
    delete start;
    return nullptr;
  }
  return reinterpret_cast<HANDLE>(handle);
}
