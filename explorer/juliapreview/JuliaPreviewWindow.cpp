// The Julia preview window (see JuliaPreviewWindow.h): sized from the screen at each show and pinned
// there, with a grey colour table; the image itself is drawn by the main window.
#include "explorer/juliapreview/JuliaPreviewWindow.h"

#include "explorer/render/ExplorerControlWord.h"
#include "explorer/render/JuliaPreview.h"
#include "explorer/app/MainForm.h"
#include "dib/PaletteManager.h"
#include "forms/windows/Menus.h"
#include "forms/runtime/Thread.h"

TForm6* Form6 = nullptr;
long double PreviewStep = 0;

TForm6::TForm6(TComponent* owner) : TForm(owner) {
  TComponentLoader loader(this);
  SetName("Form6");
  SetCaption("Julia set preview");
  SetBorderStyle(bsSizeToolWin);
  SetBorderIcons(TBorderIcons{});
  Dxp1 = new TDXPaintBox(this);
  Dxp1->SetName("Dxp1");
  Dxp1->SetParent(this);
  Dxp1->SetAlign(alClient);
  Dxp1->SetAutoStretch(false);
  Dxp1->SetCenter(false);
  Dxp1->SetKeepAspect(false);
  Dxp1->SetStretch(false);
  Dxp1->SetViewWidth(0);
  Dxp1->SetViewHeight(0);
  OnShow = MakeEvent(this, &TForm6::FormShow);
  OnClose = MakeEvent(this, &TForm6::FormClose);
  OnKeyDown = MakeEvent(this, &TForm6::FormKeyDown);
  loader.Finish();
}

void TForm6::FormShow(TObject*) {
  Set8087CW(ExplorerControlWord);
  // The last show's pin would hold the window at its old size on a screen of another width.
  Constraints() = TSizeConstraints{};
  const TPreviewSize size = PreviewClientSize(Screen->Width());
  const int width = size.Width, height = size.Height;
  SetClientWidth(width);
  SetClientHeight(height);
  Constraints().MinWidth = Constraints().MaxWidth = Width();
  Constraints().MinHeight = Constraints().MaxHeight = Height();
  PreviewStep = 4.0L / width;

  TDIB* bitmap = Dxp1->DIB();
  FillGreyscaleColorTable(bitmap->ColorTable);
  bitmap->SetSize(width, height, 8);
  bitmap->UpdatePalette();
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clBlack);
  canvas->FillRect(RECT{0, 0, width, height});
  canvas->Brush()->SetColor(static_cast<TColor>(0xE0E0E0));
}

void TForm6::FormClose(TObject*, TCloseAction&) {
  if (Form1) Form1->JuliaSetPreviewJ1->SetChecked(false);
}

void TForm6::FormKeyDown(TObject*, WORD& key, TShiftState shift) {
  if (Form1) Form1->FormKeyDown(this, key, shift);
}

void TForm6::wmsetcursor(TMessage& m) {
  // The sizing borders and corners, and the plain border beside them.
  const int hit = static_cast<short>(LOWORD(m.LParam));
  if (hit >= HTLEFT && hit <= HTBORDER) {
    m.Result = 0;
    return;
  }
  TForm::WMSetCursor(m);
}
