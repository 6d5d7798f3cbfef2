// TForm2: the picture preview, a sizeable tool window showing the built-in picture (or
// the bitmap last opened) coloured by WorkPalette turned by the selected entry.
#pragma once

#include "dib/DXPaintBox.h"
#include "forms/windows/Forms.h"

class TForm2 : public TForm {
public:
  explicit TForm2(TComponent* owner);

  TDXPaintBox* dxp1;

  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  // The picture's colour table from WorkPalette and the selection, then a repaint.
  void UpdatePreview();
};

extern TForm2* Form2;
