// How the main window goes down: the close query ends the palette animation, the close
// handler writes the settings back and releases the animation's events and handles and
// the colour-table lock, but only once nothing can use them any more.
#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/render/RenderEngine.h"
#include "forms/windows/Menus.h"

namespace {

// How long the close handler waits for animation threads that were told to stop.
constexpr DWORD AnimationEndTimeoutMs = 5000;

}  // namespace

void TForm1::StopAnimationAndWait() {
  AnimStop = 1;
  if (AnimIdleEvent) WaitForSingleObject(AnimIdleEvent, 1000);
}

void TForm1::FormCloseQuery(TObject*, bool& canClose) {
  StopAnimationAndWait();
  canClose = true;
}

bool TForm1::AnimationThreadsEnded() {
  HANDLE running[2];
  DWORD count = 0;
  for (HANDLE h : AnimThreadHandles)
    if (h) running[count++] = h;
  if (count == 0) return true;
  return WaitForMultipleObjects(count, running, TRUE, AnimationEndTimeoutMs) < WAIT_OBJECT_0 + count;
}

void TForm1::FormClose(TObject*, TCloseAction&) {
  try {
    WriteSettings();
  } catch (...) {
    // A settings file that cannot be written leaves the old settings for next time.
  }

  // The lock and the events outlive every thread that uses them: the render workers
  // end here, the animation threads were told to stop by the close query. A thread that
  // does not end in time keeps them: better leaked than released under it.
  AnimStop = 1;
  if (engine_) engine_->EndWorkers();
  if (!AnimationThreadsEnded()) return;

  for (HANDLE* event : {&AnimIdleEvent, &AnimStartEvent, &AnimHalfDoneEvent}) {
    if (*event) CloseHandle(*event);
    *event = nullptr;
  }
  for (HANDLE& thread : AnimThreadHandles) {
    if (thread) CloseHandle(thread);
    thread = nullptr;
  }
  if (paletteLockMade_) {
    DeleteCriticalSection(&PaletteLock);
    paletteLockMade_ = false;
  }
}
