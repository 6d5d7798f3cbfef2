// TConfigForm, "Config": the full-screen display configuration (driver, display mode and
// the 4:3 surface inside a mode of another shape). Made for each use by the main
// window's "Fullscreen Config" and freed afterwards; the choices take effect at the next
// switch to full screen (MainFullScreen.cpp).
#pragma once

#include <cstdint>

#include "forms/windows/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TCustomDXDraw;
class TLabel;

// The driver list entry chosen last (0 at start, not saved).
extern std::int32_t DriverIndex;

class TConfigForm : public TForm {
public:
  explicit TConfigForm(TComponent* owner);

  TLabel* Label1;
  TLabel* Label2;
  TComboBox* DriverBox;
  TComboBox* DisplayModeBox;
  TCheckBox* CheckBox1;
  TButton* Button1;
  // The display control configured.
  TCustomDXDraw* DXDraw = nullptr;

  void FormShow(TObject* sender);
  void Button1Click(TObject* sender);
  void DisplayModeBoxChange(TObject* sender);
};
