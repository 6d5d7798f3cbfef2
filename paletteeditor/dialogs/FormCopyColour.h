// TFrmCopyColours: the two-range dialog of the Copy and Exchange tools. The first range
// is the source; the second starts where it goes, and its end is shown, not edited.
#pragma once

#include "forms/controls/Button.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/controls/SpinEdit.h"

class TFrmCopyColours : public TForm {
public:
  explicit TFrmCopyColours(TComponent* owner);

  TLabel* Label1;
  TLabel* Label3;
  TLabel* Label4;
  TSpinEdit* StartColour;
  TSpinEdit* EndColour;
  TLabel* Label2;
  TLabel* Label5;
  TLabel* Label6;
  TSpinEdit* StartColour2;
  TSpinEdit* SpinEdit1;
  TButton* Button1;
  TButton* Button2;

  void FormShow(TObject* sender);
  void StartColourChange(TObject* sender);
  void EndColourChange(TObject* sender);
  void StartColour2Change(TObject* sender);

private:
  void ShowTargetEnd();
};

extern TFrmCopyColours* FrmCopyColours;
