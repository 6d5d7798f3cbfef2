// TCheckBox and TRadioButton over the system's BUTTON class. Checked changes by a
// click or by the program; each change raises OnClick (outside the loading bracket).
// A radio button that becomes checked unchecks the radio buttons beside it on the
// same parent, which raise nothing, and only becoming checked raises OnClick.
#pragma once

#include "forms/controls/SystemControl.h"

class TCheckBox : public TSystemControl {
public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& m) override;

private:
  bool checked_ = false;
};

class TRadioButton : public TSystemControl {
public:
  explicit TRadioButton(TComponent* owner);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& m) override;

private:
  void ShowChecked();
  bool checked_ = false;
};
