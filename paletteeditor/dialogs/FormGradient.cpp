// The Gradient and Change colour tools' dialog (see FormGradient.h).
#include "paletteeditor/dialogs/FormGradient.h"

#include "paletteeditor/dialogs/DialogParts.h"

TFrmGradient* FrmGradient = nullptr;

namespace {

TPanel* MakeSwatch(TComponent* owner, TWinControl* parent, int left) {
  auto* swatch = new TPanel(owner);
  swatch->SetParent(parent);
  swatch->SetBounds(left, 32, 57, 41);
  swatch->SetBevelOuter(bvLowered);
  swatch->SetColor(clBlack);
  return swatch;
}

}  // namespace

TFrmGradient::TFrmGradient(TComponent* owner) : TForm(owner) {
  using namespace dialog;
  TComponentLoader loader(this);
  SetUpDialogForm(this, "Gradient Tool", 346, 209);
  Label3 = MakeLabel(this, this, "Start Colour", 40, 12);
  Label3->SetAlignment(taCenter);
  Label4 = MakeLabel(this, this, "End Colour", 248, 12);
  Label4->SetAlignment(taCenter);
  Panel1 = MakeSwatch(this, this, 40);
  Panel2 = MakeSwatch(this, this, 248);
  Label1 = MakeLabel(this, this, "From:", 40, 100);
  StartColour = MakeIndexEdit(this, this, 80, 96, 0, 254, 0);
  Label2 = MakeLabel(this, this, "To:", 200, 100);
  EndColour = MakeIndexEdit(this, this, 232, 96, 1, 255, 255);
  Button1 = MakeButton(this, this, "OK", 88, 164, mrOk);
  Button1->SetDefault(true);
  Button2 = MakeButton(this, this, "Cancel", 184, 164, mrCancel);
  Button2->SetCancel(true);
  ColorDialog = new TColorDialog(this);
  ColorDialog->Options = TColorDialogOptions{cdFullOpen};
  Panel1->OnDblClick = MakeEvent(this, &TFrmGradient::Panel1DblClick);
  Panel2->OnDblClick = MakeEvent(this, &TFrmGradient::Panel2DblClick);
  loader.Finish();
}

void TFrmGradient::PickColour(TPanel* swatch) {
  ColorDialog->Color = swatch->Color();
  if (ColorDialog->Execute()) swatch->SetColor(ColorDialog->Color);
}

void TFrmGradient::SpeedButton1Click(TObject*) { PickColour(Panel1); }
void TFrmGradient::SpeedButton2Click(TObject*) { PickColour(Panel2); }
void TFrmGradient::Panel1DblClick(TObject* sender) { SpeedButton1Click(sender); }
void TFrmGradient::Panel2DblClick(TObject* sender) { SpeedButton2Click(sender); }
