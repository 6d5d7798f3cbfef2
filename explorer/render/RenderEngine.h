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
//   FormClose                -> StopRender before the lock and events are released
// Navigation asks SingleThreadRenderUnderWay before it switches DXTimer1 off.
//
// Settings read: RenderSettings.h and ColorSettings.h; state written: RenderState.h,
// LockedSurface.h (SurfaceLocked, LockedSurfaceDesc).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "RenderHost.h"
#include "RenderSurface.h"

class TCalcThread;
class TStoreGate;

class TRenderEngine {
public:
  TRenderEngine(IRenderSurface& surface, IRenderHost& host);
  // Stops a render that is still running.
  ~TRenderEngine();
  TRenderEngine(const TRenderEngine&) = delete;
  TRenderEngine& operator=(const TRenderEngine&) = delete;

  // Render start. With RecolorRequest set, only recolours from IterBuffer (no worker, the
  // caption stays), but only when the last render finished and the surface still has the
  // buffer's size; otherwise the request is dropped and the view is rendered anew. Else it
  // fixes the render state, allocates IterBuffer and starts CpuCount workers (with
  // UseMultiThreading on) or the single-thread renderer (off).
  void StartRender();
  // Render stop: no more pixel stores, every worker told to stop and waited for (each
  // answers within one kernel call), the surface unlocked when the render held it.
  void StopRender();
  // Timer1's tick: when every worker is done, frees them, presents the image and reports
  // the time; otherwise, unless HideDrawing, presents the partial image.
  void ProgressTick();
  // Recolours the whole surface from IterBuffer, inside pixels included, and presents it.
  void RedrawFromBuffer();
  // DXTimer1's tick: the selection animation, and one row of a single-thread render.
  void FrameTick();

  // A render started with multithreading off that has not finished.
  bool SingleThreadRenderUnderWay() const { return singleThread_; }
  // Workers exist: a multithreaded render not yet collected by ProgressTick.
  bool WorkersRunning() const { return !calcThreads_.empty(); }
  // The workers of the running render (CalcThreads), one slot per worker.
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
  void StartWorkers();
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
  std::unique_ptr<TStoreGate> gate_;
  std::vector<std::int32_t> rowCounts_;  // the single-thread renderer's row
  TClock clock_;
  bool surfaceHeld_ = false;     // a successful Lock not yet unlocked
  bool progressTimer_ = false;   // mirrors Timer1.Enabled
  bool singleThread_ = false;
  bool cutShort_ = false;        // the last render was stopped before it finished
};
