// The main window's side of the Julia preview: the image of the Julia set of the point
// under the mouse, drawn on every qualifying mouse move over the display; the J command
// and its two menu items; and the cursor nudge after each finished render that makes the
// preview follow the new view. The image itself is render/JuliaPreview.h's, the window
// JuliaPreviewWindow.h's.
#include <windows.h>

#include "explorer/app/ExplorerState.h"
#include "explorer/render/JuliaPreview.h"
#include "explorer/app/MainForm.h"
#include "explorer/render/RenderState.h"
#include "explorer/render/RowIteration.h"
#include "explorer/juliapreview/JuliaPreviewWindow.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "forms/windows/Menus.h"

void TForm1::RenderJuliaPreview(int x, int y) {
  if (CentredFullScreen()) {
    const TSelPoint off = CentringOffset();
    x -= off.X;
    y -= off.Y;
  }
  const long double cRe = x * PixelStepX + ViewLeft;
  const long double cIm = ViewTop - y * PixelStepY;

  TDIB* bitmap = Form6->Dxp1->DIB();
  const int width = Form6->ClientWidth(), height = Form6->ClientHeight();
  bitmap->Canvas()->FillRect(RECT{0, 0, width, height});
  Form6->SetCaption(" re: " + PreviewCoordinateText(cRe) + "  im: " + PreviewCoordinateText(cIm));

  TPreviewImage image;
  image.Width = bitmap->Width();
  image.Height = bitmap->Height();
  if (image.Width <= 0 || image.Height <= 0) return;
  image.FirstRow = bitmap->ScanLine(0);
  image.RowStride = image.Height > 1 ? bitmap->ScanLine(1) - image.FirstRow : 0;
  // The kernel and its packing come from the switches together, so that a group never
  // holds more points than its kernel stores.
  RenderJuliaPreviewImage(image, ChooseKernel(), cRe, cIm, PreviewStep, RenderBailout);

  if (!DXDraw1->NowOptions().Contains(doFullScreen)) {
    Form6->Dxp1->Repaint();
    return;
  }
  // In full screen the image goes to the display's top-left corner and stays there until
  // that area is repainted (J and Space do).
  HWND window = DXDraw1->Handle();
  if (HDC dc = GetDC(window)) {
    BitBlt(dc, 0, 0, image.Width, image.Height, bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
}

bool TForm1::JuliaPreviewFollows(TShiftState shift) {
  return Form6 && Form6->Visible() && !DXTimer1->Enabled() && JuliaMode == 0 && shift.Empty();
}

void TForm1::ToggleJuliaPreview() {
  if (!Form6) return;
  if (!Form6->Visible() && JuliaMode == 0) {
    Form6->Show();
  } else {
    Form6->Hide();
  }
  JuliaSetPreviewJ1->SetChecked(Form6->Visible());
  JuliaSetPreviewJ2->SetChecked(Form6->Visible());
  if (!Form6->Visible() && DXDraw1->NowOptions().Contains(doFullScreen)) RepaintPreviewArea();
}

void TForm1::RepaintPreviewArea() {
  if (!Form6) return;
  HWND window = DXDraw1->Handle();
  const RECT r{0, 0, Form6->ClientWidth(), Form6->ClientHeight()};
  InvalidateRect(window, &r, TRUE);
  UpdateWindow(window);
}

void TForm1::JuliaSetPreview1Click(TObject*) {
  WORD key = 'J';
  FormKeyDown(this, key, TShiftState{});
}

void TForm1::NudgeCursorForPreview() {
  if (!Form6 || !Form6->Visible()) return;
  POINT p;
  if (!GetCursorPos(&p)) return;
  SetCursorPos(p.x + 1, p.y);
  if (!GetCursorPos(&p)) return;
  SetCursorPos(p.x - 1, p.y);
}
