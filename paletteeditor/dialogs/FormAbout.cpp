// The about box (see FormAbout.h).
#include "paletteeditor/dialogs/FormAbout.h"

#include "paletteeditor/dialogs/DialogParts.h"

TFrmAbout* FrmAbout = nullptr;

namespace {

constexpr const char* kVersionLabel = "Version: ";
constexpr const char* kTitle = "Tintary Palette Editor";

constexpr const char* kServerInfo[] = {
    "Server info:",
    "  ",
    "    Class:   'Tintary.Tintarycom'",
    "    ",
    "    Interface:  ",
    "    ",
    "    function     Get_Palette(_from, _to: Integer): Variant  ",
    "    procedure  Set_Palette(_from, _to: Integer; Palette: Variant) ",
    "    ",
    "    Variant -> array that includes the palette colors",
};

}  // namespace

TFrmAbout::TFrmAbout(TComponent* owner) : TForm(owner) {
  using namespace dialog;
  TComponentLoader loader(this);
  SetUpDialogForm(this, "About", 361, 231);
  Label1 = MakeLabel(this, this, "", 16, 8);
  Label1->Font()->SetName("Arial Black");
  Label1->Font()->SetHeight(-19);
  Label4 = MakeLabel(this, this, kVersionLabel, 16, 40);
  Memo1 = new TMemo(this);
  Memo1->SetParent(this);
  Memo1->SetBounds(16, 64, 329, 113);
  Memo1->SetReadOnly(true);
  Memo1->SetScrollBars(ssVertical);
  for (const char* line : kServerInfo) Memo1->Lines()->Add(line);
  Bevel2 = new TBevel(this);
  Bevel2->SetParent(this);
  Bevel2->SetBounds(8, 186, 345, 2);
  Bevel2->SetShape(bsBottomLine);
  Ok = MakeButton(this, this, "OK", 143, 196, mrNone);
  Ok->OnClick = MakeEvent(this, &TFrmAbout::OkClick);
  loader.Finish();
}

void TFrmAbout::OkClick(TObject*) { Close(); }

void TFrmAbout::ShowVersion() {
  Label1->SetCaption(kTitle);
  Label4->SetCaption(std::string(kVersionLabel) + EditorVersion);
}
