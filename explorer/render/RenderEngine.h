// TRenderEngine: turns the current view into an image on the display's back surface. It
// starts a render when the display has (re)created its surfaces, runs it on one worker per
// processor (CalcThread.h) or hands it to the single-thread renderer of the frame timer,
// shows progress, reports the render time in the caption, and stops the workers before
// the surfaces go. It reaches the display only through IRenderSurface and the main window
// only through IRenderHost, so it runs against a memory surface in tests and benchmarks.
//
// The main window's handlers are thin calls into it, on the main thread:
//   DXDraw1InitializeSurface -> StartRender
//   DXDraw1FinalizeSurface   -> (stop the palette animation, above 8 bits) then StopRender
//   Timer1Timer              -> ProgressTick   (Timer1: 10 ms, switched by SetProgressTimer)
//   DXTimer1Timer            -> FrameTick      (DXTimer1: switched by SetFrameTimer)
//   FormClose                -> EndWorkers before the lock and events are released
// Navigation asks SingleThreadRenderUnderWay before it switches DXTimer1 off.
//
// Settings read: RenderSettings.h and ColorSettings.h; state written: RenderState.h,
// LockedSurface.h (SurfaceLocked, LockedSurfaceDesc).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "explorer/render/RenderHost.h"
#include "explorer/render/RenderSurface.h"

class TCalcThread;
struct TWorkerCrew;

class TRenderEngine {
public:
  TRenderEngine(IRenderSurface& surface, IRenderHost& host);
  // Stops a render that is still running and ends the workers (waiting for them),
  // touching neither the host nor the surface, which may already be gone: the display's
  // surface finalisation (StopRender) is what unlocks it.
  ~TRenderEngine();
  TRenderEngine(const TRenderEngine&) = delete;
  TRenderEngine& operator=(const TRenderEngine&) = delete;

  // Render start. With RecolorRequest set, only recolours from IterBuffer (no worker, the
  // caption stays), but only when the last render finished and the surface still has the
  // buffer's size; otherwise the request is dropped and the view is rendered anew. Else it
  // fixes the render state, allocates IterBuffer and starts CpuCount workers (with
  // UseMultiThreading on) or the single-thread renderer (off). While workers of a stopped
  // render are still inside a kernel call (one call runs up to the iteration limit and
  // cannot be cut short), the render only becomes pending and the call returns at once:
  // ProgressTick starts it once they have all left, so the window keeps answering.
  void StartRender();
  // Render stop: no more pixel stores, every worker told to leave its rows (each answers
  // when its kernel call returns; nothing waits for that here), the surface unlocked when
  // the render held it, a pending render dropped.
  void StopRender();
  // Render stop, then the worker threads ended. Workers still inside a kernel call are
  // not waited for: the program is ending and nobody will see their result, so they are
  // left to the process's end. The next multithreaded render starts new ones.
  void EndWorkers();
  // Waits until every worker has left its render (running or stopped), at most
  // timeoutMs; true when they have. ProgressTick still collects or starts the render.
  bool WaitForWorkers(DWORD timeoutMs);
  // Timer1's tick: starts a pending render once the last render's workers have left;
  // when every worker is done, collects the render, presents the image and reports the
  // time; otherwise, unless HideDrawing, presents the partial image.
  void ProgressTick();
  // Recolours the whole surface from IterBuffer, inside pixels included, and presents it.
  void RedrawFromBuffer();
  // DXTimer1's tick: the selection animation, and one row of a single-thread render.
  void FrameTick();

  // A render started with multithreading off that has not finished.
  bool SingleThreadRenderUnderWay() const { return singleThread_; }
  // A multithreaded render not yet collected by ProgressTick or stopped, or a render
  // pending until the last one's workers have left.
  bool WorkersRunning() const { return rendering_ || startPending_; }
  // The render workers (CalcThreads), one per processor, kept from render to render.
  const std::vector<TCalcThread*>& CalcThreads() const { return calcThreads_; }

  // The millisecond clock the render time is measured with: timeGetTime unless replaced.
  using TClock = std::uint32_t (*)();
  void SetClock(TClock clock) { clock_ = clock; }

private:
  // Locks the back surface into LockedSurfaceDesc; SurfaceLocked only when that worked.
  void LockSurface();
  // SurfaceLocked := 0, then unlocks what LockSurface locked.
  void UnlockSurface();
  bool CanRecolor() const;
  // The render start proper, once no worker of an earlier render is left in it.
  void BeginRender();
  // Workers of a stopped render are still inside their last kernel call.
  bool WorkersLeaving() const;
  void SetProgress(bool enabled);
  void StartWorkers();
  void MakeWorkers(std::int32_t count);
  // Asks every worker to leave the running render; when it returns no worker stores
  // anything more, though some may still be inside a kernel call.
  void LeaveRender();
  void ProgressFlip();
  void CollectWorkers();
  // The end of every render: time text, caption, the host's after-steps.
  void ReportFinished();
  // The single-thread renderer: one row, then the pass advance.
  void RenderOneRow();
  void AdvanceRow();
  void FinishSingleThread();

  IRenderSurface& surface_;
  IRenderHost& host_;
  std::vector<TCalcThread*> calcThreads_;
  std::unique_ptr<TWorkerCrew> crew_;  // what the workers share; made with them
  bool rendering_ = false;
  bool startPending_ = false;  // StartRender waits for the last render's workers
  std::vector<std::int32_t> rowCounts_;  // the single-thread renderer's row
  TClock clock_;
  bool surfaceHeld_ = false;     // a successful Lock not yet unlocked
  bool progressTimer_ = false;   // mirrors Timer1.Enabled
  bool singleThread_ = false;
  bool cutShort_ = false;        // the last render was stopped before it finished
};
