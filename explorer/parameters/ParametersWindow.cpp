// TForm2: the parameters window's form description and its handlers. A button applies
// only what it reads completely: a field that does not convert shows the conversion
// error and leaves every setting of that button as it was.
#include "explorer/parameters/ParametersWindow.h"

#include <climits>
#include <cmath>

#include "explorer/render/ColorSettings.h"
#include "explorer/render/ExplorerControlWord.h"
#include "explorer/app/ExplorerHost.h"
#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/parameters/MyTrackBar.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "forms/runtime/Application.h"
#include "forms/core/Consts.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/windows/Menus.h"
#include "forms/controls/Panel.h"
#include "forms/controls/StdCtrls.h"
#include "forms/core/SysUtils.h"
#include "forms/runtime/Thread.h"

TForm2* Form2 = nullptr;

namespace {

const char* const JuliaCaption = "Parameters - Julia set";
const char* const MandelbrotCaption = "Parameters - Mandelbrot set";

// The values RadioGroup1 chooses between: x1, x2, y1, y2, re, im.
long double& SelectedValue(int index) {
  switch (index) {
    case 0: return CornerX1;
    case 1: return ViewRight;
    case 2: return CornerY1;
    case 3: return ViewBottom;
    case 4: return JuliaC.Re;
    default: return JuliaC.Im;
  }
}

std::string FixedText(long double value) { return FloatToStrF(value, ffFixed, 18, 18); }

// An iteration limit below 0 reaches the kernels as a huge unsigned count and the
// render would never end; 0 makes their one iteration. Text that is no number gets the
// class library's own conversion error.
std::int32_t IterationLimitFrom(const std::string& text) {
  const long long value = StrToInt(text);
  if (value < 0 || value > INT_MAX)
    throw EConvertError("Max. iteration: '%s' is not an iteration limit from 0 to 2147483647", text);
  return static_cast<std::int32_t>(value);
}

std::int32_t WholeNumberFrom(const std::string& text) {
  const long long value = StrToInt(text);
  if (value < INT_MIN || value > INT_MAX) throw EConvertError(SInvalidInteger, text);
  return static_cast<std::int32_t>(value);
}

std::int32_t Flag(TCheckBox* box) { return box->Checked() ? -1 : 0; }

TLabel* NewLabel(TForm2* form, const char* name, const char* caption, int left, int top) {
  auto* label = new TLabel(form);
  label->SetName(name);
  label->SetParent(form);
  label->SetCaption(caption);
  label->SetBounds(left, top, label->Width(), label->Height());
  return label;
}

TCheckBox* NewCheckBox(TForm2* form, const char* name, const char* caption, int left, int top,
                       int width) {
  auto* box = new TCheckBox(form);
  box->SetName(name);
  box->SetParent(form);
  box->SetCaption(caption);
  box->SetBounds(left, top, width, 17);
  return box;
}

TButton* NewButton(TForm2* form, const char* name, const char* caption, int left, int top,
                   int width) {
  auto* button = new TButton(form);
  button->SetName(name);
  button->SetParent(form);
  button->SetCaption(caption);
  button->SetBounds(left, top, width, 25);
  return button;
}

TEdit* NewEdit(TForm2* form, const char* name, int left, int top, int width, int maxLength) {
  auto* edit = new TEdit(form);
  edit->SetName(name);
  edit->SetParent(form);
  edit->SetBounds(left, top, width, 21);
  edit->SetMaxLength(maxLength);
  return edit;
}

TBevel* NewBevel(TForm2* form, const char* name, int left, int top, int width, int height) {
  auto* bevel = new TBevel(form);
  bevel->SetName(name);
  bevel->SetParent(form);
  bevel->SetBounds(left, top, width, height);
  return bevel;
}

TMyTrackBar* NewTrackBar(TForm2* form, const char* name, int top, int position) {
  auto* bar = new TMyTrackBar(form);
  bar->SetName(name);
  bar->SetParent(form);
  bar->SetBounds(44, top, 168, 26);
  bar->SetMin(0);
  bar->SetMax(100);
  bar->SetFrequency(1);
  bar->SetTickMarks(tmBoth);
  bar->SetTickStyle(tsNone);
  bar->SetThumbLength(18);
  bar->SetTooltips(false);
  bar->SetSelection(false);
  bar->SetPosition(position);
  return bar;
}

}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner) {
  TComponentLoader loader(this);
  SetName("Form2");
  SetCaption("Parameters");
  SetBorderIcons(TBorderIcons{biSystemMenu});
  Font()->SetName("Tahoma");
  SetPosition(poMainFormCenter);
  SetDragMode(dmAutomatic);
  SetClientWidth(296);
  SetClientHeight(300);
  BuildControls();
  BuildColouring();
  BuildCorners();
  ColorDialog1 = new TColorDialog(this);
  ColorDialog1->SetName("ColorDialog1");
  ColorDialog1->Options = TColorDialogOptions{cdAnyColor};
  ColorDialog1->OnShow = MakeEvent(this, &TForm2::ColorDialog1Show);

  OnCreate = MakeEvent(this, &TForm2::FormCreate);
  OnShow = MakeEvent(this, &TForm2::FormShow);
  OnClose = MakeEvent(this, &TForm2::FormClose);
  OnEndDock = MakeEvent(this, &TForm2::FormEndDock);
  loader.Finish();
}

void TForm2::BuildControls() {
  Bevel1 = NewBevel(this, "Bevel1", 4, 4, 288, 110);
  Label7 = NewLabel(this, "Label7", "Max. iteration", 10, 13);
  Edit1 = NewEdit(this, "Edit1", 96, 10, 96, 13);
  Label8 = NewLabel(this, "Label8", "Bailout value", 10, 39);
  Edit2 = NewEdit(this, "Edit2", 96, 36, 96, 13);
  CheckBox4 = NewCheckBox(this, "CheckBox4", "SSE", 206, 10, 80);
  CheckBox2 = NewCheckBox(this, "CheckBox2", "SSE2", 206, 29, 80);
  CheckBox5 = NewCheckBox(this, "CheckBox5", "3Dnow", 206, 48, 80);
  CheckBox6 = NewCheckBox(this, "CheckBox6", "Multithread", 10, 64, 110);
  CheckBox3 = NewCheckBox(this, "CheckBox3", "Don't show drawing ", 10, 86, 140);
  CheckBox7 = NewCheckBox(this, "CheckBox7", "4X Subpixels", 124, 64, 110);
  Button1 = NewButton(this, "Button1", "OK", 228, 82, 58);
  Edit1->OnEnter = MakeEvent(this, &TForm2::Edit1Click);
  Edit2->OnEnter = MakeEvent(this, &TForm2::Edit2Click);
  CheckBox2->OnClick = MakeEvent(this, &TForm2::CheckBox2Click);
  CheckBox4->OnClick = MakeEvent(this, &TForm2::CheckBox4Click);
  CheckBox5->OnClick = MakeEvent(this, &TForm2::CheckBox5Click);
  Button1->OnClick = MakeEvent(this, &TForm2::Button1Click);
}

void TForm2::BuildColouring() {
  Bevel2 = NewBevel(this, "Bevel2", 4, 118, 288, 108);
  Label1 = NewLabel(this, "Label1", "Red", 10, 128);
  TrackBar1 = NewTrackBar(this, "TrackBar1", 122, 8);
  Label4 = NewLabel(this, "Label4", "8", 214, 128);
  Label2 = NewLabel(this, "Label2", "Green", 10, 156);
  TrackBar2 = NewTrackBar(this, "TrackBar2", 150, 16);
  Label5 = NewLabel(this, "Label5", "16", 214, 156);
  Label3 = NewLabel(this, "Label3", "Blue", 10, 184);
  TrackBar3 = NewTrackBar(this, "TrackBar3", 178, 24);
  Label6 = NewLabel(this, "Label6", "24", 214, 184);
  Shape1 = new TShape(this);
  Shape1->SetName("Shape1");
  Shape1->SetParent(this);
  Shape1->SetBounds(244, 124, 20, 20);
  Button5 = NewButton(this, "Button5", "Inner Col", 234, 150, 54);
  CheckBox1 = NewCheckBox(this, "CheckBox1", "/100", 238, 178, 50);
  Button2 = NewButton(this, "Button2", "OK", 234, 196, 54);
  TrackBar1->OnChange = MakeEvent(this, &TForm2::TrackBar1Change);
  TrackBar2->OnChange = MakeEvent(this, &TForm2::TrackBar2Change);
  TrackBar3->OnChange = MakeEvent(this, &TForm2::TrackBar3Change);
  CheckBox1->OnClick = MakeEvent(this, &TForm2::CheckBox1Click);
  Button5->OnClick = MakeEvent(this, &TForm2::Button5Click);
  Button2->OnClick = MakeEvent(this, &TForm2::Button2Click);
}

void TForm2::BuildCorners() {
  Bevel3 = NewBevel(this, "Bevel3", 4, 230, 288, 66);
  RadioGroup1 = new TRadioGroup(this);
  RadioGroup1->SetName("RadioGroup1");
  RadioGroup1->SetParent(this);
  RadioGroup1->SetCaption("Corners && Iteration Constant");
  RadioGroup1->SetBounds(8, 232, 280, 36);
  RadioGroup1->SetColumns(6);
  for (const char* item : {"x1", "x2", "y1", "y2", "re", "im"}) RadioGroup1->Items()->Add(item);
  RadioGroup1->SetItemIndex(0);
  Edit3 = NewEdit(this, "Edit3", 8, 271, 180, 30);
  Button4 = NewButton(this, "Button4", "Enter", 192, 269, 48);
  Button3 = NewButton(this, "Button3", "OK", 244, 269, 44);
  RadioGroup1->OnClick = MakeEvent(this, &TForm2::RadioGroup1Click);
  Edit3->OnEnter = MakeEvent(this, &TForm2::Edit3Click);
  Button4->OnClick = MakeEvent(this, &TForm2::Button4Click);
  Button3->OnClick = MakeEvent(this, &TForm2::Button3Click);
}

void TForm2::FormCreate(TObject*) {
  const int thumb = static_cast<int>(std::nearbyint(18.0 * Screen->PixelsPerInch() / 96.0));
  for (TMyTrackBar* bar : {TrackBar1, TrackBar2, TrackBar3}) bar->SetThumbLength(thumb);
}

void TForm2::ShowCaptionForMode() { SetCaption(JuliaMode != 0 ? JuliaCaption : MandelbrotCaption); }

void TForm2::ShowColouring() {
  Shape1->Brush()->SetColor(static_cast<TColor>(InsideColor));
  ColorDialog1->Color = static_cast<TColor>(InsideColor);
  TrackBar1->SetPosition(static_cast<int>(std::nearbyint(RedSlope)));
  TrackBar2->SetPosition(static_cast<int>(std::nearbyint(GreenSlope)));
  TrackBar3->SetPosition(static_cast<int>(std::nearbyint(BlueSlope)));
  Label4->SetCaption(IntToStr(TrackBar1->Position()));
  Label5->SetCaption(IntToStr(TrackBar2->Position()));
  Label6->SetCaption(IntToStr(TrackBar3->Position()));
}

void TForm2::ShowSelectedValue() { Edit3->SetText(FixedText(SelectedValue(RadioGroup1->ItemIndex()))); }

void TForm2::ShowSettings() {
  ShowCaptionForMode();
  Edit1->SetText(IntToStr(MaxIterations));
  Edit2->SetText(FloatToStr(static_cast<double>(Bailout)));
  ShowColouring();
  CornerX1 = ViewLeft;
  CornerY1 = ViewTop;
  ShowSelectedValue();
  CheckBox1->SetChecked(ColorScale100 != 0);
  CheckBox5->SetChecked(Use3DNow != 0);
  CheckBox4->SetChecked(UseSSE != 0);
  CheckBox2->SetChecked(UseSSE2 != 0);
  CheckBox3->SetChecked(HideDrawing != 0);
  CheckBox6->SetChecked(UseMultiThreading != 0);
  CheckBox7->SetChecked(Subpixels4X != 0);
}

void TForm2::FormShow(TObject*) {
  Set8087CW(ExplorerControlWord);
  ShowCaptionForMode();
  CheckBox4->SetEnabled(HasSSE != 0);
  CheckBox4->SetChecked(UseSSE != 0);
  CheckBox2->SetEnabled(HasSSE2 != 0);
  CheckBox2->SetChecked(UseSSE2 != 0);
  CheckBox5->SetEnabled(Has3DNow != 0);
  CheckBox5->SetChecked(Use3DNow != 0 && UseSSE == 0);
  CheckBox3->SetChecked(HideDrawing != 0);
  CheckBox6->SetChecked(UseMultiThreading != 0);
  if (CpuCount < 2) {
    CheckBox6->SetChecked(false);
    CheckBox6->SetEnabled(false);
    UseMultiThreading = 0;
  }
  CheckBox7->SetChecked(Subpixels4X != 0);
  Edit1->SetText(IntToStr(MaxIterations));
  Edit2->SetText(IntToStr(static_cast<long long>(std::nearbyint(Bailout))));
  ShowColouring();
  CornerX1 = ViewLeft;
  CornerY1 = ViewTop;
  Edit3->SetText(FixedText(CornerX1));
  RadioGroup1->SetItemIndex(0);
  CheckBox1->SetChecked(ColorScale100 != 0);
  if (Form1 && Form1->Menu()) {
    ParamsSysMenu = GetSystemMenu(Handle(), FALSE);
    AppendDockingItem();
    dockingItem_ = true;
    SetDragKind(dkDrag);
    Constraints().MaxWidth = 0;
    Constraints().MaxHeight = 0;
    MakeDefault(Button1);
  }
}

void TForm2::AppendDockingItem() {
  // Shown again on the same window (after a modal run or a hide), the item is there.
  if (!ParamsSysMenu || GetMenuState(ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND) != UINT(-1))
    return;
  AppendMenuA(ParamsSysMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(ParamsSysMenu, MF_STRING, EnableDockingCommand, "Enable docking");
}

void TForm2::CreateWnd() {
  TForm::CreateWnd();
  if (!dockingItem_ || Parent()) return;
  ParamsSysMenu = GetSystemMenu(Handle(), FALSE);
  AppendDockingItem();
  if (ParamsSysMenu && DragKind() == dkDock)
    CheckMenuItem(ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND | MF_CHECKED);
}

void TForm2::FormClose(TObject*, TCloseAction& action) {
  if (ParamsDocked != 0) {
    action = caNone;
    return;
  }
  if (ParamsSysMenu) {
    // The separator that the show handler appended, then the item itself.
    DeleteMenu(ParamsSysMenu, 7, MF_BYPOSITION);
    DeleteMenu(ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND);
  }
  dockingItem_ = false;
  Form1->Parameters1->SetEnabled(true);
  Form1->Panel1->SetAutoSize(true);
}

void TForm2::FormEndDock(TObject*, TObject*, int, int) {
  if (Edit1->CanFocus()) Edit1->SetFocus();
  SetDragKind(dkDock);
  if (ParamsSysMenu)
    CheckMenuItem(ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND | MF_CHECKED);
}

void TForm2::WMSysCommand(TMessage& m) {
  if (m.WParam == EnableDockingCommand && ParamsSysMenu) {
    if (GetMenuState(ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND) & MF_CHECKED) {
      CheckMenuItem(ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND | MF_UNCHECKED);
      SetDragKind(dkDrag);
    } else {
      CheckMenuItem(ParamsSysMenu, EnableDockingCommand, MF_BYCOMMAND | MF_CHECKED);
      SetDragKind(dkDock);
      Constraints().MaxHeight = 0;
      Constraints().MaxWidth = 0;
    }
  }
  TForm::WMSysCommand(m);
}

void TForm2::MakeDefault(TButton* button) {
  for (TButton* b : {Button1, Button2, Button4}) b->SetDefault(b == button);
}

void TForm2::Edit1Click(TObject*) { MakeDefault(Button1); }
void TForm2::Edit2Click(TObject*) { MakeDefault(Button1); }
void TForm2::Edit3Click(TObject*) { MakeDefault(Button4); }

void TForm2::TrackBar1Change(TObject*) {
  MakeDefault(Button2);
  Label4->SetCaption(IntToStr(TrackBar1->Position()));
}

void TForm2::TrackBar2Change(TObject*) {
  MakeDefault(Button2);
  Label5->SetCaption(IntToStr(TrackBar2->Position()));
}

void TForm2::TrackBar3Change(TObject*) {
  MakeDefault(Button2);
  Label6->SetCaption(IntToStr(TrackBar3->Position()));
}

void TForm2::CheckBox1Click(TObject*) { MakeDefault(Button2); }

void TForm2::CheckBox2Click(TObject*) {
  if (!CheckBox2->Checked()) return;
  CheckBox4->SetChecked(false);
  CheckBox5->SetChecked(false);
}

void TForm2::CheckBox4Click(TObject*) {
  if (!CheckBox4->Checked()) return;
  CheckBox2->SetChecked(false);
  CheckBox5->SetChecked(false);
}

void TForm2::CheckBox5Click(TObject*) {
  if (!CheckBox5->Checked()) return;
  CheckBox2->SetChecked(false);
  CheckBox4->SetChecked(false);
}

void TForm2::RadioGroup1Click(TObject*) {
  MakeDefault(Button4);
  ShowSelectedValue();
}

void TForm2::Button1Click(TObject*) {
  // Both fields convert before anything changes.
  const std::int32_t limit = IterationLimitFrom(Edit1->Text());
  const std::int32_t bailout = WholeNumberFrom(Edit2->Text());
  UseSSE2 = Flag(CheckBox2);
  UseSSE = Flag(CheckBox4);
  Use3DNow = Flag(CheckBox5);
  HideDrawing = Flag(CheckBox3);
  UseMultiThreading = Flag(CheckBox6);
  Subpixels4X = Flag(CheckBox7);
  MaxIterations = limit;
  Bailout = bailout;
  ExplorerHost()->RestartRender();
}

void TForm2::Button2Click(TObject*) {
  ColorScale100 = CheckBox1->Checked() ? -1 : 0;
  ColorScale = CheckBox1->Checked() ? 0.01 : 1.0;
  InsideColor = static_cast<std::uint32_t>(ColorDialog1->Color);
  RedSlope = TrackBar1->Position();
  GreenSlope = TrackBar2->Position();
  BlueSlope = TrackBar3->Position();
  PaletteLoaded = 0;
  Form1->BuildDefaultPalette();
  PaletteOffset = 0;
  ExplorerHost()->Recolour();
}

void TForm2::Button5Click(TObject*) {
  if (!ColorDialog1->Execute()) return;
  Shape1->Brush()->SetColor(ColorDialog1->Color);
  InsideColor = static_cast<std::uint32_t>(ColorDialog1->Color);
  Form1->BuildDefaultPalette();
  ExplorerHost()->Recolour();
}

void TForm2::ColorDialog1Show(TObject*) { ColorDialog1->Color = static_cast<TColor>(InsideColor); }

void TForm2::Button4Click(TObject*) {
  const int index = RadioGroup1->ItemIndex();
  SelectedValue(index) = StrToFloatExtended(Edit3->Text());
  RadioGroup1->SetItemIndex((index + 1) % 6);
  if (Edit3->CanFocus()) Edit3->SetFocus();
  Edit3->SelectAll();
}

void TForm2::Button3Click(TObject*) {
  ViewLeft = CornerX1;
  ViewWidth = ViewRight - CornerX1;
  ViewTop = CornerY1;
  ViewHeight = CornerY1 - ViewBottom;
  ExplorerHost()->RestartRender();
}
