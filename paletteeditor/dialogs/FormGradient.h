// TFrmGradient: the range-and-colours dialog of the Gradient and Change colour tools:
// two colour swatches (a double click picks a colour) and the range they apply to.
#pragma once

#include "forms/controls/Button.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/controls/Panel.h"
#include "forms/controls/SpinEdit.h"

class TFrmGradient : public TForm {
public:
  explicit TFrmGradient(TComponent* owner);

  TLabel* Label3;
  TLabel* Label4;
  TPanel* Panel1;
  TPanel* Panel2;
  TLabel* Label1;
  TLabel* Label2;
  TSpinEdit* StartColour;
  TSpinEdit* EndColour;
  TButton* Button1;
  TButton* Button2;
  TColorDialog* ColorDialog;

  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void Panel1DblClick(TObject* sender);
  void Panel2DblClick(TObject* sender);

private:
  void PickColour(TPanel* swatch);
};

extern TFrmGradient* FrmGradient;
