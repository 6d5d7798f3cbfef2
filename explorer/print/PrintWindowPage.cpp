// The print window's page side: opening (the display's reduced copy, the printer's paper
// and printable page, the capability labels, the first-opening sizes), closing, the page
// preview and the percentage field. Without a printer the window offers file rendering
// only and the preview shows the paper alone.
#include <windows.h>

#include "explorer/render/ExplorerControlWord.h"
#include "explorer/app/ExplorerHost.h"
#include "explorer/print/PrintGeometry.h"
#include "explorer/print/PrintWindow.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"
#include "explorer/app/ExplorerState.h"
#include "forms/graphics/Bitmap.h"
#include "forms/dialogs/Printers.h"
#include "forms/controls/ProgressBar.h"
#include "forms/controls/StdCtrls.h"
#include "forms/core/SysUtils.h"
#include "forms/runtime/Thread.h"

long double PageFillFraction = 0.95L;
std::int32_t PaperWidth = 0;
std::int32_t PaperHeight = 0;
std::int32_t PaperOffsetX = 0;
std::int32_t PaperOffsetY = 0;
long double PreviewScale = 1;
TBitmap* PreviewBitmap = nullptr;
std::int32_t SizeFromPagePending = -1;

namespace {

// The screen's pixels per inch, for the preview's sizes at other than 96 dots per inch.
int ScreenPpi() {
  HDC dc = GetDC(nullptr);
  const int ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}

// A halftone stretch needs its brush origin set again after the mode changes.
void UseHalftone(HDC dc) {
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
}

}  // namespace

void TForm4::FormShow(TObject*) {
  ProgressBar1->SetPosition(0);
  Label11->SetCaption("Rendered:");
  // A percentage that is no whole number (typed so) keeps the last valid fraction.
  long long percent = 0;
  if (TryStrToInt(Edit1->Text(), percent)) PageFillFraction = percent / 100.0L;

  delete PreviewBitmap;
  PreviewBitmap = new TBitmap;
  PreviewBitmap->SetPixelFormat(pf24bit);
  PreviewBitmap->SetSize(320, 240);
  TDirectDrawSurface* surface = ExplorerHost() ? ExplorerHost()->Display()->Surface() : nullptr;
  if (surface != nullptr) {
    TSurfaceCanvasScope scope(surface);
    HDC target = PreviewBitmap->Canvas()->Handle();
    UseHalftone(target);
    const RECT from = surface->ClientRect();
    StretchBlt(target, 0, 0, 320, 240, scope.Canvas()->Handle(), from.left, from.top,
               from.right - from.left, from.bottom - from.top, SRCCOPY);
  }

  const int ppi = ScreenPpi();
  try {
    TPrinter* printer = Printer();
    PaperWidth = printer->DeviceCaps(PHYSICALWIDTH);
    PaperHeight = printer->DeviceCaps(PHYSICALHEIGHT);
    PaperOffsetX = printer->DeviceCaps(PHYSICALOFFSETX);
    PaperOffsetY = printer->DeviceCaps(PHYSICALOFFSETY);
    if (PaperWidth <= 0 || PaperHeight <= 0) throw EPrinter(SNoDefaultPrinter);
    PreviewScale = PreviewScaleOf(PaperWidth, PaperHeight);
    const int width = ToPreview(PaperWidth, PreviewScale, ppi);
    const int height = ToPreview(PaperHeight, PreviewScale, ppi);
    const long double unit = ppi / 96.0L;
    if (width > height)
      PaintBox1->SetBounds(Bevel2->Left() + Nearest(unit * 18), Bevel2->Top() + Nearest(unit * 84),
                           width, height);
    else
      PaintBox1->SetBounds(Bevel2->Left() + Nearest(unit * 36), Bevel2->Top() + Nearest(unit * 68),
                           width, height);
    const int pageWidth = printer->PageWidth(), pageHeight = printer->PageHeight();
    Label6->SetCaption(IntToStr(pageWidth & ~3));
    Label8->SetCaption(IntToStr(pageHeight));
    if (SizeFromPagePending != 0) {
      const TPictureSize size = FirstOpeningSize(pageWidth, pageHeight);
      Edit2->SetText(IntToStr(size.Width));
      Edit3->SetText(IntToStr(size.Height));
    }
  } catch (const Exception&) {
    // No printer: file rendering only.
    CheckBox1->SetChecked(true);
    CheckBox1->SetEnabled(false);
    RadioButton2->SetChecked(true);
    RadioButton1->SetEnabled(false);
    RadioButton2Click(RadioButton2);
  }
  Set8087CW(ExplorerControlWord);
  SizeFromPagePending = 0;
}

void TForm4::FormClose(TObject*, TCloseAction&) {
  RenderCancel = 1;  // a single-thread render under way stops at its next row
  delete PreviewBitmap;
  PreviewBitmap = nullptr;
}

void TForm4::PaintBox1Paint(TObject*) {
  TCanvas* canvas = PaintBox1->Canvas();
  try {
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetColor(clWhite);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Rectangle(0, 0, PaintBox1->Width(), PaintBox1->Height());
    TPrinter* printer = Printer();
    const int pageWidth = printer->PageWidth(), pageHeight = printer->PageHeight();
    const int ppi = ScreenPpi();
    auto preview = [&](long double v) { return ToPreview(v, PreviewScale, ppi); };
    canvas->Pen()->SetColor(clRed);
    canvas->Pen()->SetStyle(psDot);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(preview(PaperOffsetX), preview(PaperOffsetY),
                      preview(PaperOffsetX) + preview(pageWidth),
                      preview(PaperOffsetY) + preview(pageHeight));
    if (ExplorerHost() == nullptr || PreviewBitmap == nullptr) return;
    TDXDraw* display = ExplorerHost()->Display();
    const TIntRect r = PreviewPictureRect(pageWidth, pageHeight, PaperOffsetX, PaperOffsetY,
                                          display->SurfaceWidth(), display->SurfaceHeight(),
                                          PageFillFraction);
    HDC dc = canvas->Handle();
    UseHalftone(dc);
    const RECT target{preview(r.Left), preview(r.Top), preview(r.Right), preview(r.Bottom)};
    canvas->StretchDraw(target, PreviewBitmap);
  } catch (const Exception&) {
    // Without a printer only the paper is drawn.
  }
}

void TForm4::Edit1Change(TObject*) {
  long long percent = 0;
  if (!TryStrToInt(Edit1->Text(), percent)) return;
  PageFillFraction = percent / 100.0L;
  PaintBox1->Invalidate();
}
