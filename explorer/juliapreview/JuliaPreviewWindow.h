// TForm6: the Julia preview window, a fixed-size tool window holding the 8-bit grey
// bitmap into which the main window's mouse moves draw the Julia set of the point under
// the mouse (MainJuliaPreview.cpp). Its keys go to the main window.
#pragma once

#include "dib/DXPaintBox.h"
#include "forms/windows/Forms.h"

class TForm6 : public TForm {
public:
  explicit TForm6(TComponent* owner);

  TDXPaintBox* Dxp1;

  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
  // No sizing cursor over the pinned window's borders.
  void wmsetcursor(TMessage& m);

protected:
  void WMSetCursor(TMessage& m) override { wmsetcursor(m); }
};

extern TForm6* Form6;

// The plane distance between two preview pixels: 4.0 / the client width of the last show.
extern long double PreviewStep;
