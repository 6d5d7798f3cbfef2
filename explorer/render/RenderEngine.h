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

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "explorer/render/RenderHost.h"
#include "explorer/render/RenderSurface.h"

class TCalcThread;
class TStoreGate;

class TRenderEngine {
public:
  TRenderEngine(IRenderSurface& surface, IRenderHost& host);
  // Stops a render that is still running and ends the workers, touching neither the host
  // nor the surface, which may already be gone: the display's surface finalisation
  // (StopRender) is what unlocks it.
  ~TRenderEngine();
  TRenderEngine(const TRenderEngine&) = delete;
  TRenderEngine& operator=(const TRenderEngine&) = delete;

  // Render start. With RecolorRequest set, only recolours from IterBuffer (no worker, the
  // caption stays), but only when the last render finished and the surface still has the
  // buffer's size; otherwise the request is dropped and the view is rendered anew. Else it
  // fixes the render state, allocates IterBuffer and starts CpuCount workers (with
  // UseMultiThreading on) or the single-thread renderer (off).
  void StartRender();
  // Render stop: no more pixel stores, every worker told to leave its rows and waited
  // for (each answers within one kernel call), the surface unlocked when the render held it.
  void StopRender();
  // Render stop, then the worker threads ended. The next multithreaded render starts new
  // ones; the destructor ends them too.
  void EndWorkers();
  // Waits until every worker has left the running render, at most timeoutMs; true when
  // they have (or no render runs). ProgressTick still collects the render.
  bool WaitForWorkers(DWORD timeoutMs);
  // Timer1's tick: when every worker is done, collects the render, presents the image
  // and reports the time; otherwise, unless HideDrawing, presents the partial image.
  void ProgressTick();
  // Recolours the whole surface from IterBuffer, inside pixels included, and presents it.
  void RedrawFromBuffer();
  // DXTimer1's tick: the selection animation, and one row of a single-thread render.
  void FrameTick();

  // A render started with multithreading off that has not finished.
  bool SingleThreadRenderUnderWay() const { return singleThread_; }
  // A multithreaded render not yet collected by ProgressTick or stopped.
  bool WorkersRunning() const { return rendering_; }
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
  void StartWorkers();
  void MakeWorkers(std::int32_t count);
  // Asks every worker to leave the running render and waits for them; stores stop first.
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
  std::unique_ptr<TStoreGate> gate_;
  std::atomic<std::int32_t> remaining_{0};  // workers still in the running render
  HANDLE allDone_;                          // manual reset: set when remaining_ reaches 0
  bool rendering_ = false;
  std::vector<std::int32_t> rowCounts_;  // the single-thread renderer's row
  TClock clock_;
  bool surfaceHeld_ = false;     // a successful Lock not yet unlocked
  bool progressTimer_ = false;   // mirrors Timer1.Enabled
  bool singleThread_ = false;
  bool cutShort_ = false;        // the last render was stopped before it finished
};
