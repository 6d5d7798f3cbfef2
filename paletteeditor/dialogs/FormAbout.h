// TFrmAbout: the about box, with the program's title and version (filled in when the
// main window is shown) and the automation interface the editor serves.
#pragma once

#include "forms/controls/Bevel.h"
#include "forms/controls/Button.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/controls/Memo.h"

inline constexpr char EditorVersion[] = "v1.2";

class TFrmAbout : public TForm {
public:
  explicit TFrmAbout(TComponent* owner);

  TLabel* Label1;
  TLabel* Label4;
  TMemo* Memo1;
  TBevel* Bevel2;
  TButton* Ok;

  void OkClick(TObject* sender);
  // The title line and "Version: v1.2"; the main window's show handler calls it.
  void ShowVersion();
};

extern TFrmAbout* FrmAbout;
