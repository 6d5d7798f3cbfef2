// TSpeedButton: a button drawn on its parent (no window, never takes the focus). With
// a GroupIndex other than 0 it stays down after a click: a click on a button that is
// up puts it down and every other button of its group on the same parent up; a click
// on one that is down puts it up only when AllowAllUp is on. OnClick follows the change.
#pragma once

#include "forms/windows/Controls.h"
#include "forms/windows/ParentFont.h"

class TSpeedButton : public TGraphicControl, public TParentFontHolder {
public:
  explicit TSpeedButton(TComponent* owner);

  bool Down() const { return down_; }
  // Raises no OnClick. A button of group 0 is never down; a grouped button is put up
  // only with AllowAllUp.
  void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value) { allowAllUp_ = value; }

  // What a mouse click does: the group's state, then OnClick.
  void Click() override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void TextChanged() override { Invalidate(); }
  void FontChanged() override { Invalidate(); }

private:
  bool down_ = false;
  bool pressed_ = false;  // the left button is held on it
  bool inside_ = false;   // and the mouse is over it
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
};
