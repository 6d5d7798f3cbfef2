// TPaintBox: an area of its parent on which OnPaint draws through Canvas. Before the
// event the canvas has the box's font and a brush of its colour (the parent's while
// ParentColor is on).
#pragma once

#include "forms/windows/Controls.h"
#include "forms/windows/ParentFont.h"

class TPaintBox : public TGraphicControl, public TParentFontHolder {
public:
  explicit TPaintBox(TComponent* owner);

  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);

  TNotifyEvent OnPaint;

protected:
  void Paint() override;
  void ColorChanged() override;
  void FontChanged() override { Invalidate(); }

private:
  bool parentColor_ = true;
};
