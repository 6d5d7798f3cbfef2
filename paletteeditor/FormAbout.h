// TFrmAbout: the about box, with the program's title and version (filled in when the
// main window is shown) and the automation interface the editor serves.
#pragma once

#include "forms/Bevel.h"
#include "forms/Button.h"
#include "forms/Forms.h"
#include "forms/Label.h"
#include "forms/Memo.h"

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
