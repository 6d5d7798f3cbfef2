// TForm2, the parameters window: the render settings (iteration limit, bailout, kernel,
// multithreading, subpixels, drawing), the gradient colouring and the view's corners with
// the Julia constant. One instance, Form2, lives with the program and can dock into the
// main window's bottom panel; the popup menu opens a modal one of its own. The main
// window's side (ShowParameters, the menu commands, the panel) is MainParameters.cpp.
#pragma once

#include <windows.h>

#include "forms/windows/Forms.h"

class TBevel;
class TButton;
class TCheckBox;
class TColorDialog;
class TEdit;
class TLabel;
class TMyTrackBar;
class TRadioGroup;
class TShape;

// The system-menu command of "Enable docking".
constexpr UINT EnableDockingCommand = 2;

class TForm2 : public TForm {
public:
  explicit TForm2(TComponent* owner);

  TBevel* Bevel1;
  TBevel* Bevel2;
  TBevel* Bevel3;
  TLabel* Label7;
  TEdit* Edit1;
  TLabel* Label8;
  TEdit* Edit2;
  TCheckBox* CheckBox4;
  TCheckBox* CheckBox2;
  TCheckBox* CheckBox5;
  TCheckBox* CheckBox6;
  TCheckBox* CheckBox3;
  TCheckBox* CheckBox7;
  TButton* Button1;
  TLabel* Label1;
  TMyTrackBar* TrackBar1;
  TLabel* Label4;
  TLabel* Label2;
  TMyTrackBar* TrackBar2;
  TLabel* Label5;
  TLabel* Label3;
  TMyTrackBar* TrackBar3;
  TLabel* Label6;
  TCheckBox* CheckBox1;
  TShape* Shape1;
  TButton* Button5;
  TButton* Button2;
  TRadioGroup* RadioGroup1;
  TEdit* Edit3;
  TButton* Button4;
  TButton* Button3;
  TColorDialog* ColorDialog1;

  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormEndDock(TObject* sender, TObject* target, int x, int y);
  void Edit1Click(TObject* sender);
  void Edit2Click(TObject* sender);
  void Edit3Click(TObject* sender);
  void TrackBar1Change(TObject* sender);
  void TrackBar2Change(TObject* sender);
  void TrackBar3Change(TObject* sender);
  void CheckBox1Click(TObject* sender);
  void CheckBox2Click(TObject* sender);
  void CheckBox4Click(TObject* sender);
  void CheckBox5Click(TObject* sender);
  void RadioGroup1Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);
  void ColorDialog1Show(TObject* sender);

  // The window's texts from the settings (the resident window's refresh).
  void ShowSettings();
  // Edit3 shows the value of the chosen RadioGroup1 item.
  void ShowSelectedValue();

  // This window's system menu, where "Enable docking" lives. Each window keeps its own:
  // the popup's modal window is freed with its menu while the resident one goes on.
  HMENU ParamsSysMenu = nullptr;

protected:
  // syscom2: "Enable docking" switches between moving the window and docking it.
  void WMSysCommand(TMessage& m) override;
  // Docking makes the window again (a child in the panel, a top-level window out of
  // it): the new system menu carries "Enable docking" again.
  void CreateWnd() override;

private:
  void BuildControls();
  void BuildColouring();
  void BuildCorners();
  void AppendDockingItem();
  void MakeDefault(TButton* button);
  void ShowCaptionForMode();
  void ShowColouring();

  // The show handler gave the system menu "Enable docking"; the close takes it away.
  bool dockingItem_ = false;
};

extern TForm2* Form2;