// Render start, render stop, the progress timer and the redraw from IterBuffer, declared
// in RenderEngine.h. The single-thread renderer of the frame timer is FrameRenderer.cpp.
#include "explorer/render/RenderEngine.h"

#include <windows.h>

#include <algorithm>

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

TRenderEngine::TRenderEngine(IRenderSurface& surface, IRenderHost& host)
    : surface_(surface), host_(host), clock_(&MultimediaClock) {
  allDone_ = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  if (allDone_ == nullptr) throw EThread(SThreadCreateError, std::string("CreateEvent"));
}

TRenderEngine::~TRenderEngine() {
  LeaveRender();
  for (TCalcThread*& t : calcThreads_) FreeAndNil(t);
  CloseHandle(allDone_);
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
    for (std::int32_t i = 0; i < count; ++i) calcThreads_.push_back(New<TCalcThread>());
  } catch (...) {
    EndWorkers();
    throw;
  }
  gate_ = std::make_unique<TStoreGate>(count);
}

void TRenderEngine::StartWorkers() {
  progressTimer_ = false;
  host_.SetProgressTimer(false);
  host_.SetFrameTimer(false);
  const std::int32_t workers = CpuCount > 0 ? CpuCount : 1;
  MakeWorkers(workers);
  LockSurface();
  remaining_.store(workers, std::memory_order_relaxed);
  ResetEvent(allDone_);
  const TWorkerShared shared{gate_.get(), surface_.ColorTable(), &remaining_, allDone_};
  for (std::int32_t i = 0; i < workers; ++i)
    calcThreads_[i]->StartRows(i, ViewTop - i * PixelStepY, workers, shared, i);
  rendering_ = true;
  progressTimer_ = true;
  host_.SetProgressTimer(true);
}

void TRenderEngine::LeaveRender() {
  SurfaceLocked = 0;
  if (!rendering_) return;
  cutShort_ = true;
  for (TCalcThread* t : calcThreads_) t->StopRows();
  WaitForSingleObject(allDone_, INFINITE);
  rendering_ = false;
}

void TRenderEngine::StopRender() {
  LeaveRender();
  if (progressTimer_) {
    progressTimer_ = false;
    host_.SetProgressTimer(false);
  }
  // The display releases the surface next; it goes back unlocked.
  UnlockSurface();
}

void TRenderEngine::EndWorkers() {
  StopRender();
  for (TCalcThread*& t : calcThreads_) FreeAndNil(t);  // each waits for its thread's end
  calcThreads_.clear();
  gate_.reset();
}

bool TRenderEngine::WaitForWorkers(DWORD timeoutMs) {
  return !rendering_ || WaitForSingleObject(allDone_, timeoutMs) == WAIT_OBJECT_0;
}

void TRenderEngine::ProgressTick() {
  if (!progressTimer_ || !rendering_) return;
  if (remaining_.load(std::memory_order_acquire) == 0) {
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
  gate_->Close();
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
    gate_->Open();
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
  progressTimer_ = false;
  host_.SetProgressTimer(false);
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
