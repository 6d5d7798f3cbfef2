// TForm4: the copy-from-other-palette dialog. It opens a second palette (OtherPalette)
// from any of the editor's formats, shows it as a 16 x 16 grid whose cells set the
// source range and target start by click, and names the range to copy into WorkPalette.
#pragma once

#include "dib/DXDIB.h"
#include "forms/controls/Button.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/controls/PaintBox.h"
#include "forms/controls/Panel.h"
#include "forms/controls/SpinEdit.h"

class TForm4 : public TForm {
public:
  explicit TForm4(TComponent* owner);

  TPanel* Panel1;
  TPaintBox* PaintBox1;
  TLabel* Label1;
  TLabel* Label3;
  TLabel* Label7;
  TSpinEdit* SpinEdit1;
  TSpinEdit* SpinEdit2;
  TButton* Button2;
  TLabel* Label2;
  TLabel* Label4;
  TLabel* Label6;
  TSpinEdit* SpinEdit3;
  TSpinEdit* SpinEdit4;
  TButton* Button1;
  TButton* Button3;
  TDXDIB* DXDIB1;

  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void SpinEdit1Change(TObject* sender);
  void SpinEdit2Change(TObject* sender);
  void SpinEdit3Change(TObject* sender);
  void Button2Click(TObject* sender);
  void PaintBox1Paint(TObject* sender);
  void PaintBox1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

private:
  void ShowTargetEnd();
};

extern TForm4* Form4;
