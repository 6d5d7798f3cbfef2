// The copy-from-other-palette dialog (see CopyPaletteDialog.h). It reads through the main window's
// open dialog, so the filter index chosen last is shared with the main window's Open.
#include "paletteeditor/dialogs/CopyPaletteDialog.h"

#include "paletteeditor/palette/BitmapPalette.h"
#include "paletteeditor/dialogs/DialogParts.h"
#include "paletteeditor/mainwindow/FormMain.h"
#include "paletteeditor/palette/Palette.h"
#include "paletteeditor/core/PaletteGrid.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(TComponent* owner) : TForm(owner) {
  using namespace dialog;
  TComponentLoader loader(this);
  SetUpDialogForm(this, "Copy from Palette Tool", 380, 312);
  Panel1 = new TPanel(this);
  Panel1->SetParent(this);
  Panel1->SetBounds(8, 8, 244, 244);
  Panel1->SetBevelOuter(bvLowered);
  PaintBox1 = new TPaintBox(this);
  PaintBox1->SetParent(Panel1);
  PaintBox1->SetBounds(2, 2, 240, 240);
  PaintBox1->OnPaint = MakeEvent(this, &TForm4::PaintBox1Paint);
  PaintBox1->OnMouseDown = MakeEvent(this, &TForm4::PaintBox1MouseDown);

  Label1 = MakeLabel(this, this, "Copy this palette", 264, 8);
  Label3 = MakeLabel(this, this, "From:", 264, 32);
  SpinEdit1 = MakeIndexEdit(this, this, 304, 28, 0, 255, 0);
  Label7 = MakeLabel(this, this, "To:", 264, 60);
  SpinEdit2 = MakeIndexEdit(this, this, 304, 56, 0, 255, 127);
  Button2 = MakeButton(this, this, "Open Palette", 264, 88, mrNone);
  Button2->SetWidth(97);
  Label2 = MakeLabel(this, this, "Paste to original", 264, 136);
  Label4 = MakeLabel(this, this, "From:", 264, 160);
  SpinEdit3 = MakeIndexEdit(this, this, 304, 156, 0, 255, 128);
  Label6 = MakeLabel(this, this, "To:", 264, 188);
  SpinEdit4 = MakeIndexEdit(this, this, 304, 184, 0, 255, 255);
  SpinEdit4->SetEnabled(false);
  Button1 = MakeButton(this, this, "OK", 104, 272, mrOk);
  Button3 = MakeButton(this, this, "Cancel", 200, 272, mrCancel);
  Button3->SetCancel(true);
  DXDIB1 = new TDXDIB(this);

  Button2->OnClick = MakeEvent(this, &TForm4::Button2Click);
  SpinEdit1->OnChange = MakeEvent(this, &TForm4::SpinEdit1Change);
  SpinEdit2->OnChange = MakeEvent(this, &TForm4::SpinEdit2Change);
  SpinEdit3->OnChange = MakeEvent(this, &TForm4::SpinEdit3Change);
  OnCreate = MakeEvent(this, &TForm4::FormCreate);
  OnShow = MakeEvent(this, &TForm4::FormShow);
  loader.Finish();
}

void TForm4::FormCreate(TObject*) { Panel1->SetDoubleBuffered(true); }

void TForm4::ShowTargetEnd() {
  SpinEdit4->SetValue(SpinEdit3->Value() + SpinEdit2->Value() - SpinEdit1->Value());
}

void TForm4::FormShow(TObject*) { ShowTargetEnd(); }
void TForm4::SpinEdit1Change(TObject*) { ShowTargetEnd(); }
void TForm4::SpinEdit2Change(TObject*) { ShowTargetEnd(); }
void TForm4::SpinEdit3Change(TObject*) { ShowTargetEnd(); }

void TForm4::Button2Click(TObject*) {
  TOpenDialog* dialog = FrmMain->OpenPaletteDialog;
  if (!dialog->Execute()) return;
  const std::string& fileName = dialog->FileName;
  // Every reader changes OtherPalette only when the file was read whole.
  switch (dialog->FilterIndex) {
    case 1:
      ReadPaletteAuto(fileName, OtherPalette);
      break;
    case 2:
      ReadRawPalette(fileName, OtherPalette);
      break;
    case 3:
      ReadJascPalette(fileName, OtherPalette);
      break;
    case 4:
      ReadMapPalette(fileName, OtherPalette);
      break;
    case 5:
      LoadBitmapPalette(fileName, DXDIB1->DIB(), OtherPalette);
      break;
    default:
      return;
  }
  PaintBox1->Repaint();
}

void TForm4::PaintBox1Paint(TObject*) {
  TCanvas* canvas = PaintBox1->Canvas();
  const int width = PaintBox1->Width(), height = PaintBox1->Height();
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(RECT{0, 0, width, height});
  for (int i = 0; i < pal::PaletteSize; ++i) {
    const pal::CellRect c = pal::GridCellRect(pal::Grid16x16, width, height, i);
    canvas->Brush()->SetColor(static_cast<TColor>(OtherPalette[i]));
    canvas->FillRect(RECT{c.left, c.top, c.right, c.bottom});
  }
}

void TForm4::PaintBox1MouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
  const int cell = pal::GridCellAt(pal::Grid16x16, PaintBox1->Width(), PaintBox1->Height(), x, y);
  switch (button) {
    case mbLeft:
      SpinEdit1->SetValue(cell);
      break;
    case mbRight:
      SpinEdit2->SetValue(cell);
      break;
    case mbMiddle:
      SpinEdit3->SetValue(cell);
      break;
  }
}
