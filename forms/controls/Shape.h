// TShape: a rectangle (or the largest centred square) drawn on its parent with its
// own pen and brush; a change of either repaints it.
#pragma once

#include "forms/windows/Controls.h"

enum TShapeType { stRectangle, stSquare };

class TShape : public TGraphicControl {
public:
  explicit TShape(TComponent* owner);
  ~TShape() override;

  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType value);

protected:
  void Paint() override;

private:
  void StyleChanged(TObject*) { Invalidate(); }

  TPen pen_;
  TBrush brush_;
  TShapeType shape_ = stRectangle;
};
