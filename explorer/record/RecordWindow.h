// TForm5, "Record Config": the AVI recorder of the main window's display with the settings
// of a recording (file, frame rate and size, counters, frame mode, zoom direction and
// steps), the main window's client size, RECORD and PREVIEW. The zoom flight that runs
// after each finished render is the main window's (MainAviZoom.cpp); its arithmetic and
// the boxes' text rules are in AviZoom.h.
#pragma once

#include <string>

#include "forms/windows/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TDXAviRec;
class TEdit;
class TLabel;
class TRadioGroup;
class TSaveDialog;
class TSpeedButton;
class TUpDown;

class TForm5 : public TForm {
public:
  explicit TForm5(TComponent* owner);

  TCheckBox* CheckBox1;
  TEdit* Edit8;
  TButton* Button3;
  TSaveDialog* SaveDialog1;
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* UpDown1;
  TLabel* Label2;
  TEdit* Edit2;
  TLabel* Label3;
  TEdit* Edit3;
  TLabel* Label6;
  TEdit* Edit6;
  TLabel* Label7;
  TEdit* Edit7;
  TRadioGroup* RadioGroup1;
  TRadioGroup* RadioGroup2;
  TButton* Button1;
  TLabel* Label8;
  TComboBox* ComboBox1;
  TLabel* Label4;
  TEdit* Edit4;
  TLabel* Label5;
  TEdit* Edit5;
  TButton* Button2;
  TLabel* Label9;
  TSpeedButton* SpeedButton1;
  TLabel* Label10;
  TSpeedButton* SpeedButton2;
  TDXAviRec* DXAviRec1;

  void SpeedButton1Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Edit4Change(TObject* sender);
  void RadioGroup1Click(TObject* sender);
  void CheckBox1Click(TObject* sender);
  void ComboBox1Change(TObject* sender);
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormDestroy(TObject* sender);

  // The frame modes and zoom directions, as the radio groups list them.
  static constexpr int AutoFrameAdd = 0, ManualFrameAdd = 1;
  static constexpr int ZoomIn = 0, ZoomOut = 1;

  // A recording runs and every finished render takes the next step of the flight.
  bool AutoFlight() const;
  // The zoom-steps box read as a whole number; the conversion error when it is none.
  int ZoomSteps();

private:
  void StartRecording();
  void StopRecording();
};

extern TForm5* Form5;
