// TSpinEdit: an edit for a whole number with up and down arrows beside it. A value
// that is set, and one that the user leaves behind when the field loses the focus, is
// clamped into MinValue..MaxValue (both 0: no limits); a text that is no number reads
// as MinValue. The arrows and the Up and Down keys step by Increment.
#pragma once

#include "forms/controls/Edit.h"

class TSpinEdit : public TCustomEdit {
public:
  explicit TSpinEdit(TComponent* owner);

  int Value() const;
  void SetValue(int value);
  int MinValue() const { return minValue_; }
  void SetMinValue(int value);
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int value);
  int Increment() const { return increment_; }
  void SetIncrement(int value) { increment_ = value; }

  // What one click on an arrow does (+1 up, -1 down).
  void Step(int direction);
  void SetEnabled(bool enabled) override;
  HWND UpDownHandle() const { return upDown_; }

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  void WMSize(TMessage& m) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void DoExit() override;

private:
  int Clamp(long long value) const;
  void PlaceUpDown();

  int minValue_ = 0;
  int maxValue_ = 0;
  int increment_ = 1;
  HWND upDown_ = nullptr;
};
