// The frame-rate overlay declared in FrameRateOverlay.h: black solid background, yellow
// Arial of 14 points, text at (0, 0).
#include "explorer/palette/FrameRateOverlay.h"

#include <windows.h>
#include <mmsystem.h>

#include "explorer/app/ExplorerState.h"
#include "explorer/palette/FrameRate.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"
#include "forms/graphics/Graphics.h"

namespace {

long double CurrentFrameRate() {
  // The start time first: a restart of the count between the two reads then gives a
  // small count over a long time, never a count over a negative time.
  const std::uint32_t start = FpsStartTime.load();
  const std::uint32_t frames = FpsFrames.load();
  return FrameRate(frames, timeGetTime(), start);
}

void SetUpCanvas(TCanvas& canvas) {
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(clBlack);
  canvas.Font()->SetColor(clYellow);
  canvas.Font()->SetName("Arial");
  canvas.Font()->SetSize(14);
}

}  // namespace

void DrawFrameRateOnSurface(TCustomDXDraw* dxDraw) {
  TDirectDrawSurface* surface = dxDraw->Surface();
  if (!surface) return;
  TSurfaceCanvasScope scope(surface);
  try {
    SetUpCanvas(*scope.Canvas());
    scope.Canvas()->TextOut(0, 0, FrameRateText32(CurrentFrameRate()));
  } catch (...) {
    // No device context for the surface now: this frame goes without its text.
  }
}

void DrawFrameRateOnWindow(TCustomDXDraw* dxDraw) {
  if (!dxDraw->HandleAllocated()) return;
  HWND window = dxDraw->Handle();
  HDC dc = GetDC(window);
  if (!dc) return;
  try {
    TCanvas canvas;
    canvas.SetHandle(dc);
    SetUpCanvas(canvas);
    canvas.TextOut(0, 0, FrameRateText8(CurrentFrameRate()));
  } catch (...) {
    // No font or brush now: this frame goes without its text.
  }
  ReleaseDC(window, dc);
}
