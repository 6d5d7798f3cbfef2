// The palette-animation threads declared in PaletteAnimThreads.h. They use the display
// control from outside the main thread (lock, unlock, canvas, flip, palette update and
// the vertical-sync option, which the control allows), the colour table only under
// PaletteLock when they write it, and of the main window only what AnimContext holds.
//
// The pair's frame: the master locks the back surface, publishes the round and opens the
// store gate, then signals AnimStartEvent; the second thread recolours odd rows, each
// inside a store section that only opens while the gate is open, and reports its round
// through AnimHalfDoneEvent. The master waits for that report at most 1000 ms and then
// closes the gate, which returns once no odd row is being written: so a late second
// thread never writes into an unlocked or re-created surface, and a late report never
// passes for the next frame's.
#include "explorer/palette/PaletteAnimThreads.h"

#include <windows.h>
#include <mmsystem.h>
#include <ddraw.h>

#include <algorithm>
#include <atomic>
#include <cstddef>

#include "explorer/render/ColorSettings.h"
#include "explorer/app/ExplorerState.h"
#include "explorer/palette/FrameRateOverlay.h"
#include "explorer/render/LockedSurface.h"
#include "explorer/palette/PaletteCycling.h"
#include "explorer/palette/PaletteLockHolder.h"
#include "explorer/render/RenderState.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"

TAnimContext AnimContext;

namespace {

constexpr DWORD HalfFrameTimeoutMs = 1000;
constexpr DWORD StartPollMs = 50;
constexpr DWORD MasterEndPauseMs = 50;

// What one 32-bit frame draws: the rows and columns that IterBuffer and the locked
// surface both have, where the surface's pixels are, and how counts become colours.
struct TAnimFrame {
  std::int32_t Rows = 0;
  std::int32_t Columns = 0;
  std::uint8_t* Pixels = nullptr;
  std::ptrdiff_t Pitch = 0;
  TAnimColoring Coloring;
};

void SetWaitVBlank(TCustomDXDraw* dxDraw, bool on) {
  TDXDrawOptions options = dxDraw->Options();
  if (on)
    options.Include(doWaitVBlank);
  else
    options.Exclude(doWaitVBlank);
  dxDraw->SetOptions(options);
}

void StartFrameCount() {
  FpsFrames = 0;
  FpsStartTime = timeGetTime();
}

std::int32_t StepOffset() {
  const std::uint32_t step = AnimDirection.load() == 0 ? 1u : 0xFFFFFFFFu;
  PaletteOffset = static_cast<std::int32_t>(std::uint32_t(PaletteOffset) + step);
  return PaletteOffset;
}

// Locks the back surface into LockedSurfaceDesc and sets SurfaceLocked; describes the
// frame. False (nothing locked, nothing to draw) when the lock failed or the surface is
// not 32 bits deep.
bool LockFrame(TCustomDXDraw* dxDraw, std::int32_t offset, TAnimFrame& frame) {
  frame = TAnimFrame{};
  TDirectDrawSurface* surface = dxDraw->Surface();
  if (!surface) return false;
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  if (!surface->Lock(desc)) return false;
  if (!desc.lpSurface || desc.ddpfPixelFormat.dwRGBBitCount != 32) {
    surface->Unlock();
    return false;
  }
  LockedSurfaceDesc.Pixels = static_cast<std::uint8_t*>(desc.lpSurface);
  LockedSurfaceDesc.Pitch = static_cast<std::int32_t>(desc.lPitch);
  LockedSurfaceDesc.RGBBitCount = desc.ddpfPixelFormat.dwRGBBitCount;
  LockedSurfaceDesc.GreenBitMask = desc.ddpfPixelFormat.dwGBitMask;
  SurfaceLocked = 1;

  // IterBuffer belongs to the last render, the surface may have another size: draw only
  // what both have.
  const std::int32_t width = RenderWidth > 0 ? RenderWidth : 0;
  const std::int32_t bufferRows =
      width > 0 ? static_cast<std::int32_t>(IterBuffer.size() / static_cast<std::size_t>(width)) : 0;
  const std::int32_t surfaceWidth =
      desc.dwFlags & DDSD_WIDTH ? static_cast<std::int32_t>(desc.dwWidth) : surface->Width();
  const std::int32_t surfaceHeight =
      desc.dwFlags & DDSD_HEIGHT ? static_cast<std::int32_t>(desc.dwHeight) : surface->Height();
  frame.Columns = std::min(width, surfaceWidth);
  frame.Rows = std::min({RenderHeight, bufferRows, surfaceHeight});
  if (frame.Rows < 0) frame.Rows = 0;
  frame.Pixels = LockedSurfaceDesc.Pixels;
  frame.Pitch = LockedSurfaceDesc.Pitch;
  frame.Coloring = CurrentAnimColoring(
      offset, reinterpret_cast<const ColorTableEntry*>(dxDraw->ColorTable));
  return true;
}

void DrawRow(const TAnimFrame& frame, std::int32_t y) {
  RecolorAnimationRow(IterBuffer.data() + static_cast<std::size_t>(y) * RenderWidth,
                      frame.Columns, frame.Pixels + y * frame.Pitch, frame.Coloring);
}

// Rows first, first + step, ... of the frame, while pixels may be stored.
void DrawRows(const TAnimFrame& frame, std::int32_t first, std::int32_t step) {
  for (std::int32_t y = first; y < frame.Rows; y += step) {
    if (SurfaceLocked.load() == 0) return;
    DrawRow(frame, y);
  }
}

// The end of a frame: unlock, overlay, flip, the delay with vertical sync off.
void FinishFrame(TAnimContext& context, bool locked) {
  TCustomDXDraw* dxDraw = context.Display;
  if (locked) {
    SurfaceLocked = 0;
    if (TDirectDrawSurface* surface = dxDraw->Surface()) surface->Unlock();
  }
  // Nothing may leave a thread procedure: a failed presentation only loses its frame.
  try {
    if (context.ShowFps.load()) DrawFrameRateOnSurface(dxDraw);
    dxDraw->Flip();
  } catch (...) {
  }
  SetWaitVBlank(dxDraw, false);
  const std::int32_t delay = AnimDelay.load();
  if (delay > 0) Sleep(static_cast<DWORD>(delay));
  if (context.VSync.load()) SetWaitVBlank(dxDraw, true);
}

// The start shared by the single 32-bit thread and the pair's master.
void StartAnimation32(TAnimContext& context) {
  if (context.VSync.load()) SetWaitVBlank(context.Display, true);
  ResetEvent(context.IdleEvent);
  StartFrameCount();
}

// The pair's shared frame: the round being drawn, the second thread's last finished
// round, and the store gate over the odd rows.
struct TPairFrame {
  std::atomic<std::uint32_t> Round{0};
  std::atomic<std::uint32_t> DoneRound{0};
  std::atomic<bool> Open{false};
  std::atomic<bool> Storing{false};
  TAnimFrame Frame;  // written by the master only while the gate is closed
};
TPairFrame Pair;

void OpenPairGate() { Pair.Open.store(true); }

void ClosePairGate() {
  Pair.Open.store(false);
  while (Pair.Storing.load()) SwitchToThread();
}

void DrawOddRows() {
  for (std::int32_t y = 1;; y += 2) {
    Pair.Storing.store(true);
    // Only while the gate is open is the frame the master's current one.
    if (!Pair.Open.load() || y >= Pair.Frame.Rows || SurfaceLocked.load() == 0) {
      Pair.Storing.store(false);
      return;
    }
    DrawRow(Pair.Frame, y);
    Pair.Storing.store(false);
  }
}

void RunPairMaster(TAnimContext& context) {
  TCustomDXDraw* dxDraw = context.Display;
  StartAnimation32(context);
  while (AnimStop.load() == 0) {
    const std::int32_t offset = StepOffset();
    FpsFrames.fetch_add(1);
    const bool locked = LockFrame(dxDraw, offset, Pair.Frame);
    const std::uint32_t round = Pair.Round.load() + 1;
    Pair.Round.store(round);
    if (locked) OpenPairGate();
    SetEvent(context.StartEvent);
    if (locked) DrawRows(Pair.Frame, 0, 2);
    const DWORD start = GetTickCount();
    for (;;) {
      if (Pair.DoneRound.load() == round) break;
      const DWORD waited = GetTickCount() - start;
      if (waited >= HalfFrameTimeoutMs) break;
      WaitForSingleObject(context.HalfDoneEvent, HalfFrameTimeoutMs - waited);
    }
    ClosePairGate();
    FinishFrame(context, locked);
  }
  SetWaitVBlank(dxDraw, false);
  Sleep(MasterEndPauseMs);
  SetEvent(context.IdleEvent);
}

void RunPairSecond(TAnimContext& context) {
  while (AnimStop.load() == 0) {
    if (WaitForSingleObject(context.StartEvent, StartPollMs) != WAIT_OBJECT_0) continue;
    const std::uint32_t round = Pair.Round.load();
    DrawOddRows();
    Pair.DoneRound.store(round);
    SetEvent(context.HalfDoneEvent);
  }
}

}  // namespace

unsigned PaletteAnimThread32(void*) {
  TAnimContext& context = AnimContext;
  TCustomDXDraw* dxDraw = context.Display;
  StartAnimation32(context);
  while (AnimStop.load() == 0) {
    const std::int32_t offset = StepOffset();
    FpsFrames.fetch_add(1);
    TAnimFrame frame;
    const bool locked = LockFrame(dxDraw, offset, frame);
    if (locked) DrawRows(frame, 0, 1);
    FinishFrame(context, locked);
  }
  SetWaitVBlank(dxDraw, false);
  SetEvent(context.IdleEvent);
  return AnimThreadExitCode;
}

unsigned PaletteAnimThreadPair(void* parameter) {
  if (parameter == nullptr)
    RunPairMaster(AnimContext);
  else
    RunPairSecond(*static_cast<TAnimContext*>(parameter));
  return AnimThreadExitCode;
}

unsigned PaletteAnimThread8(void*) {
  TAnimContext& context = AnimContext;
  TCustomDXDraw* dxDraw = context.Display;
  if (context.VSync.load()) SetWaitVBlank(dxDraw, true);
  // The rotated table becomes the image's colouring, and stays so afterwards.
  PaletteLoaded = -1;
  StartFrameCount();
  while (AnimStop.load() == 0) {
    FpsFrames.fetch_add(1);
    {
      TPaletteLockHolder lock;
      RotateFractalEntries(reinterpret_cast<ColorTableEntry*>(dxDraw->ColorTable),
                           AnimDirection.load());
      try {
        dxDraw->UpdatePalette();
        if (context.ShowFps.load() && AnimStop.load() == 0) DrawFrameRateOnWindow(dxDraw);
      } catch (...) {
        // The rotation stands; the next frame shows it.
      }
    }
    SetWaitVBlank(dxDraw, false);
    const std::int32_t delay = AnimDelay.load();
    Sleep(static_cast<DWORD>(std::max<std::int32_t>(1, delay)));
    if (context.VSync.load()) SetWaitVBlank(dxDraw, true);
  }
  SetWaitVBlank(dxDraw, false);
  return AnimThreadExitCode;
}
