// The print window's form description, built in code inside the loading bracket: the
// direct-rendering panel on the left, the normal-print panel with the page preview on the
// right, the buttons, the progress bar and the completion timer, and their events.
#include "explorer/print/PrintWindow.h"

#include "explorer/render/RenderSettings.h"
#include "forms/controls/ProgressBar.h"
#include "forms/controls/StdCtrls.h"
#include "forms/runtime/Timer.h"
#include "forms/controls/UpDown.h"

TForm4* Form4 = nullptr;

namespace {

template <class T>
T* Make(TForm4* form, const char* name, int left, int top, int width, int height) {
  T* control = new T(form);
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  control->SetParent(form);
  return control;
}

TLabel* MakeLabel(TForm4* form, const char* name, const char* caption, int left, int top) {
  TLabel* label = Make<TLabel>(form, name, left, top, 0, 13);
  label->SetAutoSize(true);
  label->SetCaption(caption);
  return label;
}

TCheckBox* MakeCheck(TForm4* form, const char* name, const char* caption, int left, int top,
                     int width) {
  TCheckBox* box = Make<TCheckBox>(form, name, left, top, width, 17);
  box->SetCaption(caption);
  return box;
}

}  // namespace

TForm4::TForm4(TComponent* owner) : TForm(owner) {
  TComponentLoader loader(this);
  SetName("Form4");
  SetCaption("Print");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poMainFormCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(433);
  SetClientHeight(321);

  Bevel1 = Make<TBevel>(this, "Bevel1", 8, 8, 201, 273);
  Bevel2 = Make<TBevel>(this, "Bevel2", 216, 8, 209, 273);

  RadioButton2 = Make<TRadioButton>(this, "RadioButton2", 16, 14, 150, 17);
  RadioButton2->SetCaption("Direct Rendering");
  RadioButton2->SetChecked(true);
  Label4 = MakeLabel(this, "Label4", "Printer Capabilities:", 16, 40);
  Label5 = MakeLabel(this, "Label5", "Max.width:", 16, 58);
  Label6 = MakeLabel(this, "Label6", "", 96, 58);
  Label7 = MakeLabel(this, "Label7", "Max.heigth:", 16, 74);
  Label8 = MakeLabel(this, "Label8", "", 96, 74);
  CheckBox4 = MakeCheck(this, "CheckBox4", "16:9", 16, 96, 52);
  CheckBox3 = MakeCheck(this, "CheckBox3", "16:10", 72, 96, 60);
  CheckBox2 = MakeCheck(this, "CheckBox2", "4:3", 140, 96, 52);
  Label9 = MakeLabel(this, "Label9", "Width:", 16, 124);
  Edit2 = Make<TEdit>(this, "Edit2", 72, 120, 89, 21);
  Edit2->SetText("");
  Label10 = MakeLabel(this, "Label10", "Height:", 16, 150);
  Edit3 = Make<TEdit>(this, "Edit3", 72, 146, 89, 21);
  Edit3->SetText("");
  CheckBox1 = MakeCheck(this, "CheckBox1", "Render to File", 16, 174, 130);
  CheckBox1->SetChecked(true);
  Button3 = Make<TButton>(this, "Button3", 16, 196, 105, 25);
  Button3->SetCaption("File selection");
  Edit4 = Make<TEdit>(this, "Edit4", 16, 226, 185, 21);
  Edit4->SetText("velmar.bmp");
  Label11 = MakeLabel(this, "Label11", "Rendered:", 16, 258);
  ProgressBar1 = Make<TProgressBar>(this, "ProgressBar1", 8, 293, 201, 16);
  ProgressBar1->SetMin(0);
  ProgressBar1->SetMax(100);
  ProgressBar1->SetSmooth(true);
  ProgressBar1->SetStep(1);

  RadioButton1 = Make<TRadioButton>(this, "RadioButton1", 224, 14, 150, 17);
  RadioButton1->SetCaption("Normal Print");
  Label1 = MakeLabel(this, "Label1", "Picture occupies", 224, 40);
  Edit1 = Make<TEdit>(this, "Edit1", 320, 36, 36, 21);
  Edit1->SetText("95");
  UpDown1 = Make<TUpDown>(this, "UpDown1", 356, 36, 17, 21);
  UpDown1->SetMin(1);
  UpDown1->SetMax(100);
  UpDown1->SetPosition(95);
  UpDown1->SetWrap(true);
  UpDown1->SetAssociate(Edit1);
  Label3 = MakeLabel(this, "Label3", " %", 376, 40);
  Label2 = MakeLabel(this, "Label2", "of printable area", 224, 60);
  PaintBox1 = Make<TPaintBox>(this, "PaintBox1", 252, 76, 160, 160);

  Button1 = Make<TButton>(this, "Button1", 262, 289, 75, 25);
  Button1->SetCaption("OK");
  Button2 = Make<TButton>(this, "Button2", 346, 289, 75, 25);
  Button2->SetCaption("Cancel");
  Button2->SetModalResult(mrAbort);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(50);
  Timer1->SetEnabled(false);

  OnCreate = MakeEvent(this, &TForm4::FormCreate);
  OnShow = MakeEvent(this, &TForm4::FormShow);
  OnClose = MakeEvent(this, &TForm4::FormClose);
  PaintBox1->OnPaint = MakeEvent(this, &TForm4::PaintBox1Paint);
  Edit1->OnChange = MakeEvent(this, &TForm4::Edit1Change);
  Edit2->OnChange = MakeEvent(this, &TForm4::Edit2Change);
  Edit3->OnChange = MakeEvent(this, &TForm4::Edit3Change);
  CheckBox1->OnClick = MakeEvent(this, &TForm4::CheckBox1Click);
  CheckBox2->OnClick = MakeEvent(this, &TForm4::CheckBox2Click);
  CheckBox3->OnClick = MakeEvent(this, &TForm4::CheckBox3Click);
  CheckBox4->OnClick = MakeEvent(this, &TForm4::CheckBox4Click);
  RadioButton1->OnClick = MakeEvent(this, &TForm4::RadioButton1Click);
  RadioButton2->OnClick = MakeEvent(this, &TForm4::RadioButton2Click);
  Button1->OnClick = MakeEvent(this, &TForm4::Button1Click);
  Button2->OnClick = MakeEvent(this, &TForm4::Button2Click);
  Button3->OnClick = MakeEvent(this, &TForm4::Button3Click);
  Timer1->OnTimer = MakeEvent(this, &TForm4::Timer1Timer);
  loader.Finish();
}

TForm4::~TForm4() {
  // Leaving the program while a threaded render runs: its workers use the image and post
  // to the progress bar, so they are stopped and waited for before either goes.
  AbandonDirectRender();
  if (Form4 == this) Form4 = nullptr;
}

void TForm4::FormCreate(TObject*) {
  diskRender_.ClearWorkers();
}
