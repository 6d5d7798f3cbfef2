// The main window's tools: each sets up its dialog, shows it modally and, on OK, applies
// the tool of core/PaletteTools.h (or the gradient) to WorkPalette with the dialog's
// fields. Afterwards the logical palette is rebuilt and the label refreshed, so that the
// grid in own-palette mode and the label always show the colours as they now are.
#include "paletteeditor/dialogs/FormCopyColour.h"
#include "paletteeditor/dialogs/FormGradient.h"
#include "paletteeditor/mainwindow/FormMain.h"
#include "paletteeditor/palette/Palette.h"
#include "paletteeditor/dialogs/RangeDialog.h"
#include "paletteeditor/dialogs/CopyPaletteDialog.h"
#include "paletteeditor/core/PaletteTools.h"

namespace {

pal::Colour SwatchColour(TPanel* swatch) { return static_cast<pal::Colour>(ColorToRGB(swatch->Color())); }

bool ShowGradientDialog(const char* caption, bool showLabels) {
  FrmGradient->SetCaption(caption);
  FrmGradient->Label3->SetVisible(showLabels);
  FrmGradient->Label4->SetVisible(showLabels);
  return FrmGradient->ShowModal() == mrOk;
}

bool ShowCopyDialog(const char* caption, const char* first, const char* second) {
  FrmCopyColours->SetCaption(caption);
  FrmCopyColours->Label1->SetCaption(first);
  FrmCopyColours->Label2->SetCaption(second);
  return FrmCopyColours->ShowModal() == mrOk;
}

bool ShowRangeDialog(const char* caption, bool rotate) {
  Form1->SetCaption(caption);
  Form1->Label3->SetVisible(rotate);
  Form1->SpinEdit3->SetVisible(rotate);
  Form1->RadioGroup1->SetVisible(rotate);
  return Form1->ShowModal() == mrOk;
}

}  // namespace

void TFrmMain::ChangecolourRGB1Click(TObject*) {
  if (!ShowGradientDialog("Change Tool", false)) return;
  pal::ChangeColour(WorkPalette, FrmGradient->StartColour->Value(), FrmGradient->EndColour->Value(),
                    SwatchColour(FrmGradient->Panel1), SwatchColour(FrmGradient->Panel2));
  PaletteEdited();
}

void TFrmMain::Gradient1Click(TObject*) {
  if (!ShowGradientDialog("Gradient Tool", true)) return;
  PaletteGradient(static_cast<std::uint8_t>(FrmGradient->StartColour->Value()),
                  static_cast<std::uint8_t>(FrmGradient->EndColour->Value()),
                  SwatchColour(FrmGradient->Panel1), SwatchColour(FrmGradient->Panel2), WorkPalette);
  PaletteEdited();
}

void TFrmMain::CopyColours1Click(TObject*) {
  if (!ShowCopyDialog("Copy Tool", "Copy colours", "Paste colours")) return;
  pal::CopyColours(WorkPalette, FrmCopyColours->StartColour->Value(), FrmCopyColours->EndColour->Value(),
                   FrmCopyColours->StartColour2->Value());
  PaletteEdited();
}

void TFrmMain::ExchangeColours1Click(TObject*) {
  if (!ShowCopyDialog("Exchange Tool", "Exchange colours", "With colours")) return;
  pal::ExchangeColours(WorkPalette, FrmCopyColours->StartColour->Value(), FrmCopyColours->EndColour->Value(),
                       FrmCopyColours->StartColour2->Value());
  PaletteEdited();
}

void TFrmMain::Copyfromotherpalette1Click(TObject*) {
  if (Form4->ShowModal() != mrOk) return;
  pal::CopyFromOtherPalette(WorkPalette, OtherPalette, Form4->SpinEdit1->Value(), Form4->SpinEdit2->Value(),
                            Form4->SpinEdit3->Value());
  PaletteEdited();
}

void TFrmMain::RotateColours1Click(TObject*) {
  if (!ShowRangeDialog("Rotate Tool", true)) return;
  const auto direction =
      Form1->RadioGroup1->ItemIndex() == 1 ? pal::RotateDirection::Right : pal::RotateDirection::Left;
  pal::RotateColours(WorkPalette, Form1->SpinEdit1->Value(), Form1->SpinEdit2->Value(),
                     Form1->SpinEdit3->Value(), direction);
  PaletteEdited();
}

void TFrmMain::ReverseColours1Click(TObject*) {
  if (!ShowRangeDialog("Reverse Tool", false)) return;
  pal::ReverseColours(WorkPalette, Form1->SpinEdit1->Value(), Form1->SpinEdit2->Value());
  PaletteEdited();
}
