// TBevel: a 3-D line or frame drawn on its parent, to group or separate controls.
#pragma once

#include "forms/windows/Controls.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle value);

protected:
  void Paint() override;

private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};
