// Render start, render stop, the progress timer and the redraw from IterBuffer, declared
// in RenderEngine.h. The single-thread renderer of the frame timer is FrameRenderer.cpp.
#include "explorer/render/RenderEngine.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "explorer/render/CalcThread.h"
#include "explorer/render/Coloring.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/render/RenderTime.h"
#include "explorer/render/RowIteration.h"
#include "explorer/render/StoreGate.h"
#include "forms/core/Consts.h"
#include "forms/core/SysUtils.h"

namespace {

std::uint32_t MultimediaClock() { return timeGetTime(); }

// The x87 unit's initial state: 64-bit mantissa, rounding to nearest, all exceptions masked.
void ResetX87() { __asm__ __volatile__("fninit"); }

}  // namespace

// What the workers of the engine share with it: the store gate, the count of workers
// still in a render, and the event the last one sets. An object of its own, so that
// workers left inside a kernel call when the program ends still find it on their return.
struct TWorkerCrew {
  explicit TWorkerCrew(std::int32_t workers) : Gate(workers) {
    AllDone = CreateEventA(nullptr, TRUE, TRUE, nullptr);  // manual reset
    if (AllDone == nullptr) throw EThread(SThreadCreateError, std::string("CreateEvent"));
  }
  ~TWorkerCrew() { CloseHandle(AllDone); }
  TWorkerCrew(const TWorkerCrew&) = delete;
  TWorkerCrew& operator=(const TWorkerCrew&) = delete;

  TStoreGate Gate;
  std::atomic<std::int32_t> Remaining{0};
  HANDLE AllDone;
};

TRenderEngine::TRenderEngine(IRenderSurface& surface, IRenderHost& host)
    : surface_(surface), host_(host), clock_(&MultimediaClock) {}

TRenderEngine::~TRenderEngine() {
  LeaveRender();
  for (TCalcThread*& t : calcThreads_) FreeAndNil(t);  // each waits for its thread's end
}

void TRenderEngine::LockSurface() {
  TLockedSurfaceDesc desc;
  surfaceHeld_ = surface_.Lock(desc);
  if (surfaceHeld_ && desc.Pixels != nullptr) {
    LockedSurfaceDesc = desc;
    SurfaceLocked = 1;
  } else {
    LockedSurfaceDesc = TLockedSurfaceDesc();
    SurfaceLocked = 0;
  }
}

void TRenderEngine::UnlockSurface() {
  SurfaceLocked = 0;
  if (surfaceHeld_) {
    surfaceHeld_ = false;
    surface_.Unlock();
  }
}

bool TRenderEngine::CanRecolor() const {
  // A buffer from a render that was cut short, or from a surface of another size, would
  // show a half-rendered image or store outside the surface.
  return !cutShort_ && !rendering_ && RenderWidth > 0 && RenderHeight > 0 &&
         surface_.Width() == RenderWidth && surface_.Height() == RenderHeight &&
         IterBuffer.size() == static_cast<std::size_t>(RenderWidth) * RenderHeight;
}

bool TRenderEngine::WorkersLeaving() const {
  return !rendering_ && crew_ && crew_->Remaining.load(std::memory_order_acquire) != 0;
}

void TRenderEngine::SetProgress(bool enabled) {
  if (progressTimer_ == enabled) return;
  progressTimer_ = enabled;
  host_.SetProgressTimer(enabled);
}

void TRenderEngine::StartRender() {
  ResetX87();
  if (RecolorRequest != 0) {
    if (CanRecolor()) {
      RedrawFromBuffer();
      return;
    }
    RecolorRequest = 0;
  }
  if (rendering_) StopRender();  // one render at a time
  if (WorkersLeaving()) {
    // The render state and IterBuffer are theirs to read until they have left.
    startPending_ = true;
    SetProgress(true);
    return;
  }
  BeginRender();
}

void TRenderEngine::BeginRender() {
  startPending_ = false;
  SetProgress(false);
  ResetX87();
  RenderRow = 0;
  RenderPass = 1;
  RenderMaxIterations = MaxIterations;
  RenderBailout = Bailout;
  RenderJuliaC = JuliaC;
  const std::int32_t width = std::max<std::int32_t>(surface_.Width(), 0);
  const std::int32_t height = std::max<std::int32_t>(surface_.Height(), 0);
  PixelStepY = ViewHeight / (height > 0 ? height : 1);
  PixelStepX = PixelStepY;
  RenderWidth = width;
  RenderHeight = height;
  // A new buffer of zeros; the old one's memory is reused when it is large enough.
  IterBuffer.assign(static_cast<std::size_t>(width) * height, 0);
  ViewRight = ViewLeft + RenderWidth * PixelStepX;
  ViewBottom = ViewTop - RenderHeight * PixelStepY;
  host_.ShowParameters();
  SetPacking();
  rowCounts_.assign(static_cast<std::size_t>(CallsPerRow) * PixelsPerCall, 0);
  RenderStartTime = clock_();
  cutShort_ = false;

  if (UseMultiThreading != 0) {
    singleThread_ = false;
    StartWorkers();
  } else {
    singleThread_ = true;
    host_.SetFrameTimer(true);
  }
}

void TRenderEngine::MakeWorkers(std::int32_t count) {
  if (static_cast<std::int32_t>(calcThreads_.size()) == count) return;
  EndWorkers();
  try {
    crew_ = std::make_unique<TWorkerCrew>(count);
    for (std::int32_t i = 0; i < count; ++i) calcThreads_.push_back(New<TCalcThread>());
  } catch (...) {
    EndWorkers();
    throw;
  }
}

void TRenderEngine::StartWorkers() {
  host_.SetFrameTimer(false);
  const std::int32_t workers = CpuCount > 0 ? CpuCount : 1;
  MakeWorkers(workers);
  LockSurface();
  crew_->Remaining.store(workers, std::memory_order_relaxed);
  ResetEvent(crew_->AllDone);
  const TWorkerShared shared{&crew_->Gate, surface_.ColorTable(), &crew_->Remaining,
                             crew_->AllDone};
  for (std::int32_t i = 0; i < workers; ++i)
    calcThreads_[i]->StartRows(i, ViewTop - i * PixelStepY, workers, shared, i);
  rendering_ = true;
  SetProgress(true);
}

void TRenderEngine::LeaveRender() {
  SurfaceLocked = 0;
  if (!rendering_) return;
  cutShort_ = true;
  for (TCalcThread* t : calcThreads_) t->StopRows();
  // A store section already open ends before Close returns; one opened after Open sees
  // the stop request and stores nothing.
  crew_->Gate.Close();
  crew_->Gate.Open();
  rendering_ = false;
}

void TRenderEngine::StopRender() {
  LeaveRender();
  startPending_ = false;  // the surface goes: its next initialisation asks again
  SetProgress(false);
  // The display releases the surface next; it goes back unlocked.
  UnlockSurface();
}

void TRenderEngine::EndWorkers() {
  StopRender();
  if (WorkersLeaving()) {
    // A kernel call cannot be cut short, and nobody will see its result: the threads end
    // when their calls return, or with the process, and the crew stays for them.
    for (TCalcThread* t : calcThreads_) t->Abandon();
    calcThreads_.clear();
    static_cast<void>(crew_.release());
    return;
  }
  for (TCalcThread*& t : calcThreads_) FreeAndNil(t);  // each waits for its thread's end
  calcThreads_.clear();
  crew_.reset();
}

bool TRenderEngine::WaitForWorkers(DWORD timeoutMs) {
  return !crew_ || WaitForSingleObject(crew_->AllDone, timeoutMs) == WAIT_OBJECT_0;
}

void TRenderEngine::ProgressTick() {
  if (!progressTimer_) return;
  if (startPending_) {
    if (!WorkersLeaving()) BeginRender();
    return;
  }
  if (!rendering_) return;
  if (crew_->Remaining.load(std::memory_order_acquire) == 0) {
    CollectWorkers();
  } else if (HideDrawing == 0) {
    ProgressFlip();
  }
}

void TRenderEngine::ProgressFlip() {
  // The gate first: once it is closed no worker is storing, so the unlock below cannot
  // pull the surface from under a store. Suspension with the context fetch then stops
  // the workers for the flip, but only the busy ones, which are computing or waiting at
  // the gate and hold nothing the flip may need.
  TStoreGate* gate = &crew_->Gate;
  gate->Close();
  std::vector<HANDLE> suspended;
  suspended.reserve(calcThreads_.size());
  for (TCalcThread* t : calcThreads_) {
    if (!t->Busy()) continue;
    if (SuspendThread(t->Handle()) == static_cast<DWORD>(-1)) continue;
    suspended.push_back(t->Handle());
    CONTEXT context{};
    context.ContextFlags = CONTEXT_INTEGER;
    // Returns once the thread has really stopped; a failure leaves it merely suspended,
    // which the closed gate makes as safe.
    GetThreadContext(t->Handle(), &context);
  }
  auto resume = [&] {
    for (HANDLE h : suspended) ResumeThread(h);
    gate->Open();
  };
  try {
    UnlockSurface();
    surface_.Flip();
    LockSurface();
  } catch (...) {
    resume();
    throw;
  }
  resume();
}

void TRenderEngine::CollectWorkers() {
  SetProgress(false);
  rendering_ = false;
  UnlockSurface();
  surface_.Flip();
  ReportFinished();
}

void TRenderEngine::ReportFinished() {
  RenderEndTime = clock_();
  RenderTimeText = FormatRenderTime(RenderStartTime, RenderEndTime);
  host_.SetCaption(RenderTimeCaption(RenderTimeText));
  host_.RenderFinished();
}

void TRenderEngine::RedrawFromBuffer() {
  RecolorRequest = 0;
  if (rendering_) return;  // the workers own the surface until they are done
  LockSurface();
  const ColorTableEntry* table = surface_.ColorTable();
  // Never past the surface nor past the buffer, whatever sizes the caller left behind.
  std::int32_t width = std::min(RenderWidth, surface_.Width());
  std::int32_t height = std::min(RenderHeight, surface_.Height());
  if (IterBuffer.size() < static_cast<std::size_t>(std::max(RenderWidth, 0)) *
                              static_cast<std::size_t>(std::max(RenderHeight, 0)))
    width = height = 0;
  for (std::int32_t y = 0; y < height; ++y)
    for (std::int32_t x = 0; x < width; ++x) RecolorPixelFromBuffer(x, y, table);
  UnlockSurface();
  surface_.Flip();
}
