// The main window's side of the display control and the render engine: the control's
// initialise, restore and surface events, the two timers, and what the engine asks of
// its host window.
#include <windows.h>
#include <mmsystem.h>

#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/palette/PaletteAnimThreads.h"
#include "explorer/render/RenderEngine.h"
#include "explorer/render/RenderState.h"
#include "explorer/navigation/SelectionRect.h"
#include "explorer/record/RecordWindow.h"
#include "display/DXDraw.h"
#include "display/DXDrawDisplay.h"
#include "display/DXTimer.h"
#include "display/DirectDrawSurface.h"
#include "forms/windows/Menus.h"
#include "forms/runtime/Timer.h"

void TForm1::DXDraw1Initialize(TObject*) {
  if (WideScreen43 && DXDraw1->NowOptions().Contains(doFullScreen)) {
    const int surfaceWidth = DXDraw1->SurfaceWidth(), surfaceHeight = DXDraw1->SurfaceHeight();
    const TSelPoint off = CentringOffsets(DXDraw1->Display()->Width(), DXDraw1->Display()->Height(),
                                          surfaceWidth, surfaceHeight);
    ClipRect = RECT{off.X, off.Y, off.X + surfaceWidth, off.Y + surfaceHeight};
    ClipCursor(&ClipRect);
  }
  DXDraw1RestoreSurface(DXDraw1);
}

void TForm1::DXDraw1RestoreSurface(TObject*) {
  const int bits = DXDraw1->Surface() ? DXDraw1->Surface()->BitCount() : 0;
  if (bits != 8) {
    // The animation thread ends by itself after its frame; nothing is waited for here.
    AnimStop = 1;
    PaletteAnimation1->SetChecked(false);
    PaletteAnimation2->SetChecked(false);
  }
  const bool animatable = bits == 8 || bits == 32;
  for (TMenuItem* item : {PaletteAnimation1, PaletteAnimation2, IncreaseAnimSpeed1,
                          IncreaseAnimSpeed2, DecreaseAnimSpeed1, DecreaseAnimSpeed2,
                          ChangeDirection1, ChangeDirection2})
    item->SetEnabled(animatable);
}

void TForm1::DXDraw1InitializeSurface(TObject*) { engine_->StartRender(); }

void TForm1::DXDraw1FinalizeSurface(TObject*) {
  const int bits = DXDraw1->Surface() ? DXDraw1->Surface()->BitCount() : 0;
  if (bits != 8) {
    // An 8-bit animation survives re-renders: it only rotates the palette.
    PaletteAnimation1->SetChecked(false);
    PaletteAnimation2->SetChecked(false);
    StopAnimationAndWait();
    // The surface goes next: no animation thread may still be drawing on it.
    EndAnimationThreads(AnimThreadsEndTimeoutMs);
  }
  engine_->StopRender();
}

void TForm1::Timer1Timer(TObject*) { engine_->ProgressTick(); }

void TForm1::DXTimer1Timer(TObject*, int) { engine_->FrameTick(); }

IExplorerHost* ExplorerHost() { return Form1; }

// The view change of every command.
void TForm1::RestartRender() {
  DXDraw1->SetSize(DXDraw1->SurfaceWidth(), DXDraw1->SurfaceHeight());
}

void TForm1::Recolour() {
  TDirectDrawSurface* surface = DXDraw1->Surface();
  if (!DXDraw1->Initialized() || !surface || surface->BitCount() == 8) return;
  RecolorRequest = 1;
  RestartRender();
}

void TForm1::SetProgressTimer(bool enabled) { Timer1->SetEnabled(enabled); }

void TForm1::SetFrameTimer(bool enabled) { DXTimer1->SetEnabled(enabled); }

void TForm1::SetCaption(const std::string& caption) { TDXForm::SetCaption(caption); }

void TForm1::RenderFinished() {
  FpsFrames = 0;
  FpsStartTime = timeGetTime();
  if (Form5 && Form5->AutoFlight()) AviZoomStep();
  NudgeCursorForPreview();
}

bool TForm1::SelectionActive() { return ::SelectionActive != 0; }

void TForm1::DrawSelectionRect() {
  ::DrawSelectionRect(DXDraw1->Handle(), SelStart, SelEnd, InvertRectinSelection1->Checked());
}
