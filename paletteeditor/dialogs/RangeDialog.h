// TForm1: the range dialog of the Rotate and Reverse tools; the amount and the direction
// are the rotation's only and are hidden for Reverse. Escape confirms it as OK does.
#pragma once

#include "forms/controls/Button.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/controls/RadioGroup.h"
#include "forms/controls/SpinEdit.h"

class TForm1 : public TForm {
public:
  explicit TForm1(TComponent* owner);

  TLabel* Label1;
  TSpinEdit* SpinEdit1;
  TLabel* Label2;
  TSpinEdit* SpinEdit2;
  TRadioGroup* RadioGroup1;
  TLabel* Label3;
  TSpinEdit* SpinEdit3;
  TButton* Button1;
  TButton* Button2;
};

extern TForm1* Form1;
