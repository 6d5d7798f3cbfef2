// The main window's palette-animation commands: start and stop, direction, speed,
// vertical sync and the frame-rate overlay, each on the main menu's item and its popup
// twin. The threads are in PaletteAnimThreads.cpp.
#include <windows.h>
#include <mmsystem.h>

#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/palette/PaletteAnimThreads.h"
#include "explorer/palette/PaletteCycling.h"
#include "explorer/render/RenderSettings.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"
#include "forms/windows/Menus.h"
#include "forms/runtime/Thread.h"

namespace {

constexpr DWORD AnimIdleTimeoutMs = 1000;
// The corner where the 8-bit thread writes its frame rate on the window.
constexpr RECT FrameRateCorner{0, 0, 125, 60};

void RestartFrameCount() {
  FpsFrames = 0;
  FpsStartTime = timeGetTime();
}

int SurfaceBits(TCustomDXDraw* dxDraw) {
  return dxDraw->Surface() ? dxDraw->Surface()->BitCount() : 0;
}

}  // namespace

void TForm1::BindAnimationItems() {
  const auto bind = [](TMenuItem* a, TMenuItem* b, const TNotifyEvent& handler) {
    a->OnClick = handler;
    b->OnClick = handler;
  };
  bind(PaletteAnimation1, PaletteAnimation2, MakeEvent(this, &TForm1::PaletteAnimation1Click));
  bind(ChangeDirection1, ChangeDirection2, MakeEvent(this, &TForm1::ChangeDirection1Click));
  bind(IncreaseAnimSpeed1, IncreaseAnimSpeed2, MakeEvent(this, &TForm1::IncreaseAnimSpeed1Click));
  bind(DecreaseAnimSpeed1, DecreaseAnimSpeed2, MakeEvent(this, &TForm1::DecreaseAnimSpeed1Click));
  bind(NegativeImage1, NegativeImage2, MakeEvent(this, &TForm1::NegativeImage1Click));
  bind(EnableVSync1, EnableVSync2, MakeEvent(this, &TForm1::EnableVSync1Click));
  bind(ShowFPS1, ShowFPS2, MakeEvent(this, &TForm1::ShowFPS1Click));
}

void TForm1::PaletteAnimation1Click(TObject*) {
  const int bits = SurfaceBits(DXDraw1);
  if (bits != 8 && bits != 32) return;
  PaletteAnimation1->SetChecked(!PaletteAnimation1->Checked());
  PaletteAnimation2->SetChecked(!PaletteAnimation2->Checked());
  if (PaletteAnimation1->Checked())
    StartPaletteAnimation(bits);
  else
    StopPaletteAnimation();
}

bool TForm1::EndAnimationThreads(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  bool allEnded = true;
  for (HANDLE& thread : AnimThreadHandles) {
    if (!thread) continue;
    const DWORD waited = GetTickCount() - start;
    const DWORD left = waited < timeoutMs ? timeoutMs - waited : 0;
    if (WaitForSingleObject(thread, left) != WAIT_OBJECT_0) {
      allEnded = false;  // kept, so that the next start and the close handler wait for it
      continue;
    }
    CloseHandle(thread);
    thread = nullptr;
  }
  return allEnded;
}

void TForm1::StartPaletteAnimation(int bits) {
  // Threads of an earlier animation still finishing their frame would run beside the new
  // ones, both stepping the offset and locking the surface.
  if (!EndAnimationThreads(AnimThreadsEndTimeoutMs)) {
    PaletteAnimation1->SetChecked(false);
    PaletteAnimation2->SetChecked(false);
    return;
  }
  AnimContext.Display = DXDraw1;
  AnimContext.IdleEvent = AnimIdleEvent;
  AnimContext.StartEvent = AnimStartEvent;
  AnimContext.HalfDoneEvent = AnimHalfDoneEvent;
  AnimContext.ShowFps = ShowFPS1->Checked();
  AnimContext.VSync = EnableVSync1->Checked();
  AnimStop = 0;
  if (bits == 8) {
    AnimThreadHandles[0] = BeginThread(&PaletteAnimThread8, nullptr);
    return;
  }
  // Not signalled from here on, so that a stop right after the start waits for the
  // thread even before it has reset the event itself.
  ResetEvent(AnimIdleEvent);
  if (UseMultiThreading == 0) {
    AnimThreadHandles[0] = BeginThread(&PaletteAnimThread32, nullptr);
  } else {
    AnimThreadHandles[0] = BeginThread(&PaletteAnimThreadPair, nullptr);
    if (AnimThreadHandles[0]) AnimThreadHandles[1] = BeginThread(&PaletteAnimThreadPair, &AnimContext);
  }
  if (!AnimThreadHandles[0]) SetEvent(AnimIdleEvent);  // no thread will
}

void TForm1::StopPaletteAnimation() {
  AnimStop = 1;
  WaitForSingleObject(AnimIdleEvent, AnimIdleTimeoutMs);
  EndAnimationThreads(0);
}

void TForm1::ChangeDirection1Click(TObject*) { AnimDirection ^= 1; }

void TForm1::IncreaseAnimSpeed1Click(TObject*) {
  AnimDelay = FasterAnimDelay(AnimDelay);
  RestartFrameCount();
}

void TForm1::DecreaseAnimSpeed1Click(TObject*) {
  AnimDelay = SlowerAnimDelay(AnimDelay);
  RestartFrameCount();
}

void TForm1::EnableVSync1Click(TObject*) {
  EnableVSync1->SetChecked(!EnableVSync1->Checked());
  EnableVSync2->SetChecked(EnableVSync1->Checked());
  AnimContext.VSync = EnableVSync1->Checked();
  RestartFrameCount();
}

void TForm1::ShowFPS1Click(TObject*) {
  ShowFPS1->SetChecked(!ShowFPS1->Checked());
  ShowFPS2->SetChecked(ShowFPS1->Checked());
  AnimContext.ShowFps = ShowFPS1->Checked();
  RestartFrameCount();
  if (!ShowFPS1->Checked() && SurfaceBits(DXDraw1) == 8 && DXDraw1->HandleAllocated()) {
    InvalidateRect(DXDraw1->Handle(), &FrameRateCorner, TRUE);
    UpdateWindow(DXDraw1->Handle());
  }
}
