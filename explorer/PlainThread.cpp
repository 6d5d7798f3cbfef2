// BeginThread declared in PlainThread.h, over the C runtime's thread start so that the
// runtime's per-thread data is set up and released with the thread.
#include "PlainThread.h"

#include <process.h>

#include <new>

#include "forms/Thread.h"

namespace {

struct TThreadStart {
  TThreadFunc Func;
  void* Parameter;
};

unsigned __stdcall ThreadEntry(void* p) {
  const TThreadStart start = *static_cast<TThreadStart*>(p);
  delete static_cast<TThreadStart*>(p);
  const unsigned short word = Default8087CW;
  __asm__ __volatile__("fldcw %0" : : "m"(word));
  return start.Func(start.Parameter);  // returning ends the thread through _endthreadex
}

}  // namespace

HANDLE BeginThread(TThreadFunc func, void* parameter) {
  auto* start = new (std::nothrow) TThreadStart{func, parameter};
  if (!start) return nullptr;
  const uintptr_t handle = _beginthreadex(nullptr, 0, &ThreadEntry, start, 0, nullptr);
  if (handle == 0) {
    delete start;
    return nullptr;
  }
  return reinterpret_cast<HANDLE>(handle);
}
