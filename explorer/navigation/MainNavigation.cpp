// The main window's navigation: mouse selection zoom (Ctrl: out), middle-button pan,
// right-button cancel, wheel, double-click and the keyboard commands, the switch between
// the Mandelbrot set and a Julia set, and the render time shown in full screen. The
// arithmetic is in Navigation.cpp; every command that changes the view ends by
// restarting the render.
#include <algorithm>
#include <string>

#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/render/RenderEngine.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/record/RecordWindow.h"
#include "display/DXAVIRec.h"
#include "display/DXDraw.h"
#include "display/DXDrawDisplay.h"
#include "display/DXTimer.h"
#include "forms/windows/Forms.h"
#include "forms/windows/Menus.h"

namespace {

// The command of a menu item, run with the main window as Sender; an item whose command
// is not part of the window yet does nothing.
void RunItemHandler(TMenuItem* item, TObject* sender) {
  if (item->OnClick) item->OnClick(sender);
}

}  // namespace

TNavGeometry TForm1::Geometry() {
  TNavGeometry g;
  g.StepX = PixelStepX;
  g.StepY = PixelStepY;
  g.SurfaceWidth = DXDraw1->SurfaceWidth();
  g.SurfaceHeight = DXDraw1->SurfaceHeight();
  g.RenderWidth = RenderWidth;
  g.RenderHeight = RenderHeight;
  return g;
}

TPlaneView TForm1::CurrentView() { return TPlaneView{ViewLeft, ViewTop, ViewWidth, ViewHeight}; }

void TForm1::SetView(const TPlaneView& v) {
  ViewLeft = v.Left;
  ViewTop = v.Top;
  ViewWidth = v.Width;
  ViewHeight = v.Height;
}

bool TForm1::CentredFullScreen() {
  return WideScreen43 && DXDraw1->NowOptions().Contains(doFullScreen);
}

TSelPoint TForm1::CentringOffset() {
  return CentringOffsets(DXDraw1->Display()->Width(), DXDraw1->Display()->Height(),
                         DXDraw1->SurfaceWidth(), DXDraw1->SurfaceHeight());
}

void TForm1::ConfineToClient() {
  RECT r;
  if (!GetClientRect(Handle(), &r)) return;
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  ClipRect = r;
  ClipCursor(&ClipRect);
}

void TForm1::ReleaseConfinement() { ClipCursor(nullptr); }

void TForm1::ReconfineInFullScreen() {
  if (CentredFullScreen()) ClipCursor(&ClipRect);
}

void TForm1::StopFrameTimerUnlessRendering() {
  if (!engine_->SingleThreadRenderUnderWay()) DXTimer1->SetEnabled(false);
}

void TForm1::DXDraw1MouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
  const bool inWindow = !DXDraw1->NowOptions().Contains(doFullScreen);
  switch (button) {
    case mbMiddle:
      if (inWindow) ConfineToClient();
      SelStart = SelEnd = TSelPoint{x, y};
      Screen->SetCursor(crHandPoint);
      break;
    case mbRight:
      // A running AVI recording takes a frame first, in either frame mode.
      if (Form5 && Form5->DXAviRec1->Recording()) Form5->Button1Click(Form5);
      if (::SelectionActive != 0) {
        // Cancelled: the frame timer draws the rectangle only while a selection is active.
        ::SelectionActive = 0;
        if (inWindow) ReleaseConfinement();
        Screen->SetCursor(crDefault);
        StopFrameTimerUnlessRendering();
      } else if (!inWindow) {
        POINT p = DXDraw1->ClientToScreen(POINT{x, y});
        PopupMenu1->Popup(p.x, p.y);
      }
      break;
    case mbLeft:
      if (inWindow) ConfineToClient();
      SelStart = SelEnd = TSelPoint{x, y};
      ::SelectionActive = -1;
      DXTimer1->SetEnabled(true);
      Screen->SetCursor(crCross);
      break;
  }
}

void TForm1::DXDraw1MouseMove(TObject*, TShiftState shift, int x, int y) {
  SelEnd = SnapSelectionEnd(SelStart, x, DXDraw1->SurfaceWidth(), DXDraw1->SurfaceHeight());
  if (JuliaPreviewFollows(shift)) RenderJuliaPreview(x, y);
}

void TForm1::DXDraw1MouseUp(TObject*, TMouseButton button, TShiftState shift, int x, int y) {
  const bool inWindow = !DXDraw1->NowOptions().Contains(doFullScreen);
  if (button == mbMiddle) {
    SetView(PanView(CurrentView(), SelStart, x, y, Geometry()));
    ShowParameters();
    if (inWindow) ReleaseConfinement();
    Screen->SetCursor(crDefault);
  } else if (button == mbLeft && ::SelectionActive != 0) {
    if (SelectionZooms(SelStart, SelEnd)) {
      TSelPoint s = SelStart, e = SelEnd;
      if (CentredFullScreen()) {
        const TSelPoint off = CentringOffset();
        s.X -= off.X;
        e.X -= off.X;
        s.Y -= off.Y;
        e.Y -= off.Y;
      }
      const TNavGeometry g = Geometry();
      SetView(shift.Contains(ssCtrl) ? ZoomOutOfSelection(CurrentView(), s, e, g)
                                     : ZoomIntoSelection(CurrentView(), s, e, g));
      ShowParameters();
    }
    if (inWindow) ReleaseConfinement();
    Screen->SetCursor(crDefault);
    PrecisionGuard(true);
    StopFrameTimerUnlessRendering();
  } else {
    return;
  }
  ::SelectionActive = 0;
  RestartRender();
}

void TForm1::DXDraw1DblClick(TObject*) {
  WORD key = VK_SPACE;
  FormKeyDown(nullptr, key, TShiftState{});
}

void TForm1::FormMouseWheel(TObject* sender, TShiftState shift, int wheelDelta, POINT,
                            bool& handled) {
  // The zoom is about the view's centre, not the mouse; the turn is never marked handled.
  if (wheelDelta == WHEEL_DELTA) {
    WORD key = VK_ADD;
    FormKeyDown(sender, key, shift);
  } else if (wheelDelta == -WHEEL_DELTA) {
    WORD key = VK_SUBTRACT;
    FormKeyDown(sender, key, shift);
    handled = false;
  }
}

void TForm1::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
  // Each entry is tested on its own, in this order; the key is passed on unchanged.
  if (key == VK_SPACE) ToggleJulia();
  if (key == 'N') RunItemHandler(NegativeImage1, this);
  if (key == 'T' && DXDraw1->NowOptions().Contains(doFullScreen)) ShowRenderTimeInFullScreen();
  if (key == 'J' && !DXTimer1->Enabled()) ToggleJuliaPreview();
  if (key == 'F') RunItemHandler(ShowFPS1, this);
  if (key == 'V') RunItemHandler(EnableVSync1, this);
  if (key == 'C') AnimDirection ^= 1;
  if (key == VK_MULTIPLY) RunItemHandler(IncreaseAnimSpeed1, this);
  if (key == VK_DIVIDE) RunItemHandler(DecreaseAnimSpeed1, this);
  if (key == 'A') RunItemHandler(PaletteAnimation1, this);
  if (key == VK_ADD) KeypadZoom(true);
  if (key == VK_SUBTRACT) KeypadZoom(false);
  if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
    const TArrow arrow = key == VK_LEFT ? TArrow::Left
                         : key == VK_UP ? TArrow::Up
                         : key == VK_RIGHT ? TArrow::Right
                                           : TArrow::Down;
    SetView(MoveView(CurrentView(), arrow, Geometry()));
    RestartRender();
    ShowParameters();
  }
  if (key == VK_RETURN && shift.Contains(ssAlt)) RunItemHandler(Fullscreen2, this);
}

void TForm1::KeypadZoom(bool in) {
  const TNavGeometry g = Geometry();
  SetView(in ? KeypadZoomIn(CurrentView(), g) : KeypadZoomOut(CurrentView(), g));
  PrecisionGuard(false);
  RestartRender();
  ShowParameters();
}

void TForm1::ToggleJulia() {
  JuliaMode = JuliaMode == 0 ? -1 : 0;
  if (JuliaMode != 0) {
    SavedView.View = CurrentView();
    SavedView.JuliaC = JuliaC;
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    cursor = DXDraw1->ScreenToClient(cursor);
    TSelPoint p{cursor.x, cursor.y};
    if (CentredFullScreen()) {
      // The preview's image drawn in full screen goes before the Julia set comes.
      RepaintPreviewArea();
      const TSelPoint off = CentringOffset();
      p.X -= off.X;
      p.Y -= off.Y;
    }
    PlanePointAt(CurrentView(), p, Geometry(), JuliaC.Re, JuliaC.Im);
    SetView(JuliaStartView());
  } else {
    SetView(SavedView.View);
    JuliaC = SavedView.JuliaC;
  }
  RestartRender();
  ShowParameters();
}

void TForm1::ShowRenderTimeInFullScreen() {
  HWND window = DXDraw1->Handle();
  const std::string text = "Rend.Time: " + RenderTimeText + " sec.  ";
  const int left = RenderWidth / 2 - 75;
  if (HDC dc = GetDC(window)) {
    TextOutA(dc, left, 0, text.c_str(), static_cast<int>(std::min<size_t>(text.size(), 23)));
    ReleaseDC(window, dc);
  }
  Sleep(1500);
  const RECT r{left, 0, RenderWidth / 2 + 125, 50};
  InvalidateRect(window, &r, TRUE);
  UpdateWindow(window);
}

void TForm1::InvertRectinSelection1Click(TObject*) {
  InvertRectinSelection1->SetChecked(!InvertRectinSelection1->Checked());
}
